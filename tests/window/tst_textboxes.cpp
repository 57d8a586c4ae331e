// The text boxes: what they hold and refuse, reading txtOld verbatim, undoing a Clear, and a saved table
// that does not fit its boxes.

#include "selectionfile.h"
#include "selectionlayout.h"
#include "textcodec.h"
#include "windowtest.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace velmora;
using namespace velmora::test;

namespace {

// count items of one character each, or empty items when item is empty.
QString List(qsizetype count, const QString &item)
{
    QStringList items;
    for (qsizetype i = 0; i < count; ++i)
        items << item;
    return items.join(u',');
}

} // namespace

class TextBoxesTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

    QString textOf(const QString &name) const
    {
        if (auto *edit = qobject_cast<QLineEdit *>(m_h.child(name)))
            return edit->text();
        return m_h.window->txtOld();
    }

    // Pastes text into the named box at its end, as the user's Ctrl+V would.
    void paste(const QString &name, const QString &text)
    {
        QWidget *box = m_h.child(name);
        box->setFocus();
        QApplication::clipboard()->setText(text);
        if (auto *edit = qobject_cast<QLineEdit *>(box)) {
            edit->end(false);
            edit->paste();
        } else {
            auto *plain = qobject_cast<QPlainTextEdit *>(box);
            plain->moveCursor(QTextCursor::End);
            plain->paste();
        }
        QCoreApplication::processEvents(); // the refusal is reported once the edit is over
    }

    void expectBoxFull(const QString &word)
    {
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Box Full"));
        QVERIFY2(m_h.messages.shown.first().text.contains(word), qPrintable(m_h.messages.shown.first().text));
        m_h.messages.shown.clear();
    }

