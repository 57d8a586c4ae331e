#pragma once

// The results export: the heading, the entry count and every entry of the results list, one CR LF line
// each, in the system code page. The message box that reports the outcome belongs to the window.

#include "selectionfile.h"

#include <QStringList>

namespace velmora {

// Where the export goes: "C:\Velmora-Export.txt" on Windows, "Velmora-Export.txt" in the home folder
// elsewhere.
QString ExportFilePath();

// Writes the export text for these entries. Returns false (with the reason) when a write fails.
bool WriteExport(QIODevice &device, const QStringList &entries, QString *error = nullptr);

// Writes the export file atomically, making its folder when it is missing; a failed export leaves a previous
// file whole.
FileOutcome ExportResults(const QStringList &entries, const QString &path);

} // namespace velmora
