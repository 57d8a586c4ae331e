#pragma once

// Where the program's two files live. On Windows the Selection file hangs from the drive of the Windows
// folder and the export goes to drive C; elsewhere the user's data folder stands in for the drive and the
// export goes to the home folder. paths.cpp is the one place with code for Windows alone.

#include <QString>

namespace velmora {

// The Windows folder as the system reports it; empty when the call fails or on other platforms.
QString WindowsFolder();

// The root the Selection file's folder hangs from, ending in a separator: the Windows folder's drive
// ("C:\") on Windows, the user's data folder elsewhere.
QString SystemDriveRoot();

// SystemDriveRoot() + "Program Files\Ostrel\Velmora\" with the platform's separators.
QString SelectionFolderPath();

// SelectionFolderPath() + "Selection".
QString SelectionFilePath();

// Where the export goes: "C:\Velmora-Export.txt" on Windows, "Velmora-Export.txt" in the home folder
// elsewhere.
QString ExportFilePath();

} // namespace velmora
