#include "folders.h"

#include <QFileInfo>

namespace velmora {

QStringList FolderPathSteps(const QString &path, QChar separator)
{
    QStringList steps;
    QString built;
    if (path.startsWith(separator))
        built = separator;
    for (const QString &piece : path.split(separator, Qt::KeepEmptyParts)) {
        if (piece.isEmpty())
            continue;
        // Only a path's first piece can be a drive; further on, a name ending in a colon is a folder
        // (a valid one off Windows).
        const bool drive = built.isEmpty() && piece.endsWith(u':');
        built += piece + separator;
        if (!drive)
            steps.append(built);
    }
    return steps;
}

FileOutcome makeFolder(const QString &folder)
{
    // A folder is only made inside one that exists, like the walk itself. One that is there when the system
    // answers was made meanwhile by another program (two first starts at once): it is what was wanted.
    if (QDir().mkdir(folder) || QFileInfo(folder).isDir())
        return {};
    const QString shown = QDir::toNativeSeparators(folder);
    return FileOutcome::failure(QFileInfo::exists(folder)
                                    ? QStringLiteral("%1 exists but is not a folder").arg(shown)
                                    : QStringLiteral("the folder %1 could not be created").arg(shown));
}

FileOutcome MakeFolderPath(const QString &path)
{
    for (const QString &folder : FolderPathSteps(path)) {
        if (QFileInfo(folder).isDir())
            continue;
        if (FileOutcome made = makeFolder(folder); !made.ok)
            return made;
    }
    return {};
}

bool SelectionFilePresent(const QString &folder)
{
    // A listing rather than an exists(): on a file system that ignores letter case, a file stored as
    // "SELECTION" would pass exists("Selection"), but the listing reports the name as it is stored. No
    // name filter: the folder holds a file or two, and a filter would bring in the regular-expression
    // engine, which costs the start-up more memory than the listing itself.
    // Not only plain files: a folder, a pipe, a device or a link of that name is found too, so that the
    // loader can refuse it and set it aside, instead of a save at exit failing on it for ever.
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    return names.contains(QStringLiteral("Selection"), Qt::CaseSensitive);
}

} // namespace velmora
