#pragma once

// The folders the files go in: the walk that makes them, and the start-up test for the Selection file.

#include "fileoutcome.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace velmora {

// The folders MakeFolderPath tests, in order, each ending in the separator: the path is split at every
// separator, empty pieces add nothing, and a drive ("C:") is passed over without a test. A path that
// starts at the root keeps its leading separator. With backslashes, a network share's root and a long
// path's prefix ("\\?\") stay in front of every step and are never tested themselves.
QStringList folderPathSteps(const QString &path, QChar separator = QDir::separator());

// Makes one folder, inside one that exists; a folder already there when the system answers is success.
FileOutcome makeFolder(const QString &folder);

// Creates every missing folder along path, walking it piece by piece, one level at a time.
FileOutcome MakeFolderPath(const QString &path);

// Makes the folder that the file at path goes in, with MakeFolderPath.
FileOutcome makeFolderFor(const QString &path);

// True when the folder holds an entry named exactly "Selection" (letter case included): a plain file, or
// anything else by that name, which the loader then refuses and sets aside.
bool SelectionFilePresent(const QString &folder);

} // namespace velmora
