#pragma once

// Where the Selection file and the export go when their own places refuse this user.
//
// A standard Windows user may neither write under "C:\Program Files" nor create files in the root of C:,
// so the two fixed places take files from administrators only. Each file keeps its fixed place wherever
// this user may write there. Otherwise the Selection file goes where Windows itself redirected such writes
// of older programs, the VirtualStore in the user's local application data, and the export goes to the
// user's Documents folder. Start-up looks for a saved table in both places and loads the newer.

#include <QString>
#include <QStringList>

namespace velmora {

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

// "VirtualStore\Program Files\Ostrel\Velmora\Selection" in the user's local application data
// (%LOCALAPPDATA% on Windows, the user's data folder elsewhere).
QString SelectionFallbackPath();

// "Velmora-Export.txt" in the user's Documents folder.
QString ExportFallbackPath();

// path when rights let this user write in its folder, or in the nearest folder above it that exists (where
// the missing ones would be made); fallback otherwise, and when no folder along path exists at all.
QString WritablePlace(const QString &path, const QString &fallback, const WriteRights &rights);

// The saved tables waiting at these paths, the newest first (of two as old, the one listed first): each path
// whose folder holds a plain file named exactly "Selection".
QStringList SavedSelections(const QStringList &paths);

} // namespace velmora
