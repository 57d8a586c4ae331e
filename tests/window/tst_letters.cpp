// Every letter whole on Windows: the tall letters of the window's captions reach as high as Windows itself
// draws them. Each is drawn by the toolkit in its control's font, through the same font engine and glyph
// cache as the window, and by Windows' own DrawTextW in the same face, pixel size and weight; the toolkit
// must ink as many rows. Runs under Wine at 96 dpi and, as window_letters_144dpi, at 144, where the
// toolkit's glyphs are its 96-dpi font scaled by 1.5 and Windows' the nearest whole pixel size, which may
// differ by a row either way.

#include "windowtest.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <cstring>
#include <string>
#include <utility>
#include <windows.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// How many rows of a picture (black on white) have a pixel at least a quarter inked, from the first such
// row to the last; 0 for none.
int inkedHeight(const QImage &image)
{
    int top = -1;
    int bottom = -2;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) <= 191) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
    return bottom - top + 1;
}

// How many rows the text inks (0 for none), when Windows draws it with a font of the toolkit font's
// face, pixel size on this screen and weight.
int heightByWindows(const QString &text, const QFont &font, qreal scale)
{
    const QFontInfo info(font);
    LOGFONTW logFont{};
    logFont.lfHeight = -qRound(font.pointSizeF() * 96.0 / 72.0 * scale);
    logFont.lfWeight = info.bold() ? FW_BOLD : FW_NORMAL;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    info.family().left(LF_FACESIZE - 1).toWCharArray(logFont.lfFaceName);
    const int side = 8 * static_cast<int>(-logFont.lfHeight);

    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT handle = CreateFontIndirectW(&logFont);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, handle);
    QImage image(side, side, QImage::Format_RGB32);
    if (bits != nullptr) {
        std::memset(bits, 0xff, static_cast<size_t>(image.sizeInBytes()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT room{side / 4, side / 4, side, side};
        const std::wstring wide = text.toStdWString();
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &room, DT_SINGLELINE | DT_NOPREFIX);
        GdiFlush();
        std::memcpy(image.bits(), bits, static_cast<size_t>(image.sizeInBytes()));
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(handle);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return bits != nullptr ? inkedHeight(image) : 0;
}

// The same when the toolkit draws it, on a picture of this screen's scale.
int heightByToolkit(const QString &text, const QFont &font, qreal scale)
{
    const int side = 8 * QFontInfo(font).pixelSize();
    QImage image(qCeil(side * scale), qCeil(side * scale), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(side / 4.0, side / 2.0), text);
    painter.end();
    return inkedHeight(image);
}

} // namespace

class LettersTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

private slots:
    void init()
    {
        QVERIFY(m_h.begin());
        m_h.open();
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_h.window.get()));
    }
    void cleanup() { m_h.finish(); }

    // Captions and a count-list entry in the dialog font, and captions in the title strip's regular and bold
    // fonts, with their tall letters.
    void tallLettersAreWhole_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("letters");
        const std::pair<const char *, const char *> rows[] = {
            {"Command1", "G!"}, {"Command4", "Cl"}, {"Label8", "SlibCT"}, {"Label6", "Id"},
            {"cboNumber", "5"}, {"lblHead", "Vlb"}, {"cmdclose", "X"}};
        for (const auto &[control, letters] : rows)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(letters);
    }
    void tallLettersAreWhole()
    {
        QFETCH(QString, control);
        QFETCH(QString, letters);
        QWidget *widget = m_h.child(control);
        const qreal scale = widget->devicePixelRatioF();
        const int slack = qFuzzyCompare(scale, 1.0) ? 0 : 1;
        for (const QChar letter : letters) {
            const int windows = heightByWindows(letter, widget->font(), scale);
            const int toolkit = heightByToolkit(letter, widget->font(), scale);
            QVERIFY(windows > 0);
            QVERIFY2(toolkit >= windows - slack,
                     qPrintable(QStringLiteral("\"%1\" in %2 %3 px at %4x: %5 rows inked, Windows inks %6")
                                    .arg(letter)
                                    .arg(QFontInfo(widget->font()).family())
                                    .arg(QFontInfo(widget->font()).pixelSize())
                                    .arg(scale)
                                    .arg(toolkit)
                                    .arg(windows)));
        }
    }
};

QTEST_MAIN(LettersTest)
#include "tst_letters.moc"
