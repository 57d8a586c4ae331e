// The title strip: the pressed feedback of "X" and "--", their clicks, dragging the window by lblHead,
// and the double-click that ends the program without saving.

#include "windowtest.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

using namespace velmora;
using namespace velmora::test;

class TitleStripTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

    MouseLabel *label(const char *name) const { return m_h.child<MouseLabel>(QString::fromLatin1(name)); }
    QPointF at(const char *name) const { return m_h.window->labelPosition(label(name)); }

    void press(QWidget *w, Qt::MouseButton b, Qt::MouseButtons held, QPointF p = {5, 5})
    {
        SendMouse(w, QEvent::MouseButtonPress, b, held, p);
    }
    void release(QWidget *w, Qt::MouseButton b, Qt::MouseButtons held, QPointF p = {5, 5})
    {
        SendMouse(w, QEvent::MouseButtonRelease, b, held, p);
    }
    void move(QWidget *w, Qt::MouseButtons held, QPointF p)
    {
        SendMouse(w, QEvent::MouseMove, Qt::NoButton, held, p);
    }

private slots:
    void init()
    {
        QVERIFY(m_h.begin());
        m_h.open();
    }
    void cleanup() { m_h.finish(); }

    void buttonLabelsShiftWhileHeld_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPointF>("rest");
        QTest::newRow("cmdclose") << QStringLiteral("cmdclose") << QPointF(7920, 120);
        QTest::newRow("cmdmin") << QStringLiteral("cmdmin") << QPointF(7680, 120);
    }
    void buttonLabelsShiftWhileHeld()
    {
        QFETCH(QString, name);
        QFETCH(QPointF, rest);
        MouseLabel *l = m_h.child<MouseLabel>(name);
        QCOMPARE(m_h.window->labelPosition(l), rest);
        const QPoint restPixels = l->pos();

        // Left, then right as well: two shifts of 20 twips; both up again: back exactly.
        press(l, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(m_h.window->labelPosition(l), rest + QPointF(20, 20));
        QCOMPARE(l->pos(), QPoint(qRound((rest.x() + 20) / 15), qRound((rest.y() + 20) / 15)));
        press(l, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(m_h.window->labelPosition(l), rest + QPointF(40, 40));
        release(l, Qt::RightButton, Qt::LeftButton, {100, 100}); // outside the label: no click
        QCOMPARE(m_h.window->labelPosition(l), rest + QPointF(20, 20));
        release(l, Qt::LeftButton, Qt::NoButton, {100, 100});
        QCOMPARE(m_h.window->labelPosition(l), rest);
        QCOMPARE(l->pos(), restPixels);

        // The middle button shifts too, and a middle click does nothing else.
        press(l, Qt::MiddleButton, Qt::MiddleButton);
        QCOMPARE(m_h.window->labelPosition(l), rest + QPointF(20, 20));
        release(l, Qt::MiddleButton, Qt::NoButton);
        QCOMPARE(m_h.window->labelPosition(l), rest);

        QCOMPARE(m_h.end.ends, 0);
        QVERIFY(!m_h.window->isMinimized());
    }

    void clicksCloseAndMinimiseWithEitherButton_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("left") << int(Qt::LeftButton);
        QTest::newRow("right") << int(Qt::RightButton);
    }
    void clicksCloseAndMinimiseWithEitherButton()
    {
        QFETCH(int, button);
        const auto b = Qt::MouseButton(button);
        MouseLabel *min = label("cmdmin");
        press(min, b, b);
        release(min, b, Qt::NoButton);
        QVERIFY(m_h.window->isMinimized());
        QCOMPARE(at("cmdmin"), QPointF(7680, 120));
        QCOMPARE(m_h.end.ends, 0);

        MouseLabel *close = label("cmdclose");
        press(close, b, b);
        release(close, b, Qt::NoButton);
        QCOMPARE(m_h.end.ends, 1);
        QCOMPARE(at("cmdclose"), QPointF(7920, 120)); // back in place before the program ends
    }

    void closeSavesOnlyWithSaveDataAndDoubleClickNeverSaves_data()
    {
        QTest::addColumn<bool>("saveData");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("close, ticked") << true << false;
        QTest::newRow("close, unticked") << false << false;
        QTest::newRow("double-click, ticked") << true << true;
        QTest::newRow("double-click, unticked") << false << true;
    }
    void closeSavesOnlyWithSaveDataAndDoubleClickNeverSaves()
    {
        QFETCH(bool, saveData);
        QFETCH(bool, doubleClick);
        m_h.child<QLineEdit>(QStringLiteral("txtInd(0)"))->setText(QStringLiteral("Mill"));
        m_h.child<QLineEdit>(QStringLiteral("txtArr(0)"))->setText(QStringLiteral("hopper"));
        m_h.child<QCheckBox>(QStringLiteral("checkData"))->setChecked(saveData);
        if (doubleClick)
            QTest::mouseDClick(label("lblHead"), Qt::LeftButton, {}, QPoint(20, 5));
        else
            QTest::mouseClick(label("cmdclose"), Qt::LeftButton);
        QCOMPARE(m_h.end.ends, 1);
        QCOMPARE(QFile::exists(m_h.roots.selectionFile), saveData && !doubleClick);
    }

    void dragMovesTheWindowByThePointersTravel()
    {
        MouseLabel *head = label("lblHead");
        press(head, Qt::LeftButton, Qt::LeftButton, {10, 5});
        QCOMPARE(m_h.window->PressX(), 150.0F);
        QCOMPARE(m_h.window->PressY(), 75.0F);

        move(head, Qt::LeftButton, {30, 15});
        QCOMPARE(m_h.window->windowPosition(), QPointF(1470 + 300, 1305 + 150));
        QCOMPARE(m_h.window->pos(), QPoint(98 + 20, 87 + 10));
        // The label moved with the window: the grabbed point is under the pointer again, so pointing at
        // the same place on the screen moves nothing.
        move(head, Qt::LeftButton, {10, 5});
        QCOMPARE(m_h.window->pos(), QPoint(118, 97));
        // Left and right together, or the right alone: no move.
        move(head, Qt::LeftButton | Qt::RightButton, {40, 40});
        move(head, Qt::RightButton, {40, 40});
        QCOMPARE(m_h.window->pos(), QPoint(118, 97));
        // Backwards and off the screen: no limit.
        move(head, Qt::LeftButton, {-200, -150});
        QCOMPARE(m_h.window->pos(), QPoint(118 - 210, 97 - 155));
        release(head, Qt::LeftButton, Qt::NoButton, {10, 5});
        QCOMPARE(m_h.end.ends, 0);
    }

    void moveBeforeAnyPressJumpsByThePointersPlace()
    {
        QCOMPARE(m_h.window->PressX(), 0.0F);
        QCOMPARE(m_h.window->PressY(), 0.0F);
        move(label("lblHead"), Qt::LeftButton, {12, 6});
        QCOMPARE(m_h.window->pos(), QPoint(98 + 12, 87 + 6));
        QCOMPARE(m_h.window->windowPosition(), QPointF(1470 + 180, 1305 + 90));
    }

    void pressesAnywhereOnTheLabelOverwritePressPosition()
    {
        MouseLabel *head = label("lblHead");
        press(head, Qt::RightButton, Qt::RightButton, {40, 3});
        QCOMPARE(m_h.window->PressX(), 600.0F);
        QCOMPARE(m_h.window->PressY(), 45.0F);
        release(head, Qt::RightButton, Qt::NoButton, {40, 3});
        QCOMPARE(m_h.window->pos(), QPoint(98, 87));
        QCOMPARE(m_h.end.ends, 0); // a right click on the title does nothing
    }
};

QTEST_MAIN(TitleStripTest)
#include "tst_titlestrip.moc"
