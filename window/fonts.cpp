#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// On Windows, text that Qt's GDI font engine would draw goes through DirectWrite instead. The GDI engine
// draws each glyph into a picture of the size GDI reports for it and keeps only that picture; with the
// interface font at the sizes the dialog font is fitted to, it kept too little (under Wine, Tahoma at 9 to
// 11 pixels lost the tops of "b", "h", "k" and the whole of "l", "i", "!"), where GDI's own DrawTextW inks
// every row. DirectWrite measures and draws a glyph as one. Qt takes it for a font that asks for vertical
// hinting alone; a bitmap font, which DirectWrite cannot draw, asks for full hinting and stays with GDI.
void drawWhole(QFont &font, bool bitmap)
{
#ifdef Q_OS_WIN
    font.setHintingPreference(bitmap ? QFont::PreferFullHinting : QFont::PreferVerticalHinting);
#else
    Q_UNUSED(font)
    Q_UNUSED(bitmap)
#endif
}

} // namespace

QFont titleFont(bool bold)
{
    const QString wanted = QStringLiteral("MS Sans Serif");
    // The platform's interface font is its sans-serif, so no style hint is needed; a hint would only
    // make the toolkit work out a second list of fallback fonts at start-up (for characters the font
    // lacks), where the one the application font already has serves.
    // The family is looked for in the list of installed families the toolkit already holds: hasFamily()
    // would first ask the font configuration for the name's aliases, a query as costly as setting up a font.
    // "MS Sans Serif" is a bitmap font on Windows (and under Wine). Its few pixel sizes are made for a screen
    // of 96 dots per inch; on a scaled screen the nearest is taller than the title strip's buttons (20
    // pixels for their 17 at 150 %), so there the interface font stands in, as where the family is missing.
    const bool found = QFontDatabase::families().contains(wanted, Qt::CaseInsensitive);
    const bool bitmap = found && !QFontDatabase::isSmoothlyScalable(wanted);
    const bool taken = found && (!bitmap || qGuiApp->devicePixelRatio() <= 1.0);
    QFont font = taken ? QFont(wanted) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    drawWhole(font, taken && bitmap);
    font.setPointSizeF(9.75);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

namespace {

// What a control of this kind keeps for itself around its caption, in pixels: button bevels, the check
// box's indicator and spacing, the frame's title inset.
float horizontalRoom(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return 10.0F;
    case ControlKind::CheckBox:
        return 24.0F;
    case ControlKind::Frame:
        return 20.0F;
    case ControlKind::DropDownList:
        return 28.0F;
    default:
        return 2.0F;
    }
}

// A font's metrics with each text's width measured once: the sizes tried all ask for the same captions, and
// measuring one shapes it anew each time.
class CaptionMetrics {
public:
    explicit CaptionMetrics(const QFont &font) : m_metrics(font) {}

    const QFontMetricsF &metrics() const { return m_metrics; }

    qreal width(const QString &text)
    {
        auto known = m_widths.constFind(text);
        if (known == m_widths.cend())
            known = m_widths.insert(text, m_metrics.horizontalAdvance(text));
        return *known;
    }

private:
    QFontMetricsF m_metrics;
    QHash<QString, qreal> m_widths;
};

// Whether a caption fits its control, measured with metrics of a font `scale` times the size at which the
// caption is to be drawn: the control's room is scaled alike, so one set of metrics can stand for any size.
bool fits(CaptionMetrics &measured, double scale, const ControlSpec &control, const QString &text)
{
    const QFontMetricsF &metrics = measured.metrics();
    const QSizeF room = captionRoom(control) * scale;
    if (control.kind == ControlKind::CheckBox && room.height() >= 2.0 * metrics.lineSpacing()) {
        // A two-line box wraps its caption between words.
        const QRectF bounds =
            metrics.boundingRect(QRectF(0, 0, room.width(), 1000.0 * scale), Qt::TextWordWrap, text);
        return bounds.width() <= room.width() && bounds.height() <= room.height();
    }
    return measured.width(text) <= room.width() && metrics.height() <= room.height();
}

bool allFit(CaptionMetrics &measured, double scale, const QList<ControlSpec> &table)
{
    for (const ControlSpec &control : table) {
        if (control.look != Look::Plain)
            continue;
        if (!control.caption.isEmpty() && !fits(measured, scale, control, control.caption))
            return false;
        // The widest entry of the count lists.
        if (control.kind == ControlKind::DropDownList &&
            !fits(measured, scale, control, QStringLiteral("20")))
            return false;
    }
    return true;
}

} // namespace

QSizeF captionRoom(const ControlSpec &control)
{
    return {twipsToPixels(control.width) - static_cast<double>(horizontalRoom(control.kind)),
            twipsToPixels(control.height) - 2.0};
}

QFont dialogFont(const QList<ControlSpec> &table)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    drawWhole(font, false);
    const double base = font.pointSizeF() > 0 ? font.pointSizeF() : 8.0;
    constexpr double largest = 8.0;
    constexpr double smallest = 5.0;
    constexpr double step = 0.25;
    // Each size tried is a font engine of its own, and setting one up is a good part of the start-up. So the
    // sizes are first tried with the metrics of the interface font at its own size, which the toolkit loads
    // for its text boxes anyway, as a text's width and height grow in proportion to the size. Only the size
    // found is then measured for itself, and a smaller one taken where rounding at that size says no.
    CaptionMetrics baseMetrics(font);
    double size = std::min(base, largest);
    size = std::floor(size / step) * step;
    while (size > smallest && !allFit(baseMetrics, base / size, table))
        size -= step;
    for (; size > smallest; size -= step) {
        font.setPointSizeF(size);
        CaptionMetrics measured(font);
        if (allFit(measured, 1.0, table))
            return font;
    }
    font.setPointSizeF(smallest);
    return font;
}

} // namespace velmora
