// The results list: new lines in view, long lines reachable, several lines selected and copied, the
// context menu, the focus of an empty list, and printing through the print dialog's seam to a real PDF.

#include "windowtest.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>

using namespace velmora;
using namespace velmora::test;

namespace {

// Prints to a PDF file instead of asking, or answers Cancel.
class PdfPrinting final : public PrintDialogs {
public:
    QString path;
    bool accept = true;
    int asked = 0;

    bool choose(QWidget *, QPrinter &printer) override
    {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return accept;
    }
};

QStringList Texts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions)
        if (!action->isSeparator())
            texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
    return texts;
}

} // namespace

class ResultsListTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;
    PdfPrinting m_printing;

    ResultsList *list() const { return m_h.child<ResultsList>(QStringLiteral("lst1")); }

    void open()
    {
        m_h.open(&m_printing);
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_h.window.get()));
    }

    // Runs the car-type Go! count times with a list of 20 items, drawing all 20 each time.
    void drawTwenty(int count)
    {
        QStringList types;
        for (int i = 0; i < 20; ++i)
            types << QStringLiteral("type %1").arg(i);
        m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"))->setPlainText(types.join(u','));
        m_h.child<QComboBox>(QStringLiteral("cboOld"))->setCurrentIndex(19);
        for (int i = 0; i < count; ++i)
            m_h.child<QPushButton>(QStringLiteral("Command2"))->click();
    }

    bool rowShown(int row) const
    {
        const QRect rect = list()->visualItemRect(list()->item(row));
        return list()->viewport()->rect().contains(rect.topLeft()) &&
               list()->viewport()->rect().contains(rect.bottomLeft());
    }

private slots:
    void init()
    {
        QVERIFY(m_h.begin());
        m_printing = {};
        m_printing.path = QDir(m_h.home->path()).filePath(QStringLiteral("results.pdf"));
    }
    void cleanup() { m_h.finish(); }

    // Every run's first line comes into view, and long lines can be scrolled to.
    void eachRunComesIntoViewAndLongLinesCanBeReached()
    {
        open();
        drawTwenty(3); // 63 lines, far more than the list shows
        QVERIFY(rowShown(42));
        QVERIFY(!rowShown(0));
        drawTwenty(1);
        QVERIFY(rowShown(63));
        QCOMPARE(list()->horizontalScrollBar()->maximum(), 0);
        list()->addItem(QStringLiteral("Consolidated Paper Products of the Upper Valley - covered hopper"));
        QCoreApplication::processEvents();
        QVERIFY(list()->horizontalScrollBar()->maximum() > 0);
    }

    // Shift, Ctrl and Ctrl+A select several lines; Ctrl+C and the menu copy them as text, one line each.
    void linesAreSelectedAndCopiedAsText()
    {
        open();
        for (const char *line : {"Mill - hopper", "Dock - boxcar", "--------", "Yard - tank"})
            list()->addItem(QString::fromLatin1(line));
        list()->setFocus();
        QWidget *viewport = list()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier,
                          list()->visualItemRect(list()->item(1)).center());
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                          list()->visualItemRect(list()->item(3)).center());
        QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Mill - hopper\nDock - boxcar\nYard - tank"));

        const std::unique_ptr<QMenu> menu(list()->createContextMenu());
        QCOMPARE(Texts(menu->actions()), (QStringList{"Copy", "Copy All", "Select All", "Print…"}));
        QApplication::clipboard()->clear();
        menu->actions().at(1)->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Mill - hopper\nDock - boxcar\n--------\nYard - tank"));

        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(list()->selectedItems().size(), 4);

        // The export leaves the last line selected, alone.
        m_h.child<QPushButton>(QStringLiteral("Command3"))->click();
        QCOMPARE(list()->selectedItems().size(), 1);
        QCOMPARE(list()->currentRow(), 3);

        m_h.child<QPushButton>(QStringLiteral("Command6"))->click();
        const std::unique_ptr<QMenu> empty(list()->createContextMenu());
        QCOMPARE(Texts(empty->actions()),
                 (QStringList{"Copy (off)", "Copy All (off)", "Select All (off)", "Print… (off)"}));
    }

    // The focused list shows its focus when it holds no line as well.
    void anEmptyListShowsItsFocus()
    {
        open();
        QVERIFY(QTest::qWaitForWindowActive(m_h.window.get()));
        m_h.child<QPushButton>(QStringLiteral("Command1"))->setFocus();
        const QImage unfocused = list()->viewport()->grab().toImage();
        list()->setFocus();
        QVERIFY(list()->hasFocus());
        const QImage focused = list()->viewport()->grab().toImage();
        QVERIFY(focused != unfocused);
    }

    // Print goes through the print dialog's seam; printed to a PDF, it reads back as the export's heading
    // and every word of every line, in order and once, also where lines wrap over a page's foot. Cancel
    // prints nothing; a printer that cannot start is reported.
    void printsTheResultsAsASwitchList_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("wordsPerLine");
        QTest::newRow("more than a page of short lines") << 150 << 3;
        QTest::newRow("lines wider than the page") << 40 << 40;
    }
    void printsTheResultsAsASwitchList()
    {
        QFETCH(int, lineCount);
        QFETCH(int, wordsPerLine);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        open();
        QStringList lines;
        for (int i = 0; i < lineCount; ++i) {
            QStringList words;
            for (int j = 0; j < wordsPerLine; ++j)
                words << QStringLiteral("w%1").arg(i * wordsPerLine + j, 5, 10, QChar(u'0'));
            lines << words.join(u' ');
        }
        lines << QStringLiteral("--------");
        list()->addItems(lines);

        m_printing.accept = false;
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_printing.asked, 1);
        QVERIFY(!QFile::exists(m_printing.path));

        m_printing.accept = true;
        const std::unique_ptr<QMenu> menu(list()->createContextMenu());
        menu->actions().last()->trigger();
        QCOMPARE(m_printing.asked, 2);
        QVERIFY(m_h.messages.shown.isEmpty());
        QProcess reader;
        reader.start(pdftotext, {m_printing.path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished(30000));
        static const QRegularExpression space(QStringLiteral("\\s+"));
        const QStringList read =
            QString::fromUtf8(reader.readAllStandardOutput()).split(space, Qt::SkipEmptyParts);
        const QStringList heading = {QStringLiteral("Made With Ostrel Velmora v2.01"),
                                     QStringLiteral("Total number of results: %1").arg(lineCount + 1),
                                     QString(34, u'_')};
        QCOMPARE(read, (heading + lines).join(u' ').split(u' '));

        m_printing.path = QDir(m_h.home->path()).filePath(QStringLiteral("missing/folder/results.pdf"));
        menu->actions().last()->trigger();
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Print Failed"));
    }
};

QTEST_MAIN(ResultsListTest)
#include "tst_resultslist.moc"
