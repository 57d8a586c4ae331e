#pragma once

// The main window's controls as data.
//
// Every control of the window is one row of controlTable(): its name, kind, container, caption, geometry in
// twips, tab position and look; screenReaderTexts() adds what a screen reader says for the controls whose
// caption alone does not tell. The builder (controlbuilder.h) makes the widgets from these rows and places
// them through twipsToPixels(), the one conversion from the design's twips to Qt's logical pixels. Rows
// come in stacking order within their container, the topmost first.

#include <QList>
#include <QRect>
#include <QString>
#include <utility>

namespace velmora {

inline constexpr float twipsPerPixel = 15.0F;

// The window: its caption (the one place it is written), where its client area opens and how large it is.
inline const QString windowCaption = QStringLiteral("Ostrel Velmora v2.1");
inline constexpr float windowLeft = 1470.0F;
inline constexpr float windowTop = 1305.0F;
inline constexpr float clientWidth = 8280.0F;
inline constexpr float clientHeight = 5520.0F;

// The height of a control one text line high.
inline constexpr float oneLineHeight = 255.0F;

// How far the close and minimise labels shift while a mouse button is held on them.
inline constexpr float pressedShift = 20.0F;

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
    TitleText,   // white "MS Sans Serif" 9.75 pt regular on the title strip
    TitleButton, // white "MS Sans Serif" 9.75 pt bold on the title strip; acts as a push button
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
bool isWindowed(ControlKind kind);

// Every control, each container's rows in stacking order from top to bottom.
QList<ControlSpec> controlTable();

// What a screen reader says for a control beyond its caption: its accessible name and, where the name
// alone is ambiguous, a description. Controls left out are announced by their caption.
struct ScreenReaderText {
    QString name; // the control's name in controlTable()
    QString accessibleName;
    QString description;
};
QList<ScreenReaderText> screenReaderTexts();

// The grid boxes' names, as the controls are named in the table: "txtInd(3)", "txtArr(3)".
QString gridName(const QString &column, int row);

// Twips to logical pixels, to the nearest pixel.
int twipsToPixels(float twips);
QRect twipsToPixels(float left, float top, float width, float height);

} // namespace velmora
