#pragma once

// The window's two fonts: the title strip's own, and the dialog font of every other control.

#include "layout.h"

#include <QFont>
#include <QSizeF>

namespace velmora {

// "MS Sans Serif" 9.75 pt, bold or regular; where that family is missing, the platform's sans-serif
// interface font at the same size.
QFont titleFont(bool bold);

// The room a control of the table leaves for its caption, in pixels: its width less what its kind keeps for
// bevels, indicator or inset, and its height less a pixel above and below.
QSizeF captionRoom(const ControlSpec &control);

// The platform's interface font at the largest size (8 pt at most) at which every caption of the table,
// and every entry of the count lists, fits its captionRoom.
QFont dialogFont(const QList<ControlSpec> &table);

} // namespace velmora
