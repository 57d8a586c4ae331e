#pragma once

// Takes away (protect) or gives back the right to change a file or a folder's entries, and gives the
// reason the system then refuses a change with. Root may change anything whatever the rights, so for root
// the file or folder is made immutable instead, which binds root too. Not on Windows, where a test run by
// an administrator cannot take the rights away.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QtGlobal>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace velmora::test {

inline bool setProtected(const QString &path, bool protect, QString *reason = nullptr)
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0) {
        if (reason)
            *reason = qt_error_string(EPERM);
        return QProcess::execute(QStringLiteral("chattr"),
                                 {protect ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
    }
    if (reason)
        *reason = qt_error_string(EACCES);
    const QFile::Permissions readable =
        QFileInfo(path).isDir() ? QFile::ReadOwner | QFile::ExeOwner : QFile::Permissions(QFile::ReadOwner);
    return QFile::setPermissions(path, protect ? readable : readable | QFile::WriteOwner);
#else
    Q_UNUSED(path);
    Q_UNUSED(protect);
    Q_UNUSED(reason);
    return false;
#endif
}

} // namespace velmora::test
