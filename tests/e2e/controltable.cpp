// Prints the program's own table of controls, so the whole-program tests take the controls from it rather
// than from a second copy.
//   control_table            as JSON, what a screen reader should be told about the window and each of
//                            its controls: the control's kind, where it lies in the window (pixels), and
//                            the name and description the program gives it. The AT-SPI test (atspi.py)
//                            finds each control in the real tree by where it lies.
//   control_table --centres  one line per control, "NAME X Y": its centre in window pixels, where the
//                            X11 and Wine tests click it.

#include "layout.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QString kindName(velmora::ControlKind kind)
{
    using K = velmora::ControlKind;
    switch (kind) {
    case K::PushButton:
        return QStringLiteral("push button");
    case K::CheckBox:
        return QStringLiteral("check box");
    case K::Frame:
        return QStringLiteral("frame");
    case K::OutlineRect:
    case K::FilledRect:
    case K::Line:
        return QStringLiteral("drawing");
    case K::Label:
        return QStringLiteral("label");
    case K::TextBox:
    case K::MultiLineTextBox:
        return QStringLiteral("text box");
    case K::DropDownList:
        return QStringLiteral("drop-down list");
    case K::ListBox:
        return QStringLiteral("list box");
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const QCoreApplication app(argc, argv);
    using namespace velmora;
    const bool centres = app.arguments().contains(QStringLiteral("--centres"));
    QByteArray out;

    QHash<QString, ScreenReaderText> spoken;
    for (const ScreenReaderText &text : screenReaderTexts())
        spoken.insert(text.name, text);

    const QList<ControlSpec> table = controlTable();
    QPoint frameOrigin;
    for (const ControlSpec &row : table) {
        if (row.kind == ControlKind::Frame)
            frameOrigin = twipsToPixels(row.left, row.top, row.width, row.height).topLeft();
    }

    QJsonArray controls;
    controls.append(
        QJsonObject{{"control", "Velmora"},
                    {"kind", "window"},
                    {"rect", QJsonArray{0, 0, twipsToPixels(clientWidth), twipsToPixels(clientHeight)}},
                    {"name", windowCaption},
                    {"description", QString()}});
    for (const ControlSpec &row : table) {
        // A line is drawn one pixel high, as the builder makes it.
        const float height = row.kind == ControlKind::Line ? twipsPerPixel : row.height;
        QRect rect = twipsToPixels(row.left, row.top, row.width, height);
        if (row.container == Container::Frame1)
            rect.translate(frameOrigin);
        if (centres) {
            const QPoint centre = rect.center();
            out += QStringLiteral("%1 %2 %3\n").arg(row.name).arg(centre.x()).arg(centre.y()).toUtf8();
            continue;
        }
        const ScreenReaderText text = spoken.value(row.name);
        const bool titleButton = row.look == Look::TitleButton;
        controls.append(QJsonObject{
            {"control", row.name},
            {"kind", titleButton ? QStringLiteral("push button") : kindName(row.kind)},
            {"rect", QJsonArray{rect.x(), rect.y(), rect.width(), rect.height()}},
            {"name", text.accessibleName.isEmpty() ? row.caption : text.accessibleName},
            // Without a description of its own, a control is described by its tooltip.
            {"description", text.description.isEmpty() ? row.tooltip : text.description},
        });
    }
    if (!centres)
        out = QJsonDocument(controls).toJson();
    return std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout) ==
                   static_cast<std::size_t>(out.size())
               ? 0
               : 1;
}
