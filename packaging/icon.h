#pragma once

// The program's icon in the forms the platforms want: the desktops on Linux take a PNG (and the SVG drawn
// after the same design), Windows takes an .ico file compiled into the executable. Both are made at build
// time from the one 32 x 32, 16-colour image, so they cannot drift apart from it.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace velmora {

// A Windows icon file holding this one image at 4 bits a pixel, with fully transparent pixels masked out
// and every other pixel taken as opaque. Returns an empty array (with the reason in *error) when the image
// is empty, larger than 256 pixels a side, or has more than 16 distinct opaque colours.
QByteArray IcoFromImage(const QImage &image, QString *error = nullptr);

} // namespace velmora
