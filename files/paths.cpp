#include "paths.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <QStringDecoder>
#include <QVarLengthArray>
#include <windows.h>
#else
#include <QStandardPaths>
#endif

namespace velmora {

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

QString ExportFilePath()
{
    return QStringLiteral("C:\\Velmora-Export.txt");
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

QString ExportFilePath()
{
    return QDir(QDir::homePath()).filePath(QStringLiteral("Velmora-Export.txt"));
}

#endif

QString SelectionFolderPath()
{
    const QChar sep = QDir::separator();
    return SystemDriveRoot() + QStringLiteral("Program Files") + sep + QStringLiteral("Ostrel") + sep +
           QStringLiteral("Velmora") + sep;
}

QString SelectionFilePath()
{
    return SelectionFolderPath() + QStringLiteral("Selection");
}

} // namespace velmora
