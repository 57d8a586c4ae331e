#pragma once

// The four places the program's two files may go, taken together so the window can be given other ones.
// The program uses the system's places (SystemFileRoots). On Windows those are fixed folders of the
// machine ("C:\Program Files\...", "C:\"), so tests give the window places inside a temporary folder
// instead and never touch a real drive.

#include <QString>

namespace velmora {

struct FileRoots {
    QString selectionFile;     // where the Selection file belongs (SelectionFilePath)
    QString selectionFallback; // where it goes when this user may not write there (SelectionFallbackPath)
    QString exportFile;        // where the export belongs (ExportFilePath)
    QString exportFallback;    // where it goes when this user may not write there (ExportFallbackPath)

    // The Selection file's folder, ending in a separator.
    QString selectionFolder() const;
};

// The system's places, worked out now: on Linux they follow the user's home and data folder.
FileRoots SystemFileRoots();

} // namespace velmora