private slots:
    void init() { QVERIFY(m_h.begin()); }
    void cleanup() { m_h.finish(); }

    // Every box takes a text of exactly MaxTextBytes bytes in the code page and
    // refuses, whole and with a word, what would go beyond; the car-type boxes also stop at 32,768 items.
    void boxesHoldWhatTheFileHoldsAndRefuseMore_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("carTypes");
        QTest::newRow("industry name") << "txtInd(2)" << false;
        QTest::newRow("car types of a row") << "txtArr(5)" << true;
        QTest::newRow("car types to draw from") << "txtOld" << true;
    }
    void boxesHoldWhatTheFileHoldsAndRefuseMore()
    {
        QFETCH(QString, box);
        QFETCH(bool, carTypes);
        QCOMPARE(MaxTextBytes, 65535);
        m_h.open();
        // 65,535 bytes: "é" is two in UTF-8 and one in an ANSI code page.
        QStringEncoder encoder = SystemEncoder();
        const auto letterBytes = static_cast<qsizetype>(QByteArray(encoder.encode(u"\u00E9")).size());
        const qsizetype letters = (MaxTextBytes - 1) / letterBytes;
        const QString full =
            QString(letters, QChar(0x00E9)) + QString(MaxTextBytes - letters * letterBytes, u'x');
        paste(box, full.first(10));
        paste(box, full.sliced(10));
        QCOMPARE(textOf(box), full);
        QVERIFY(m_h.messages.shown.isEmpty());

        paste(box, QStringLiteral("y"));
        QCOMPARE(textOf(box), full);
        expectBoxFull(QStringLiteral("65,535 bytes"));
        QTest::keyClick(m_h.child(box), Qt::Key_Z);
        QCoreApplication::processEvents();
        QCOMPARE(textOf(box), full);
        expectBoxFull(QStringLiteral("65,535 bytes"));

        // A paste is refused whole, however large: nothing of it arrives.
        qobject_cast<QPushButton *>(m_h.child(box == "txtOld" ? "Command4" : "Command5"))->click();
        paste(box, QStringLiteral("hopper"));
        paste(box, QString(5'000'000, u'a'));
        QCOMPARE(textOf(box), QStringLiteral("hopper"));
        expectBoxFull(QStringLiteral("65,535 bytes"));

        // The largest list a run can use: 32,768 items, here empty ones. One more is refused.
        qobject_cast<QPushButton *>(m_h.child(box == "txtOld" ? "Command4" : "Command5"))->click();
        const QString most = List(MaxListItems, QString());
        paste(box, most);
        QCOMPARE(textOf(box), most);
        paste(box, QStringLiteral(","));
        if (carTypes) {
            QCOMPARE(textOf(box), most);
            expectBoxFull(QStringLiteral("32,768 car types"));
        } else {
            QCOMPARE(textOf(box), most + u',');
            QVERIFY(m_h.messages.shown.isEmpty());
        }
    }

    // A drop that a full box refuses is ignored, never taken as a move: the drag's source keeps its text.
    void refusedDropLeavesTheSourceItsText_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("grid box") << "txtInd(2)";
        QTest::newRow("car types to draw from") << "txtOld";
    }
    void refusedDropLeavesTheSourceItsText()
    {
        QFETCH(QString, box);
        m_h.open();
        const QString full(MaxTextBytes, u'x');
        paste(box, full);
        QWidget *target = m_h.child(box);
        if (auto *plain = qobject_cast<QPlainTextEdit *>(target))
            target = plain->viewport();
        QMimeData dragged;
        dragged.setText(QStringLiteral("hopper"));
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(5, 5), actions, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), actions, &dragged, Qt::LeftButton, Qt::NoModifier);
        drop.setDropAction(Qt::MoveAction);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        QVERIFY(!drop.isAccepted());
        QCOMPARE(textOf(box), full);
        expectBoxFull(QStringLiteral("65,535 bytes"));
    }

    // A largest list pasted into the car-type box is drawn from like any other: all of it reaches the run.
    void aFullCarTypeBoxIsDrawnFromToItsLastItem()
    {
        m_h.open();
        const QString list =
            List(MaxListItems - 1, QStringLiteral("a")) + QStringLiteral(",z"); // 65,535 bytes
        paste(QStringLiteral("txtOld"), list);
        QVERIFY(m_h.messages.shown.isEmpty());
        QCOMPARE(m_h.window->txtOld(), list);
        QCOMPARE(SplitCommaList(m_h.window->txtOld()).size(), MaxListItems);
        QCOMPARE(SplitCommaList(m_h.window->txtOld()).last(), QStringLiteral("z"));
    }

    // txtOld reads as typed: a no-break space stays one, line breaks read as "\n".
    void txtOldIsReadVerbatim()
    {
        m_h.open();
        auto *old = m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"));
        old->setFocus();
        QTest::keyClicks(old, QStringLiteral("tank\u00A0car"));
        QTest::keyClick(old, Qt::Key_Return);
        QTest::keyClicks(old, QStringLiteral("flat"));
        QCOMPARE(m_h.window->txtOld(), QStringLiteral("tank\u00A0car\nflat"));

        // Both items of two drawn: the run's lines hold the no-break space too.
        old->setPlainText(QStringLiteral("tank\u00A0car,flat"));
        m_h.child<QComboBox>(QStringLiteral("cboOld"))->setCurrentIndex(1);
        qobject_cast<QPushButton *>(m_h.child(QStringLiteral("Command2")))->click();
        auto *results = m_h.child<QListWidget>(QStringLiteral("lst1"));
        QCOMPARE(results->count(), 3);
        QVERIFY(!results->findItems(QStringLiteral("tank\u00A0car"), Qt::MatchExactly).isEmpty());
    }

    // The Clears empty the boxes as edits: Ctrl+Z in a box brings its text back.
    void clearsCanBeUndoneInEachBox()
    {
        m_h.open();
        auto *old = m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"));
        auto *name = m_h.child<QLineEdit>(QStringLiteral("txtInd(2)"));
        auto *types = m_h.child<QLineEdit>(QStringLiteral("txtArr(2)"));
        old->setPlainText(QStringLiteral("tank,flat"));
        name->setText(QStringLiteral("Mill"));
        types->setText(QStringLiteral("hopper"));

        qobject_cast<QPushButton *>(m_h.child(QStringLiteral("Command4")))->click();
        QVERIFY(m_h.window->txtOld().isEmpty());
        QTest::keyClick(old, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_h.window->txtOld(), QStringLiteral("tank,flat"));

        qobject_cast<QPushButton *>(m_h.child(QStringLiteral("Command5")))->click();
        QVERIFY(name->text().isEmpty());
        QVERIFY(types->text().isEmpty());
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(types, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("Mill"));
        QCOMPARE(types->text(), QStringLiteral("hopper"));
    }

    // A saved table whose car types do not fit a box (a file this program never writes so, but may be given)
    // loads whole car types up to the limit and says what was left out.
    void aSavedTableTooLargeForItsBoxesIsCutWithAWord()
    {
        SelectionRecord record;
        record.IndustryCount = 2;
        record.Industries.redim(3);
        record.Industries[0].Name = QStringLiteral("Mill");
        QStringList many;
        for (int i = 0; i < 20000; ++i)
            many << QStringLiteral("abc");
        record.Industries[0].CarTypes.assign(many);
        record.Industries[0].LastType = 19999;
        record.Industries[1].Name = QStringLiteral("Dock");
        record.Industries[1].CarTypes.assign({QStringLiteral("tank")});
        QVERIFY(SaveSelection(record, m_h.roots.selectionFile).ok);

        m_h.open();
        // 16,384 car types of three letters and their commas make 65,535 bytes exactly.
        const QString kept = List(16384, QStringLiteral("abc"));
        QCOMPARE(textOf(QStringLiteral("txtArr(0)")), kept);
        QCOMPARE(textOf(QStringLiteral("txtArr(1)")), QStringLiteral("tank"));
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Saved Data Cut"));
        QVERIFY2(message.text.contains(QStringLiteral("Industry 1: 16,384 of 20,000 car types")),
                 qPrintable(message.text));
        QVERIFY(!message.text.contains(QStringLiteral("Industry 2")));
    }
};

QTEST_MAIN(TextBoxesTest)
#include "tst_textboxes.moc"
