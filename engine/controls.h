#pragma once

// The window's controls as the engine and the file code see them.
//
// The engine never touches a widget: it reads its inputs from, and writes its results to, an implementation
// of this interface. The main window implements it over its real controls; tests implement it over a plain
// model. Reads happen at the moment a procedure runs, nothing is cached between events.

#include <QString>

namespace velmora {

// The two selection-only count lists: `cboNumber` ("1" to "8") and `cboOld` ("1" to "20").
enum class CountList { Number, Old };

class Controls {
public:
    virtual ~Controls() = default;

    // The industry grid: row i is the pair txtInd(i) (industry name) and txtArr(i) (its car types).
    virtual QString txtInd(int row) const = 0;
    virtual void setTxtInd(int row, const QString &text) = 0;
    virtual QString txtArr(int row) const = 0;
    virtual void setTxtArr(int row, const QString &text) = 0;

    // The car-type list of the car-type section.
    virtual QString txtOld() const = 0;

    // The text shown by a count list, and selecting its entry at a given index.
    virtual QString countText(CountList list) const = 0;
    virtual void setCountListIndex(CountList list, int index) = 0;

    // Appends a line at the end of the results list `lst1`.
    virtual void appendResult(const QString &line) = 0;

    // The caption of the run counter `lblres`.
    virtual void setRunCaption(const QString &caption) = 0;

    // Sets the value of the Random Order box (0 or 1); like a click, this runs the box's handler, which
    // copies the value into RandomOrder.
    virtual void setCheckRand(int value) = 0;
};

} // namespace velmora
