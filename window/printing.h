#pragma once

// Printing the results as a switch list: the export's heading (the program, the number of results, the
// rule), then every line of the results list, wrapped where a line is wider than the page and carried on
// over as many pages as it takes. The print dialog that sets up the printer is the window's, through its
// seam (seams.h).

#include <QString>
#include <QStringList>

class QPrinter;

namespace velmora {

// Prints entries on printer, which the print dialog has set up. Returns why it failed, or the empty text.
QString printSwitchList(QPrinter &printer, const QStringList &entries);

} // namespace velmora
