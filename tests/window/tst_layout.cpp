// The window as built: every control of the layout table made once, of its kind, where the table puts it;
// controls inside the window and apart where they must be; the stacking where they overlap; the focus
// order by real Tab presses; the fonts; captions that fit; and a name for a screen reader on every control.

#include "fonts.h"
#include "layout.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

using namespace velmora;
using namespace velmora::test;

namespace {

// The Qt class a control of each kind must be.
const char *ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
        return "QPushButton";
    case ControlKind::CheckBox:
        return "QCheckBox";
    case ControlKind::Frame:
        return "QGroupBox";
    case ControlKind::OutlineRect:
    case ControlKind::FilledRect:
    case ControlKind::Line:
        return "velmora::Shape";
    case ControlKind::Label:
        return "QLabel";
    case ControlKind::TextBox:
        return "QLineEdit";
    case ControlKind::MultiLineTextBox:
        return "QPlainTextEdit";
    case ControlKind::DropDownList:
        return "QComboBox";
    case ControlKind::ListBox:
        return "QListWidget";
    }
    return "";
}

QString CaptionOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return {};
}

// Where a control's caption is drawn, as its style lays it out.
QRect TextRoom(QWidget *widget)
{
    QStyle *style = widget->style();
    if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    }
    return widget->contentsRect();
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

