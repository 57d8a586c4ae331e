#include "places.h"

#include "folders.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <windows.h>
#else
#include <QFile>
#include <unistd.h>
#endif

namespace velmora {

namespace {

QString Native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

#ifdef Q_OS_WIN

bool SystemRights::mayWrite(const QString &folder) const
{
    const QString probe = QDir::toNativeSeparators(
        QDir(folder).filePath(QStringLiteral("~velmora-%1.tmp").arg(QCoreApplication::applicationPid())));
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(probe.utf16()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // Only a refusal counts against the place; any other failure is for the write itself to report.
        const DWORD error = GetLastError();
        return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
    }
    CloseHandle(handle);
    return true;
}

#else

bool SystemRights::mayWrite(const QString &folder) const
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

#endif

QString SelectionFallbackPath()
{
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (local.isEmpty())
        return {};
    return Native(
        QDir(local).filePath(QStringLiteral("VirtualStore/Program Files/Ostrel/Velmora/Selection")));
}

QString ExportFallbackPath()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    return Native(QDir(documents).filePath(QStringLiteral("Velmora-Export.txt")));
}

QString WritablePlace(const QString &path, const QString &fallback, const WriteRights &rights)
{
    // The nearest folder that exists is where this user's rights are decided: the missing folders below it
    // would be made there.
    QString folder = QFileInfo(path).absolutePath();
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return fallback; // not even the root exists: a drive that is not there
        folder = parent;
    }
    return rights.mayWrite(folder) ? path : fallback;
}

QStringList SavedSelections(const QStringList &paths)
{
    QList<std::pair<QDateTime, QString>> saved;
    for (const QString &path : paths) {
        const QFileInfo file(path);
        if (!path.isEmpty() && SelectionFilePresent(file.absolutePath()))
            saved.append({file.lastModified(), path});
    }
    std::stable_sort(saved.begin(), saved.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    QStringList newestFirst;
    for (const auto &file : saved)
        newestFirst.append(file.second);
    return newestFirst;
}

} // namespace velmora
