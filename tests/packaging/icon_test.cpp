#include "icon.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>

using velmora::IcoFromImage;
using velmora::SvgFromImage;

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void smallImageHasExactBytes();
    void roundTripsThroughQtReader();
    void refusesWhatAnIcoCannotHold_data();
    void refusesWhatAnIcoCannotHold();
    void svgDrawsEachRunOfOneColourOnce();
};

namespace {

QImage Paint(int width, int height, const QList<QRgb> &pixels)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixels[y * width + x]);
    return image;
}

constexpr QRgb Clear = 0x00000000u;

// Red, transparent, blue over blue, blue, red.
QImage SmallImage()
{
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    return Paint(3, 2, {red, Clear, blue, blue, blue, red});
}

} // namespace

void IconTest::smallImageHasExactBytes()
{
    const QImage image = SmallImage();

    // clang-format off
    const unsigned char expected[] = {
        // file header: reserved, type 1 (icon), one image
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
        // directory entry: 3 x 2, 16 colours, 1 plane, 4 bits, 120 bytes at offset 22
        0x03, 0x02, 0x10, 0x00, 0x01, 0x00, 0x04, 0x00, 0x78, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00,
        // bitmap header: 40 bytes, 3 wide, 2 x 2 high, 1 plane, 4 bits, no compression, 16 bytes of
        // bitmaps, no resolution, 16 colours used, all important
        0x28, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00, 0x04, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        // palette (blue, green, red, 0): red first as it appears first, then blue, then 14 blacks
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        // colour rows, bottom row first, padded to 4 bytes: (blue, blue, red), then (red, masked, blue)
        0x11, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00,
        // mask rows, bottom row first: only the top row's middle pixel is transparent
        0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00};
    // clang-format on

    QString error;
    const QByteArray ico = IcoFromImage(image, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(ico, QByteArray(reinterpret_cast<const char *>(expected), sizeof expected));
}

void IconTest::roundTripsThroughQtReader()
{
    // Sixteen colours and a transparent border on an odd-looking 32 x 32 pattern, so a mistake in nibble
    // order, row order or the mask shows up as a wrong pixel.
    const QList<QRgb> colours = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, (x == 0 || y == 31 || x == 30) ? Clear : colours[(x * 7 + y * 3) % 16]);

    const QByteArray ico = IcoFromImage(image);
    QBuffer buffer;
    buffer.setData(ico);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    const QImage decoded = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(decoded.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb want = image.pixel(x, y);
            const QRgb got = decoded.pixel(x, y);
            if (qAlpha(want) == 0)
                QVERIFY2(qAlpha(got) == 0,
                         qPrintable(QStringLiteral("(%1, %2) is not transparent").arg(x).arg(y)));
            else
                QVERIFY2(got == want, qPrintable(QStringLiteral("(%1, %2): %3 instead of %4")
                                                     .arg(x)
                                                     .arg(y)
                                                     .arg(got, 8, 16)
                                                     .arg(want, 8, 16)));
        }
    }
}

void IconTest::refusesWhatAnIcoCannotHold_data()
{
    QTest::addColumn<QImage>("image");

    QTest::newRow("empty") << QImage();
    QTest::newRow("too wide") << QImage(257, 1, QImage::Format_ARGB32);
    QImage seventeen(17, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 17; ++x)
        seventeen.setPixel(x, 0, qRgb(x * 10, 0, 0));
    QTest::newRow("seventeen colours") << seventeen;
}

void IconTest::refusesWhatAnIcoCannotHold()
{
    QFETCH(QImage, image);
    QString error;
    QVERIFY(IcoFromImage(image, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void IconTest::svgDrawsEachRunOfOneColourOnce()
{
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"3\" height=\"2\" viewBox=\"0 0 3 2\" "
        "shape-rendering=\"crispEdges\">\n"
        "<rect x=\"0\" y=\"0\" width=\"1\" height=\"1\" fill=\"#ff0000\"/>\n"
        "<rect x=\"2\" y=\"0\" width=\"1\" height=\"1\" fill=\"#0000ff\"/>\n"
        "<rect x=\"0\" y=\"1\" width=\"2\" height=\"1\" fill=\"#0000ff\"/>\n"
        "<rect x=\"2\" y=\"1\" width=\"1\" height=\"1\" fill=\"#ff0000\"/>\n"
        "</svg>\n";
    QCOMPARE(SvgFromImage(SmallImage()), expected);
}

QTEST_GUILESS_MAIN(IconTest)
#include "icon_test.moc"
