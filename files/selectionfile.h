#pragma once

// The Selection file: where it lives, its byte layout, and saving and loading the industry table.
//
// The byte layout is fixed (little-endian, counted texts in the system code page, growable arrays behind a
// dimension header); WriteSelection/ReadSelection work on any QIODevice so the layout can be checked byte
// for byte against a QBuffer. SaveSelection and LoadSelection add the disk: an atomic write, and a load
// that copies the stored table into the grid through Controls and then deletes the file.

#include "code.h"

#include <QByteArray>
#include <QDir>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>

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

// Creates every missing folder along path, walking it piece by piece. Returns false (with the reason in
// *error) when a folder could not be created.
bool MakeFolderPath(const QString &path, QString *error = nullptr);

// The same, also listing in *created the folders it made, in the order it made them.
bool MakeFolderPath(const QString &path, QString *error, QStringList *created);

// The folders MakeFolderPath tests, in order, each ending in the separator: the path is split at every
// separator, empty pieces add nothing, and a drive ("C:") is passed over without a test. A path that
// starts at the root keeps its leading separator.
QStringList FolderPathSteps(const QString &path, QChar separator = QDir::separator());

// True when the folder holds a plain file named exactly "Selection" (letter case included).
bool SelectionFilePresent(const QString &folder);

// Writes the whole record in the file's byte layout. Returns false when the device refuses a write.
bool WriteSelection(QIODevice &device, const SelectionRecord &record);

// Reads one record from the device. Out-of-range values are clamped; structural damage (a record cut short,
// an unknown dimension count, a lower bound other than 0, element counts the remaining bytes cannot hold)
// gives nullopt and the reason.
std::optional<SelectionRecord> ReadSelection(QIODevice &device, QString *error = nullptr);

// What a save, a load or an export came to. A load can succeed and still carry an error: the table was
// restored but the file could not be deleted afterwards.
struct FileOutcome {
    bool ok = true;
    QString error;  // why it failed, for the user
    QString keptAs; // a Selection file that could not be loaded was moved here
};

// Copies a loaded table into the window: industry i goes to grid row i (i below IndustryCount, at most 8),
// its stored car types (no more than LastType + 1 of them, and only those the file holds) appended to what
// the row's car-type box holds, joined by ","; then the Random Order box is set, ticked only for 1.
void RestoreSelection(const SelectionRecord &record, Controls &controls);

// Writes the record to path atomically, creating the folder when it is missing: the previous file stays
// whole unless the new one is complete.
FileOutcome SaveSelection(const SelectionRecord &record, const QString &path);

// Reads the file at path into code.record, fills the grid rows from row 0 and the Random Order box through
// controls, then deletes the file. A file that cannot be read is renamed to "Selection.unreadable" and
// leaves the grid untouched.
FileOutcome LoadSelection(Code &code, Controls &controls, const QString &path);

} // namespace velmora
