#include "accessibility.h"

#include "widgets.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace velmora {

namespace {

class LabelButtonAccessible final : public QAccessibleWidget {
public:
    explicit LabelButtonAccessible(MouseLabel *label) : QAccessibleWidget(label, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        // After the request returns, as a mouse click would come: the click may close the window or wait in
        // a message box, which must not hold the screen reader's call open.
        if (actionName == pressAction())
            // By name: the analyser cannot follow the slot object a function pointer would be wrapped in.
            QMetaObject::invokeMethod(object(), "clicked", Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// A selection-only drop-down list, as Qt offers it, but named by its accessible name.
class CountListAccessible final : public QAccessibleWidget {
public:
    explicit CountListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QComboBox *list() const { return static_cast<QComboBox *>(object()); }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        if (t == QAccessible::Name && list()->accessibleName().isEmpty())
            return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName != showMenuAction() && actionName != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

// The window, its outline, the title strip's grey band and the frame's dividing line are plain widgets to
// Qt, which offers each as a nameless "filler" that takes the name of an enclosing group box: the window
// itself would not be announced as a window, and the dividing line would read as "Velmora". The window is
// offered as a window named by its caption; the drawings say nothing, the line being a separator.
class ShapeAccessible final : public QAccessibleWidget {
public:
    explicit ShapeAccessible(Shape *shape)
        : QAccessibleWidget(shape, shape->style() == Shape::Style::Line ? QAccessible::Separator
                                                                        : QAccessible::Client)
    {
    }

    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("velmora::VelmoraWindow"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("velmora::Shape"))
        return new ShapeAccessible(static_cast<Shape *>(object));
    if (className == QLatin1String("velmora::MouseLabel")) {
        auto *label = static_cast<MouseLabel *>(object);
        return label->actsAsButton() ? new LabelButtonAccessible(label) : nullptr;
    }
    if (className == QLatin1String("QComboBox")) {
        auto *list = static_cast<QComboBox *>(object);
        return list->isEditable() ? nullptr : new CountListAccessible(list);
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace velmora
