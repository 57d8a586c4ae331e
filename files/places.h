#pragma once

// Where the program's files go, and where a saved table may be found: the one unit that answers it.
//
// The design gives each file a fixed place: the Selection file hangs from the drive of the Windows folder
// ("C:\Program Files\Ostrel\Velmora\Selection"), the export is "C:\Velmora-Export.txt". Off Windows the
// user's data folder stands in for the drive and the export goes to the home folder. A standard Windows
// user may neither write under "C:\Program Files" nor create files in the root of C:, so each file keeps
// its own place wherever this user may write there and otherwise goes to a fallback: the Selection file
// where Windows itself redirected such writes of older programs (the VirtualStore in the user's local
// application data), the export to the user's Documents folder. The save, the export and the lock ask
// FilePlaces where their file goes; start-up asks it which saved tables wait. The window only passes on
// what the user is told. The code for Windows alone is kept function by function in places.cpp.

#include <QString>
#include <QStringList>

namespace velmora {

// The Windows folder as the system reports it; empty when the call fails or on other platforms.
QString WindowsFolder();

// The root the Selection file's folder hangs from, ending in a separator: the Windows folder's drive
// ("C:\") on Windows, the user's data folder elsewhere.
QString SystemDriveRoot();

// Whether this user may create files in a folder that exists. The program asks the system (SystemRights);
// tests refuse the folders they choose.
class WriteRights {
public:
    virtual ~WriteRights() = default;
    virtual bool mayWrite(const QString &folder) const = 0;
};

// The file system's answer: the access rights on POSIX systems; on Windows, where access control lists,
// group rights and UAC's filtered token all have a say, a hidden file created in the folder and dropped at
// once.
class SystemRights final : public WriteRights {
public:
    bool mayWrite(const QString &folder) const override;
};

// The four places the two files may go. The program uses the system's; on Windows those are fixed folders
// of the machine, so tests give places inside a temporary folder instead and never touch a real drive.
struct FileRoots {
    QString selectionFile;     // where the Selection file belongs: SystemDriveRoot() + "Program Files\..."
    QString selectionFallback; // "VirtualStore\Program Files\Ostrel\Velmora\Selection" in the local data
    QString exportFile;        // where the export belongs: "C:\Velmora-Export.txt", or in the home folder
    QString exportFallback;    // "Velmora-Export.txt" in the user's Documents folder

    // The system's places, worked out now: off Windows they follow the user's home and data folder.
    static FileRoots system();
};

class FilePlaces {
public:
    // rights null: ask the system who may write where.
    explicit FilePlaces(FileRoots roots = FileRoots::system(), const WriteRights *rights = nullptr);

    const FileRoots &roots() const { return m_roots; }

    // Where a save goes now: the Selection file's own place when this user may write in its folder, or in
    // the nearest folder above it that exists (where the missing ones would be made); the fallback
    // otherwise, and when no folder along the path exists at all.
    QString selectionFile() const;
    // Where an export goes now, chosen the same way.
    QString exportFile() const;
    // The export's path as its success message names it.
    QString shownExportPath(const QString &path) const;
    // The saved tables waiting, the newest first (of two as old, the own place's first): each of the two
    // places whose folder holds an entry named exactly "Selection".
    QStringList savedSelections() const;

private:
    QString writablePlace(const QString &path, const QString &fallback) const;

    FileRoots m_roots;
    const WriteRights *m_rights;
};

} // namespace velmora
