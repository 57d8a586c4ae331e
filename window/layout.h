#pragma once

// The main window's controls as data.
//
// Every control of the window is one row of ControlTable(): its name, kind, container, caption, geometry in
// twips, tab position and look. The window builds its widgets from these rows and places them through
// TwipsToPixels(), the one conversion from the design's twips to Qt's logical pixels; tests check the
// built widgets against the same design figures. Rows come in stacking order within their container, the
// topmost first.

#include <QList>
#include <QRect>
#include <QString>
#include <utility>

namespace velmora {

inline constexpr float TwipsPerPixel = 15.0F;

// The window: its caption, where its client area opens and how large it is.
inline const QString WindowCaption = QStringLiteral("Ostrel Velmora v2.1");
inline constexpr float WindowLeft = 1470.0F;
inline constexpr float WindowTop = 1305.0F;
inline constexpr float ClientWidth = 8280.0F;
inline constexpr float ClientHeight = 5520.0F;

// The height of a control one text line high.
inline constexpr float OneLineHeight = 255.0F;

// How far the close and minimise labels shift while a mouse button is held on them.
inline constexpr float PressedShift = 20.0F;

enum class ControlKind {
    PushButton,
    CheckBox,
    Frame,       // group box with a caption, container of the working sections
    OutlineRect, // rectangle outline drawn on its container
    FilledRect,  // opaque filled rectangle drawn on its container
    Line,        // horizontal line from (left, top) to (left + width, top)
    Label,
    TextBox,
    MultiLineTextBox,
    DropDownList,
    ListBox,
};

enum class Container { Window, Frame1 };

enum class Look {
    Plain,       // the dialog font, platform colours, no background of its own
    FacePainted, // like Plain, but painted in the face colour
    TitleText,   // white "MS Sans Serif" 9.75 pt regular on the title strip
    TitleButton, // white "MS Sans Serif" 9.75 pt bold on the title strip
};

struct ControlSpec {
    ControlSpec(QString name_, ControlKind kind_, Container container_, QString caption_, float left_,
                float top_, float width_, float height_, int tab_, Qt::Alignment alignment_ = Qt::AlignLeft,
                Look look_ = Look::Plain, QString tooltip_ = {})
        : name(std::move(name_)), kind(kind_), container(container_), caption(std::move(caption_)),
          left(left_), top(top_), width(width_), height(height_), tab(tab_), alignment(alignment_),
          look(look_), tooltip(std::move(tooltip_))
    {
    }

    QString name;
    ControlKind kind;
    Container container;
    QString caption;
    float left; // twips from the container's top-left corner
    float top;
    float width;
    float height;
    int tab; // tab position, -1 for controls that have none
    Qt::Alignment alignment;
    Look look;
    QString tooltip;
};

// True for the kinds that are windows of their own in the design: they are drawn above the labels, lines
// and shapes of their container and can take the keyboard focus.
bool IsWindowed(ControlKind kind);

// Every control, each container's rows in stacking order from top to bottom.
QList<ControlSpec> ControlTable();

// The grid boxes' names, as the controls are named in the table: "txtInd(3)", "txtArr(3)".
QString GridName(const QString &column, int row);

// Twips to logical pixels, to the nearest pixel.
int TwipsToPixels(float twips);
QRect TwipsToPixels(float left, float top, float width, float height);

} // namespace velmora
