#pragma once

// The few widgets the window needs beyond Qt's own.
//
// MouseLabel is a label that reports the mouse the way the title strip's handlers expect it: press,
// release and move with a button mask (1 left, 2 right, 4 middle; in a move every button held) and X, Y in
// twips from the label's top-left corner, plus click and double-click. Qt grabs the mouse for the pressed
// widget, so the release and the moves after a press reach the label even outside it; a label that acts as
// a button ("X", "--") is offered to screen readers as a push button (accessibility.h). Shape draws the
// window's outline, the title strip's grey band and the frame's dividing line. WrapCheckBox is a check box
// whose caption wraps onto a second line. PushButton is a push button that Enter presses, as Space does.

#include <QCheckBox>
#include <QLabel>
#include <QPointF>
#include <QPushButton>

namespace velmora {

struct LabelMouse {
    int button = 0; // the button that changed, or in a move every button held
    float x = 0;    // twips from the label's top-left corner
    float y = 0;
    QPointF global; // the pointer on the screen, logical pixels
};

class MouseLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The buttons pressed on the label and not released yet.
    int pressedButtons() const { return m_pressed; }

    // A label that acts as a push button: its click is its action.
    bool actsAsButton() const { return m_actsAsButton; }
    void setActsAsButton(bool on) { m_actsAsButton = on; }

signals:
    void mouseDown(const velmora::LabelMouse &event);
    void mouseUp(const velmora::LabelMouse &event);
    void mouseMove(const velmora::LabelMouse &event);
    // A left or right button pressed and released over the label; reported after the release.
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void press(QMouseEvent *event);

    int m_pressed = 0;       // buttons pressed on the label and not yet released
    bool m_clickable = true; // false after a double-click, whose release is not a further click
    bool m_actsAsButton = false;
};

class Shape final : public QWidget {
    Q_OBJECT
public:
    enum class Style { Outline, Fill, Line };
    Shape(Style style, QWidget *parent);

    Style style() const { return m_style; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Style m_style;
};

class PushButton final : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class WrapCheckBox final : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace velmora
