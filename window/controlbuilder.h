#pragma once

// Makes the window's controls from the layout table and hands them back typed.
//
// buildControls() creates every control of controlTable() on the window, names it, places it, gives it its
// caption, look, tooltip and screen-reader texts, stacks the controls as the table orders them and sets the
// tab order from the table's tab positions. What it returns is all the window needs to reach its controls;
// the decoration (labels, shapes, lines) is built too but not handed back.

#include "resultslist.h"
#include "selection.h"
#include "textboxes.h"
#include "widgets.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace velmora {

// The controls under their design names.
struct WindowControls {
    QGroupBox *Frame1 = nullptr;
    std::array<TextBox *, GridRows> txtInd{};
    std::array<TextBox *, GridRows> txtArr{};
    CarTypeBox *txtOld = nullptr;
    QComboBox *cboNumber = nullptr;
    QComboBox *cboOld = nullptr;
    ResultsList *lst1 = nullptr;
    QLabel *lblres = nullptr;
    QCheckBox *checkData = nullptr;
    QCheckBox *checkRand = nullptr;
    PushButton *Command1 = nullptr;
    PushButton *Command2 = nullptr;
    PushButton *Command3 = nullptr;
    PushButton *Command4 = nullptr;
    PushButton *Command5 = nullptr;
    PushButton *Command6 = nullptr;
    MouseLabel *lblHead = nullptr;
    MouseLabel *cmdclose = nullptr;
    MouseLabel *cmdmin = nullptr;
};

// Builds every control of the layout on window, which must have none yet, and sets the window's font.
WindowControls buildControls(QWidget &window);

} // namespace velmora
