#include "icon.h"

#include <QColor>
#include <QList>
#include <QtEndian>
#include <algorithm>

namespace velmora {

namespace {

void PutU8(QByteArray &out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
}

void PutU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void PutU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Bitmap rows are padded to whole 32-bit words.
int RowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool Fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QByteArray IcoFromImage(const QImage &source, QString *error)
{
    if (source.isNull()) {
        Fail(error, QStringLiteral("the image is empty"));
        return {};
    }
    if (source.width() > 256 || source.height() > 256) {
        Fail(error, QStringLiteral("an icon image is at most 256 pixels a side"));
        return {};
    }
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();

    // The palette in the order the colours first appear, reading rows from the top; transparent pixels
    // take entry 0 and are hidden by the mask.
    QList<QRgb> palette;
    QList<int> indexes;
    indexes.reserve(static_cast<qsizetype>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                indexes.append(-1);
                continue;
            }
            const QRgb opaque = pixel | 0xFF000000u;
            qsizetype index = palette.indexOf(opaque);
            if (index < 0) {
                if (palette.size() == 16) {
                    Fail(error, QStringLiteral("the image has more than 16 colours"));
                    return {};
                }
                palette.append(opaque);
                index = palette.size() - 1;
            }
            indexes.append(static_cast<int>(index));
        }
    }
    palette.resize(16, qRgb(0, 0, 0));

    const int xorRow = RowBytes(width, 4);
    const int andRow = RowBytes(width, 1);
    const auto imageBytes = static_cast<quint32>((xorRow + andRow) * height);
    const quint32 headerBytes = 40 + 16 * 4;

    QByteArray out;
    // The file header and its one directory entry; a side of 256 is written as 0.
    PutU16(out, 0);
    PutU16(out, 1);
    PutU16(out, 1);
    PutU8(out, width);
    PutU8(out, height);
    PutU8(out, 16);
    PutU8(out, 0);
    PutU16(out, 1);
    PutU16(out, 4);
    PutU32(out, headerBytes + imageBytes);
    PutU32(out, 22);

    // The bitmap header counts the colour rows and the mask rows together, hence twice the height.
    PutU32(out, 40);
    PutU32(out, static_cast<quint32>(width));
    PutU32(out, static_cast<quint32>(2 * height));
    PutU16(out, 1);
    PutU16(out, 4);
    PutU32(out, 0);
    PutU32(out, imageBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 16);
    PutU32(out, 0);
    for (const QRgb colour : palette) {
        PutU8(out, qBlue(colour));
        PutU8(out, qGreen(colour));
        PutU8(out, qRed(colour));
        PutU8(out, 0);
    }

    // Both bitmaps run from the bottom row up; the left pixel of a pair sits in the high nibble.
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(xorRow, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = std::max(indexes[static_cast<qsizetype>(y) * width + x], 0);
            const int shift = (x % 2 == 0) ? 4 : 0;
            row[x / 2] = static_cast<char>(row[x / 2] | (index << shift));
        }
        out.append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(andRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (indexes[static_cast<qsizetype>(y) * width + x] < 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray SvgFromImage(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    QByteArray out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                                    "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
                         .arg(width)
                         .arg(height)
                         .toUtf8();
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            const QRgb pixel = image.pixel(x, y);
            int end = x + 1;
            while (end < width && image.pixel(end, y) == pixel)
                ++end;
            if (qAlpha(pixel) != 0) {
                out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"%4\"/>\n")
                           .arg(x)
                           .arg(y)
                           .arg(end - x)
                           .arg(QColor(pixel).name())
                           .toUtf8();
            }
            x = end;
        }
    }
    out += "</svg>\n";
    return out;
}

} // namespace velmora
