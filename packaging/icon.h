#pragma once

// The program's icon in the forms the platforms want: the desktops on Linux take a PNG and a scalable SVG,
// Windows takes an .ico file compiled into the executable. All three are made at build time from the one
// 32 x 32, 16-colour image, so they cannot drift apart from it.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace velmora {

// A Windows icon file holding this one image at 4 bits a pixel, with fully transparent pixels masked out
// and every other pixel taken as opaque. Returns an empty array (with the reason in *error) when the image
// is empty, larger than 256 pixels a side, or has more than 16 distinct opaque colours.
QByteArray IcoFromImage(const QImage &image, QString *error = nullptr);

// The same image as an SVG drawing: one square per pixel, with each row's runs of one colour drawn as one
// rectangle and fully transparent pixels left out. Drawn with crisp edges, it scales to any size as the
// pixel design it is.
QByteArray SvgFromImage(const QImage &image);

} // namespace velmora
