#pragma once

// Saving and loading the industry table through the Selection file.
//
// SaveSelection writes the record in the file's byte layout (selectionlayout.h) atomically; LoadSelection
// reads it back, copies the stored table into the grid through Controls and deletes the file. A file that
// cannot be loaded is set aside as "Selection.unreadable", so it never stops the next start as well.

#include "code.h"
#include "fileoutcome.h"

#include <QString>

namespace velmora {

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
