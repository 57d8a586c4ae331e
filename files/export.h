#pragma once

// The results export: the heading, the entry count and every entry of the results list, one CR LF line
// each, in the system code page. The message box that reports the outcome belongs to the window.

#include "fileoutcome.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringList>

namespace velmora {

// The three heading lines of an export of count entries (a print of the results uses them too).
QStringList exportHeading(qsizetype count);

// The complete export text for these entries in the encoder's code page.
QByteArray ExportBytes(const QStringList &entries, QStringEncoder &encoder);

// Writes the export file atomically in the system code page, making its folder when it is missing; a
// failed export leaves a previous file whole.
FileOutcome exportResults(const QStringList &entries, const QString &path);

} // namespace velmora