private slots:
    void init()
    {
        QVERIFY(m_h.begin());
        m_h.open();
    }
    void cleanup() { m_h.finish(); }

    void windowIsFramelessFixedAndPlaced()
    {
        VelmoraWindow &w = *m_h.window;
        QCOMPARE(w.objectName(), QStringLiteral("Velmora"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Ostrel Velmora v2.1"));
        QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(w.isWindow());
        QCOMPARE(w.size(), QSize(552, 368));
        QCOMPARE(w.minimumSize(), QSize(552, 368));
        QCOMPARE(w.maximumSize(), QSize(552, 368));
        QCOMPARE(w.pos(), QPoint(98, 87));
        QCOMPARE(w.windowPosition(), QPointF(1470, 1305));

        const QImage icon = w.windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(icon.pixel(x, y));
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
        QVERIFY(colours.size() >= 4); // a picture, not a blank
    }

    // Each row of the table is one control with its name, of its kind, in its container, at its place,
    // with its caption; a control takes the focus exactly when it has a tab position.
    void everyControlIsBuiltFromTheTable()
    {
        const QList<ControlSpec> table = controlTable();
        QCOMPARE(table.size(), 28 + 2 * 8);
        QSet<QString> names;
        for (const ControlSpec &row : table) {
            QVERIFY2(!names.contains(row.name), qPrintable(row.name));
            names.insert(row.name);
            const QList<QWidget *> found = m_h.window->findChildren<QWidget *>(row.name);
            QCOMPARE(found.size(), 1);
            QWidget *widget = found.first();
            QVERIFY2(widget->inherits(ClassOf(row.kind)), qPrintable(row.name));
            QCOMPARE(widget->parentWidget()->objectName(), row.container == Container::Frame1
                                                               ? QStringLiteral("Frame1")
                                                               : QStringLiteral("Velmora"));
            const float height = row.kind == ControlKind::Line ? twipsPerPixel : row.height;
            QCOMPARE(widget->geometry(), twipsToPixels(row.left, row.top, row.width, height));
            QCOMPARE(CaptionOf(widget), row.caption);
            const bool takesFocus =
                widget->focusPolicy() == Qt::StrongFocus || widget->focusPolicy() == Qt::WheelFocus;
            QCOMPARE(takesFocus, isWindowed(row.kind) && row.kind != ControlKind::Frame);
            if (auto *combo = qobject_cast<QComboBox *>(widget))
                QVERIFY(!combo->isEditable());
        }
        // Nothing on the window that the table does not hold, apart from Qt's own parts of the controls.
        for (QWidget *widget : m_h.window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(names.contains(widget->objectName()), qPrintable(widget->objectName()));
        for (QWidget *widget :
             m_h.child(QStringLiteral("Frame1"))->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(names.contains(widget->objectName()), qPrintable(widget->objectName()));
    }

    // Every control lies inside the window (the outline is one pixel larger on purpose), the controls in the
    // frame inside the frame, and no two controls that take the focus or the mouse cover each other. A label
    // may be covered only along its last pixel row, by the box it heads; "X" lies one pixel over "--".
    void controlsLieInsideTheWindowAndApart()
    {
        const QRect client(QPoint(0, 0), m_h.window->size());
        QWidget *frame = m_h.child(QStringLiteral("Frame1"));
        struct Placed {
            QString name;
            QRect rect; // window pixels
            bool windowed;
        };
        QList<Placed> placed;
        for (const ControlSpec &row : controlTable()) {
            QWidget *widget = m_h.child(row.name);
            const QRect rect(widget->mapTo(m_h.window.get(), QPoint(0, 0)), widget->size());
            if (row.name == QLatin1String("Shape1"))
                QCOMPARE(rect, client.adjusted(0, 0, 1, 1));
            else
                QVERIFY2(client.contains(rect), qPrintable(row.name));
            if (row.container == Container::Frame1)
                QVERIFY2(frame->rect().contains(widget->geometry()), qPrintable(row.name));
            const bool drawn = row.kind == ControlKind::OutlineRect || row.kind == ControlKind::FilledRect ||
                               row.kind == ControlKind::Line || row.kind == ControlKind::Frame;
            if (!drawn)
                placed.append({row.name, rect, isWindowed(row.kind)});
        }
        QCOMPARE(placed.size(), 40);
        for (qsizetype i = 0; i < placed.size(); ++i) {
            for (qsizetype j = i + 1; j < placed.size(); ++j) {
                const Placed &a = placed.at(i);
                const Placed &b = placed.at(j);
                const QRect common = a.rect.intersected(b.rect);
                if (common.isEmpty())
                    continue;
                const QString pair = a.name + QLatin1String(" and ") + b.name;
                QVERIFY2(!a.windowed || !b.windowed, qPrintable(pair));
                if (a.windowed || b.windowed) {
                    const QRect &label = a.windowed ? b.rect : a.rect;
                    QVERIFY2(common.height() == 1 && common.top() == label.bottom(), qPrintable(pair));
                } else {
                    QCOMPARE(pair, QStringLiteral("cmdclose and cmdmin"));
                    QCOMPARE(common.width(), 1);
                }
            }
        }
    }

    // Every control a user reaches (by Tab, or "X" and "--" by the mouse) has a name for screen readers,
    // and no two say the same; "X" and "--" are push buttons whose press action works.
    void everyControlHasAScreenReaderName()
    {
        QSet<QString> said;
        int named = 0;
        for (QWidget *widget : m_h.window->findChildren<QWidget *>()) {
            auto *label = qobject_cast<MouseLabel *>(widget);
            if (widget->focusPolicy() == Qt::NoFocus && (label == nullptr || !label->actsAsButton()))
                continue;
            if (widget->parentWidget() != m_h.window.get() &&
                widget->parentWidget() != m_h.child(QStringLiteral("Frame1")))
                continue; // a part of a control, such as a list's scroll bar
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(spoken != nullptr);
            const QString name = spoken->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name != QLatin1String("Velmora"), qPrintable(widget->objectName()));
            const QString whole = name + QLatin1Char('|') + spoken->text(QAccessible::Description);
            QVERIFY2(!said.contains(whole), qPrintable(widget->objectName() + QLatin1String(": ") + whole));
            said.insert(whole);
            ++named;
        }
        QCOMPARE(named, 28 + 2); // the focus takers, "X" and "--"
        QCOMPARE(QAccessible::queryAccessibleInterface(m_h.child(QStringLiteral("txtInd(0)")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Industry 1"));
        QAccessibleInterface *count =
            QAccessible::queryAccessibleInterface(m_h.child(QStringLiteral("cboOld")));
        QCOMPARE(count->role(), QAccessible::ComboBox);
        QCOMPARE(count->text(QAccessible::Value), QStringLiteral("5"));
        // The frame's dividing line does not borrow the frame's title.
        QCOMPARE(QAccessible::queryAccessibleInterface(m_h.child(QStringLiteral("Line2")))
                     ->text(QAccessible::Name),
                 QString());

        // The window is a window named by its caption. Shown, as a screen reader finds it: from Qt 6.11 a
        // window that was never shown has no name yet.
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_h.window.get()));
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_h.window.get());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Ostrel Velmora v2.1"));
        for (const char *name : {"cmdmin", "cmdclose"}) {
            QAccessibleInterface *button =
                QAccessible::queryAccessibleInterface(m_h.child(QString::fromLatin1(name)));
            QCOMPARE(button->role(), QAccessible::Button);
            QVERIFY(button->actionInterface() != nullptr);
            QCOMPARE(button->actionInterface()->actionNames(),
                     QStringList{QAccessibleActionInterface::pressAction()});
            button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        // QTest::qWaitFor rather than QTRY_*: from Qt 6.8 those macros narrow a std::chrono time-out to
        // int inside the test's own code, which -Wconversion reports.
        QVERIFY(QTest::qWaitFor([this] { return m_h.window->isMinimized(); }));
        QVERIFY(QTest::qWaitFor([this] { return m_h.end.ends > 0; }));
        QCOMPARE(m_h.end.ends, 1);
    }

    void captionsDetailsAndTitleStrip()
    {
        auto *head = m_h.child<QLabel>(QStringLiteral("lblHead"));
        QVERIFY(head->text().startsWith(QStringLiteral(" Velmora v2.1")));
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdclose"))->toolTip(), QStringLiteral("End Velmora"));
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdmin"))->toolTip(),
                 QStringLiteral("Minimise Velmora to the taskbar"));
        QVERIFY(m_h.child<QLabel>(QStringLiteral("Label1"))->toolTip().isEmpty());
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("cmdclose"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label2"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label9"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(m_h.child<QLabel>(QStringLiteral("Label6"))->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignLeft);
        // Label2's right edge meets txtOld's.
        QCOMPARE(m_h.child(QStringLiteral("Label2"))->geometry().right(),
                 m_h.child(QStringLiteral("txtOld"))->geometry().right());

        for (const char *name : {"cmdclose", "cmdmin", "lblHead"}) {
            auto *label = m_h.child<QLabel>(QString::fromLatin1(name));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(!label->autoFillBackground());
        }
        // The grey band of the title strip and the window's outline, as drawn.
        const QImage image = m_h.window->grab().toImage();
        QCOMPARE(image.pixelColor(8 + 460, 8 + 8), QColor(128, 128, 128)); // between lblHead and "--"
        QCOMPARE(image.pixelColor(500, 9), QColor(128, 128, 128));
        const QColor line = m_h.window->palette().color(QPalette::WindowText);
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, 200), QPoint(300, 1), QPoint(551, 100), QPoint(200, 367)})
            QCOMPARE(image.pixelColor(p), line);
        QVERIFY(image.pixelColor(2, 200) != line);
        // Line2 across the frame, one pixel high, from frame x 16 to 351.
        const QPoint frame = m_h.child(QStringLiteral("Frame1"))->pos();
        QCOMPARE(image.pixelColor(frame + QPoint(16, 88)), line);
        QCOMPARE(image.pixelColor(frame + QPoint(351, 88)), line);
        QVERIFY(image.pixelColor(frame + QPoint(200, 89)) != line);
    }

    void stackingWhereControlsOverlap()
    {
        // Later siblings are drawn over earlier ones.
        const auto above = [this](const char *upper, const char *lower) {
            QWidget *a = m_h.child(QString::fromLatin1(upper));
            QWidget *b = m_h.child(QString::fromLatin1(lower));
            const QObjectList &siblings = a->parentWidget()->children();
            return siblings.indexOf(a) > siblings.indexOf(b);
        };
        QVERIFY(above("Command5", "Frame1"));
        QVERIFY(above("Command6", "Frame1"));
        QVERIFY(above("checkData", "Frame1"));
        QVERIFY(above("Command6", "Command5"));
        QVERIFY(above("cmdclose", "cmdmin")); // they overlap by one pixel
        QVERIFY(above("lblHead", "boxHead"));
        QVERIFY(above("cmdmin", "boxHead"));
        QVERIFY(above("Shape1", "cmdclose"));
        // Boxes cover the last strip of the labels that head them.
        QVERIFY(above("txtOld", "Label1"));
        QVERIFY(above("cboOld", "Label3"));
        QVERIFY(above("cboNumber", "Label7"));
        QVERIFY(above("lst1", "Label4"));
        QVERIFY(above("txtInd(0)", "Label6"));
        QVERIFY(above("txtArr(0)", "Label8"));
        // Where they overlap on screen, the pixel belongs to the upper control.
        QWidget *frame = m_h.child(QStringLiteral("Frame1"));
        QCOMPARE(frame->childAt(16 + 5, 32 + 0), m_h.child(QStringLiteral("txtOld")));
        QCOMPARE(m_h.window->childAt(528, 10), m_h.child(QStringLiteral("cmdclose")));
        QCOMPARE(m_h.window->childAt(480, 300), m_h.child(QStringLiteral("Command6")));
    }

    void focusStartsInTxtOldAndTabsInDesignOrder()
    {
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_h.window.get()));
        QCOMPARE(QApplication::focusWidget(), m_h.child(QStringLiteral("txtOld")));

        QStringList expected = {"txtOld", "Command2"};
        for (int row = 0; row < 8; ++row)
            expected << QStringLiteral("txtInd(%1)").arg(row) << QStringLiteral("txtArr(%1)").arg(row);
        expected << "Command1"
                 << "Command3"
                 << "cboNumber"
                 << "cboOld"
                 << "lst1"
                 << "checkData"
                 << "checkRand"
                 << "Command4"
                 << "Command5"
                 << "Command6"
                 << "txtOld";
        QStringList seen = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, expected);
    }

    void titleFontsAndDialogFont()
    {
        for (const char *name : {"cmdclose", "cmdmin", "lblHead"}) {
            const QFont font = m_h.child(QString::fromLatin1(name))->font();
            const QFontInfo info(font);
            QCOMPARE(info.pointSizeF(), 9.75);
            QCOMPARE(info.bold(), QByteArray(name) != "lblHead");
            // "MS Sans Serif" where it exists, otherwise the platform's sans-serif interface font.
            const QString interfaceFamily =
                QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
            QVERIFY2(info.family() == QStringLiteral("MS Sans Serif") || info.family() == interfaceFamily,
                     qPrintable(info.family()));
        }
        const QFont dialog = m_h.child(QStringLiteral("Label1"))->font();
        QVERIFY(dialog.pointSizeF() <= 8.0);
        QVERIFY(dialog.pointSizeF() >= 6.0); // still readable
        QCOMPARE(m_h.child(QStringLiteral("txtInd(0)"))->font(), dialog);
        QCOMPARE(m_h.child(QStringLiteral("Command1"))->font(), dialog);
    }

    // Measures every caption and count-list entry with the font its control really uses: as wide as the
    // room its style leaves for text, and as high as the room the dialog font was fitted to (a style's
    // bevels may take more, as Windows' do: its 17-pixel buttons leave 9 pixels inside them).
    void everyCaptionFitsItsControl()
    {
        QHash<QString, ControlSpec> rows;
        for (const ControlSpec &row : controlTable())
            rows.insert(row.name, row);
        const QList<QWidget *> widgets = m_h.window->findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *widget : widgets) {
            QStringList texts;
            bool wraps = false;
            if (auto *label = qobject_cast<QLabel *>(widget))
                texts << label->text();
            else if (auto *box = qobject_cast<QCheckBox *>(widget)) {
                texts << box->text();
                wraps = widget->height() > 20;
            } else if (auto *button = qobject_cast<QPushButton *>(widget))
                texts << button->text();
            else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
            }
            if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
                QStyleOptionGroupBox option;
                option.initFrom(frame);
                option.text = frame->title();
                option.subControls = QStyle::SC_GroupBoxLabel;
                const QRect room = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                                  QStyle::SC_GroupBoxLabel, frame);
                QVERIFY(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) <= room.width());
                ++checked;
                continue;
            }
            const QRect room = TextRoom(widget);
            const QFontMetrics metrics(widget->font());
            for (const QString &text : texts) {
                if (text.isEmpty())
                    continue;
                ++checked;
                if (wraps) {
                    const QRect needed =
                        metrics.boundingRect(QRect(0, 0, room.width(), 1000), Qt::TextWordWrap, text);
                    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                             qPrintable(widget->objectName()));
                    // Two text lines high, and the caption does break after "Random".
                    QVERIFY(metrics.horizontalAdvance(text) > room.width());
                } else {
                    QVERIFY2(metrics.horizontalAdvance(text) <= room.width(),
                             qPrintable(QStringLiteral("%1: \"%2\" needs %3 of %4")
                                            .arg(widget->objectName(), text)
                                            .arg(metrics.horizontalAdvance(text))
                                            .arg(room.width())));
                    const auto row = rows.constFind(widget->objectName());
                    const double height = row != rows.cend() && row->look == Look::Plain
                                              ? captionRoom(*row).height()
                                              : room.height();
                    QVERIFY2(metrics.height() <= height, qPrintable(QStringLiteral("%1: %2 high, %3 of room")
                                                                        .arg(widget->objectName())
                                                                        .arg(metrics.height())
                                                                        .arg(height)));
                }
            }
        }
        QVERIFY(checked >= 20 + 28); // the captions and both count lists' entries
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
