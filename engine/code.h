#pragma once

// The program's module "code": the one object that holds the program-wide state (the SelectionRecord and
// the SaveOnExit flag) and the procedures of the selection engine.
//
// Data flow: the window owns one Code and implements Controls. A Go! of the industry section calls
// IndustryGo(), which rebuilds the industry table from the grid (GatherIndustries, SplitCarTypes) and draws
// the cars (PickIndustryCars); a Go! of the car-type section calls PickCarTypes(). Both append their lines
// and the separator to the results list and show the new run count through Controls. The file code
// (files/) saves and loads `record`; the window's start-up and shutdown decide when.

#include "controls.h"
#include "random.h"
#include "selection.h"

#include <QStringList>

namespace velmora {

// The line that closes every run in the results list.
inline const QString RunSeparator = QStringLiteral("--------");

class Code {
public:
    Code(Controls &controls, RandomSource &random);

    SelectionRecord record;
    qint16 SaveOnExit = False;

    // Rebuilds IndustryCount and the names and rows of the industry table from the grid rows whose name is
    // not empty. When no row has a name the table is left as it stood.
    void GatherIndustries();

    // Splits each gathered industry's car-type text at the commas. Returns 1, or 0 when it stopped at a
    // named row whose car-type box is empty (the industries from there on keep what they held).
    qint16 SplitCarTypes();

    // The industry section's Go!: gather, split, and draw when every named row has car types.
    void IndustryGo();

    // Draws the requested number of cars from the gathered table (row order or random order).
    void PickIndustryCars();

    // The car-type section's Go!: draws distinct items of the comma list in txtOld.
    void PickCarTypes();

    // The Clear of the industry section empties the table to one empty element; IndustryCount keeps its
    // value until the next gathering.
    void ClearIndustryTable();

    // Back to no runs; the caller shows "0".
    void ResetRunCount() { record.RunCount = 0; }

private:
    void EndRun();

    Controls &m_controls;
    RandomSource &m_random;
};

// A comma list split at every comma: no trimming, empty items kept, at most MaxListItems items.
QStringList SplitCommaList(const QString &text);

// floor(r * count) for a draw r in [0, 1), never past count - 1 (single-precision products can round up).
qsizetype DrawIndex(float r, qsizetype count);

// The car-type index: lastType * s rounded to the nearest whole number, ties to even, within 0..lastType.
qsizetype RoundedIndex(float s, qsizetype lastType);

} // namespace velmora
