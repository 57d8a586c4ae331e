#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace velmora {

QFont titleFont(bool bold)
{
    const QString wanted = QStringLiteral("MS Sans Serif");
    // The platform's interface font is its sans-serif, so no style hint is needed; a hint would only
    // make the toolkit work out a second list of fallback fonts at start-up (for characters the font
    // lacks), where the one the application font already has serves.
    QFont font = QFontDatabase::hasFamily(wanted) ? QFont(wanted)
                                                  : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
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

bool fits(const QFont &font, const ControlSpec &control, const QString &text)
{
    const QFontMetricsF metrics(font);
    const float width = static_cast<float>(twipsToPixels(control.width)) - horizontalRoom(control.kind);
    const float height = static_cast<float>(twipsToPixels(control.height));
    if (control.kind == ControlKind::CheckBox && height >= 2.0F * static_cast<float>(metrics.lineSpacing())) {
        // A two-line box wraps its caption between words.
        const QRectF bounds =
            metrics.boundingRect(QRectF(0, 0, static_cast<double>(width), 1000.0), Qt::TextWordWrap, text);
        return bounds.width() <= static_cast<double>(width) && bounds.height() <= static_cast<double>(height);
    }
    return metrics.horizontalAdvance(text) <= static_cast<double>(width) &&
           metrics.height() <= static_cast<double>(height) - 2.0;
}

bool allFit(const QFont &font, const QList<ControlSpec> &table)
{
    for (const ControlSpec &control : table) {
        if (control.look != Look::Plain)
            continue;
        if (!control.caption.isEmpty() && !fits(font, control, control.caption))
            return false;
        // The widest entry of the count lists.
        if (control.kind == ControlKind::DropDownList && !fits(font, control, QStringLiteral("20")))
            return false;
    }
    return true;
}

} // namespace

QFont dialogFont(const QList<ControlSpec> &table)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    double size = std::min(font.pointSizeF() > 0 ? font.pointSizeF() : 8.0, 8.0);
    constexpr double smallest = 5.0;
    for (; size > smallest; size -= 0.25) {
        font.setPointSizeF(size);
        if (allFit(font, table))
            return font;
    }
    font.setPointSizeF(smallest);
    return font;
}

} // namespace velmora
