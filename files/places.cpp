#include "places.h"

#include "folders.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <utility>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <windows.h>
#else
#include <QFile>
#include <unistd.h>
#endif

namespace velmora {

namespace {

// "Program Files\Ostrel\Velmora\Selection" below root, in the platform's separators.
QString selectionBelow(const QString &root)
{
    return QDir::toNativeSeparators(root + QStringLiteral("Program Files/Ostrel/Velmora/Selection"));
}

// name in the folder that QStandardPaths gives for location; empty when the system gives none.
QString inStandardFolder(QStandardPaths::StandardLocation location, const QString &name)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(QDir(folder).filePath(name));
}

} // namespace

#ifdef Q_OS_WIN

QString WindowsFolder()
{
    // The usual 260 characters first; a longer path is fetched again with the length the system asks for.
    QVarLengthArray<char, MAX_PATH> buffer(MAX_PATH);
    UINT n = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n >= static_cast<UINT>(buffer.size())) {
        buffer.resize(static_cast<qsizetype>(n) + 1);
        n = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
        if (n >= static_cast<UINT>(buffer.size()))
            return {};
    }
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(QByteArrayView(buffer.data(), static_cast<qsizetype>(n)));
}

QString SystemDriveRoot()
{
    return WindowsFolder().left(1) + QStringLiteral(":\\");
}

namespace {

QString ownExportFile()
{
    return QStringLiteral("C:\\Velmora-Export.txt");
}

} // namespace

QString FilePlaces::shownExportPath(const QString &path) const
{
    // The design's message names the file in lower case, "C:\velmora-export.txt", while the file itself is
    // "C:\Velmora-Export.txt": Windows finds it by either name, and the message keeps the design's text.
    // An export that had to go elsewhere names where it went.
    return path == m_roots.exportFile ? QStringLiteral("C:\\velmora-export.txt")
                                      : QDir::toNativeSeparators(path);
}

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

QString WindowsFolder()
{
    return {};
}

// There is no system drive here: the user's data folder stands in for it.
QString SystemDriveRoot()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    return data.endsWith(QDir::separator()) ? data : data + QDir::separator();
}

namespace {

QString ownExportFile()
{
    return QDir(QDir::homePath()).filePath(QStringLiteral("Velmora-Export.txt"));
}

} // namespace

QString FilePlaces::shownExportPath(const QString &path) const
{
    // There is no drive C here: the message names the file where it really went.
    return QDir::toNativeSeparators(path);
}

bool SystemRights::mayWrite(const QString &folder) const
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

#endif

FileRoots FileRoots::system()
{
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {selectionBelow(SystemDriveRoot()),
            local.isEmpty() ? QString()
                            : selectionBelow(QDir(local).filePath(QStringLiteral("VirtualStore/"))),
            ownExportFile(),
            inStandardFolder(QStandardPaths::DocumentsLocation, QStringLiteral("Velmora-Export.txt"))};
}

FilePlaces::FilePlaces(FileRoots roots, const WriteRights *rights) : m_roots(std::move(roots))
{
    // The system's rights hold nothing of their own, so one answers for every FilePlaces.
    static const SystemRights systemRights;
    m_rights = rights != nullptr ? rights : &systemRights;
}

QString FilePlaces::selectionFile() const
{
    return writablePlace(m_roots.selectionFile, m_roots.selectionFallback);
}

QString FilePlaces::exportFile() const
{
    return writablePlace(m_roots.exportFile, m_roots.exportFallback);
}

QString FilePlaces::writablePlace(const QString &path, const QString &fallback) const
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
    return m_rights->mayWrite(folder) ? path : fallback;
}

QStringList FilePlaces::savedSelections() const
{
    QList<std::pair<QDateTime, QString>> saved;
    for (const QString &path : {m_roots.selectionFile, m_roots.selectionFallback}) {
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
