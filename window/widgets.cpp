#include "widgets.h"

#include "layout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmora {

namespace {

// Qt's button bits for left, right and middle are the mask's 1, 2 and 4.
constexpr int LeftBit = 1;
constexpr int RightBit = 2;
constexpr int MaskButtons = LeftBit | RightBit | 4;

LabelMouse Describe(const QMouseEvent *event, int button)
{
    const QPointF local = event->position();
    return {button, static_cast<float>(local.x()) * twipsPerPixel,
            static_cast<float>(local.y()) * twipsPerPixel, event->globalPosition()};
}

int ButtonBit(const QMouseEvent *event)
{
    return static_cast<int>(event->button()) & MaskButtons;
}

} // namespace

void MouseLabel::press(QMouseEvent *event)
{
    const int bit = ButtonBit(event);
    if (bit == 0)
        return;
    if (m_pressed == 0)
        m_clickable = true;
    m_pressed |= bit;
    emit mouseDown(Describe(event, bit));
}

void MouseLabel::mousePressEvent(QMouseEvent *event)
{
    press(event);
    event->accept();
}

void MouseLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is still a press: the labels that shift while held must get it,
    // or its release would shift them once too often.
    press(event);
    if (event->button() == Qt::LeftButton) {
        m_clickable = false;
        emit doubleClicked();
    }
    event->accept();
}

void MouseLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const int bit = ButtonBit(event);
    if (bit == 0 || (m_pressed & bit) == 0)
        return;
    const int pressedBefore = m_pressed;
    m_pressed &= ~bit;
    emit mouseUp(Describe(event, bit));
    // One click per press-and-release sequence, reported when the last button comes up over the label.
    const bool clickButton = (pressedBefore & (LeftBit | RightBit)) != 0;
    if (m_pressed == 0 && m_clickable && clickButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void MouseLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(Describe(event, static_cast<int>(event->buttons()) & MaskButtons));
    event->accept();
}

Shape::Shape(Style style, QWidget *parent) : QWidget(parent), m_style(style)
{
    // Shapes are drawn on their container: the mouse goes to whatever lies under them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    switch (m_style) {
    case Style::Outline: {
        // Two pixels wide, inside the shape's rectangle; the shape is one pixel larger than the window, so
        // the right and bottom edges show one pixel of it.
        const QColor colour = palette().color(QPalette::WindowText);
        painter.fillRect(QRect(0, 0, width(), 2), colour);
        painter.fillRect(QRect(0, height() - 2, width(), 2), colour);
        painter.fillRect(QRect(0, 0, 2, height()), colour);
        painter.fillRect(QRect(width() - 2, 0, 2, height()), colour);
        break;
    }
    case Style::Fill:
        painter.fillRect(rect(), QColor(128, 128, 128));
        break;
    case Style::Line:
        painter.fillRect(QRect(0, 0, width(), 1), palette().color(QPalette::WindowText));
        break;
    }
}

void PushButton::keyPressEvent(QKeyEvent *event)
{
    // Qt presses a button with Enter only where it may be a dialog's default; on every desktop Enter presses
    // the focused button, so it does here too, without the default button's look.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier &&
        !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void WrapCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                         isEnabled(), text, QPalette::WindowText);
}

} // namespace velmora
