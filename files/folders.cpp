#include "folders.h"

#include <QFileInfo>

namespace velmora {

namespace {

// How much of a path with backslashes the walk neither makes nor tests: a network share's root
// ("\\server\share\", "\\?\UNC\server\share\") or a long path's prefix ("\\?\", "\\.\"); 0 for any other
// path.
qsizetype fixedRootLength(QStringView path)
{
    if (!path.startsWith(u"\\\\"))
        return 0;
    qsizetype at = 2;
    if (path.sliced(2).startsWith(u"?\\") || path.sliced(2).startsWith(u".\\")) {
        if (!path.sliced(4).startsWith(u"UNC\\", Qt::CaseInsensitive))
            return 4;
        at = 8;
    }
    for (int name = 0; name < 2; ++name) { // the server, then the share
        const qsizetype end = path.indexOf(u'\\', at);
        if (end < 0)
            return path.size();
        at = end + 1;
    }
    return at;
}

} // namespace

QStringList folderPathSteps(const QString &path, QChar separator)
{
    const qsizetype root = separator == u'\\' ? fixedRootLength(path) : 0;
    QString built = path.first(root);
    if (root == 0 && path.startsWith(separator))
        built = separator;
    // Only a path's first piece can be a drive, also behind a long path's prefix; further on, a name ending
    // in a colon is a folder (a valid one off Windows).
    bool driveMayFollow = built.isEmpty() || root == 4;
    QStringList steps;
    for (const QStringView piece : QStringView(path).sliced(root).split(separator)) {
        if (piece.isEmpty())
            continue;
        const bool drive = driveMayFollow && piece.endsWith(u':');
        driveMayFollow = false;
        built += piece;
        built += separator;
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
    for (const QString &folder : folderPathSteps(path)) {
        if (QFileInfo(folder).isDir())
            continue;
        if (FileOutcome made = makeFolder(folder); !made.ok)
            return made;
    }
    return {};
}

FileOutcome makeFolderFor(const QString &path)
{
    return MakeFolderPath(QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QDir::separator());
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
