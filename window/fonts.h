#pragma once

// The window's two fonts: the title strip's own, and the dialog font of every other control.

#include "layout.h"

#include <QFont>

namespace velmora {

// "MS Sans Serif" 9.75 pt, bold or regular; where that family is missing, the platform's sans-serif
// interface font at the same size.
QFont titleFont(bool bold);

// The platform's interface font at the largest size (8 pt at most) at which every caption of the table,
// and every entry of the count lists, fits its control.
QFont dialogFont(const QList<ControlSpec> &table);

} // namespace velmora
