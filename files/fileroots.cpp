#include "fileroots.h"

#include "paths.h"
#include "places.h"

#include <algorithm>

namespace velmora {

QString FileRoots::selectionFolder() const
{
    // The file name is the last part of the path in either separator.
    const qsizetype cut = std::max(selectionFile.lastIndexOf(u'/'), selectionFile.lastIndexOf(u'\\'));
    return selectionFile.left(cut + 1);
}

FileRoots SystemFileRoots()
{
    return {SelectionFilePath(), SelectionFallbackPath(), ExportFilePath(), ExportFallbackPath()};
}

} // namespace velmora
