#pragma once

// The window's commands timed on a real Velmora window in this process, each from the click to the end of
// the frame that shows its outcome: an industry Go! with eight rows of 1,000 car types, a car-type Go!
// with 20,000 items, Clear of the results and Export, each with 1,000, 10,000 and 100,000 entries already
// in the results list; and saving and loading a full table of eight industries with 1,000 car types each.

#include "measure.h"

namespace velmora::bench {

// Needs a QApplication. Files go to folder; the export goes to the home folder, which the caller points
// somewhere harmless.
QList<Row> MeasureOperations(int runs, const QString &folder);

} // namespace velmora::bench
