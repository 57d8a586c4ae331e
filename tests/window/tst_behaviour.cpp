// Start-up and shutdown, the check boxes, the commands and the keys, driven through the real controls.

#include "folders.h"
#include "protect.h"
#include "selectionfile.h"
#include "testfiles.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace velmora;
using namespace velmora::test;

namespace {

QStringList Entries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

QStringList Numbers(int last)
{
    QStringList numbers;
    for (int n = 1; n <= last; ++n)
        numbers << QString::number(n);
    return numbers;
}

QStringList Lines(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// A table as the program saves it: Mill in row 0 with hopper,boxcar, Random Order ticked.
SelectionRecord MillRecord()
{
    SelectionRecord record;
    record.RandomOrder = 1;
    record.RunCount = 3;
    record.IndustryCount = 1;
    record.Industries.redim(1);
    record.Industries[0].Name = QStringLiteral("Mill");
    record.Industries[0].LastType = 1;
    record.Industries[0].CarTypes.assign({QStringLiteral("hopper"), QStringLiteral("boxcar")});
    return record;
}

} // namespace

class BehaviourTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

    QLineEdit *ind(int row) const { return m_h.child<QLineEdit>(QStringLiteral("txtInd(%1)").arg(row)); }
    QLineEdit *arr(int row) const { return m_h.child<QLineEdit>(QStringLiteral("txtArr(%1)").arg(row)); }
    // The "Program Files" folder the Selection file's folder hangs from.
    QString programFiles() const
    {
        return QDir::cleanPath(QFileInfo(m_h.roots.selectionFile).absolutePath() + QStringLiteral("/../.."));
    }
    QCheckBox *box(const char *name) const { return m_h.child<QCheckBox>(QString::fromLatin1(name)); }
    QPushButton *button(int n) const { return m_h.child<QPushButton>(QStringLiteral("Command%1").arg(n)); }
    QListWidget *results() const { return m_h.child<QListWidget>(QStringLiteral("lst1")); }
    QString runCaption() const { return m_h.child<QLabel>(QStringLiteral("lblres"))->text(); }

    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Dock, with Random Order off, saved at newer; Mill, an hour older, at older.
    void saveTwoTables(const QString &newer, const QString &older)
    {
        SelectionRecord dock = MillRecord();
        dock.Industries[0].Name = QStringLiteral("Dock");
        dock.RandomOrder = 0;
        QVERIFY(SaveSelection(MillRecord(), older).ok);
        QVERIFY(SaveSelection(dock, newer).ok);
        QFile file(older);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    }
    void showActive()
    {
        m_h.window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_h.window.get()));
    }

private slots:
    void init() { QVERIFY(m_h.begin()); }
    void cleanup() { m_h.finish(); }

    // ---- Start-up ----

    void firstStartWithoutAFile()
    {
        m_h.open();
        for (int row = 0; row < 8; ++row) {
            QVERIFY(ind(row)->text().isEmpty());
            QVERIFY(arr(row)->text().isEmpty());
        }
        QVERIFY(QFileInfo(m_h.roots.selectionFile).absoluteDir().exists());
        QVERIFY(!box("checkData")->isChecked());
        QVERIFY(!box("checkRand")->isChecked());
        QCOMPARE(m_h.window->code().SaveOnExit, False);
        auto *number = m_h.child<QComboBox>(QStringLiteral("cboNumber"));
        auto *old = m_h.child<QComboBox>(QStringLiteral("cboOld"));
        QCOMPARE(Entries(number), Numbers(8));
        QCOMPARE(Entries(old), Numbers(20));
        QCOMPARE(number->currentText(), QStringLiteral("5"));
        QCOMPARE(old->currentText(), QStringLiteral("5"));
        QCOMPARE(runCaption(), QStringLiteral("0"));
        QVERIFY(results()->count() == 0);
        QVERIFY(m_h.messages.shown.isEmpty());
    }

    void startRestoresAndDeletesTheSavedTable()
    {
        QVERIFY(makeFolderFor(m_h.roots.selectionFile).ok);
        QVERIFY(SaveSelection(MillRecord(), m_h.roots.selectionFile).ok);
        m_h.open();
        QCOMPARE(ind(0)->text(), QStringLiteral("Mill"));
        QCOMPARE(arr(0)->text(), QStringLiteral("hopper,boxcar"));
        QVERIFY(ind(1)->text().isEmpty());
        QVERIFY(box("checkRand")->isChecked());
        QCOMPARE(m_h.window->code().record.RandomOrder, qint16(1));
        QVERIFY(box("checkData")->isChecked());
        QCOMPARE(m_h.window->code().SaveOnExit, True);
        QCOMPARE(m_h.window->code().record.RunCount, qint16(0));
        QVERIFY(!QFile::exists(m_h.roots.selectionFile));
        QVERIFY(m_h.messages.shown.isEmpty());
    }

    void unreadableFileIsReportedOnceAndTheGridStartsEmpty()
    {
        QVERIFY(makeFolderFor(m_h.roots.selectionFile).ok);
        QFile file(m_h.roots.selectionFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x01\x00\x03\x00\x05\x00\x01\x00\xff", 9)); // cut short inside a header
        file.close();

        m_h.open();
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Saved Data Not Loaded"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
        const QString kept =
            QDir::toNativeSeparators(m_h.roots.selectionFile + QStringLiteral(".unreadable"));
        QVERIFY2(message.text.contains(kept), qPrintable(message.text));
        QVERIFY(QFile::exists(m_h.roots.selectionFile + QStringLiteral(".unreadable")));
        for (int row = 0; row < 8; ++row)
            QVERIFY(ind(row)->text().isEmpty());
        QVERIFY(!box("checkData")->isChecked());
        QCOMPARE(m_h.window->code().SaveOnExit, False);
        QCOMPARE(Entries(m_h.child<QComboBox>(QStringLiteral("cboNumber"))), Numbers(8));
    }

    // The table comes back, but a file stays and would load again (the loaded one, or an older one in the
    // other place): the user hears why, once, with the file's name.
    void savedTableThatCannotBeDeletedIsReported_data()
    {
        QTest::addColumn<bool>("older");
        QTest::newRow("the loaded table") << false;
        QTest::newRow("an older table") << true;
    }
    void savedTableThatCannotBeDeletedIsReported()
    {
        QFETCH(bool, older);
        if (older)
            saveTwoTables(m_h.roots.selectionFallback, m_h.roots.selectionFile);
        else
            QVERIFY(SaveSelection(MillRecord(), m_h.roots.selectionFile).ok);
        const QString folder = QFileInfo(m_h.roots.selectionFile).absolutePath();
        QString reason;
        if (!setProtected(folder, true, &reason))
            QSKIP("the folder cannot be protected from deletions here");
        m_h.open();
        QVERIFY(setProtected(folder, false));

        QCOMPARE(ind(0)->text(), older ? QStringLiteral("Dock") : QStringLiteral("Mill"));
        QVERIFY(box("checkData")->isChecked());
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Saved Data Not Deleted"));
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(m_h.roots.selectionFile)),
                 qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QVERIFY(QFile::exists(m_h.roots.selectionFile));
        QVERIFY(!QFile::exists(m_h.roots.selectionFallback));
    }

    // A folder that cannot be made at start-up stops nothing; the save at exit reports its failure and
    // offers Retry, Discard and Cancel.
    void failedSaveAtExitIsNeverSilent()
    {
        QFile blocker(programFiles());
        QVERIFY(QDir().mkpath(QFileInfo(programFiles()).absolutePath()));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a plain file where the folder should be
        blocker.close();

        m_h.open();
        QVERIFY(m_h.messages.shown.isEmpty());
        ind(0)->setText(QStringLiteral("Mill"));
        arr(0)->setText(QStringLiteral("hopper"));
        click(box("checkData"));
        QCOMPARE(m_h.window->code().SaveOnExit, True);

        // Cancel: the program stays open and nothing is lost.
        m_h.messages.answers = {MessageAnswer::Cancel};
        m_h.window->ShutDown();
        QCOMPARE(m_h.end.ends, 0);
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message failure = m_h.messages.shown.first();
        QCOMPARE(failure.title, QStringLiteral("Save Failed"));
        QCOMPARE(failure.buttons, MessageButtons::RetryDiscardCancel);
        QVERIFY(failure.text.contains(QDir::toNativeSeparators(m_h.roots.selectionFile)));
        QCOMPARE(ind(0)->text(), QStringLiteral("Mill"));

        // Retry after the obstacle is gone: the file is written and the program ends.
        m_h.messages.answers = {MessageAnswer::Retry};
        m_h.messages.onShow = [&](const Message &) { QVERIFY(blocker.remove()); };
        m_h.window->ShutDown();
        QCOMPARE(m_h.messages.shown.size(), 2);
        QCOMPARE(m_h.end.ends, 1);
        QVERIFY(QFile::exists(m_h.roots.selectionFile));
    }

    void discardEndsWithoutSaving()
    {
        QVERIFY(QDir().mkpath(QFileInfo(programFiles()).absolutePath()));
        QFile blocker(programFiles());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_h.open();
        click(box("checkData"));
        m_h.messages.answers = {MessageAnswer::Discard};
        m_h.window->ShutDown();
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.end.ends, 1);
    }

    // A user who may not write under "Program Files": the table goes to the VirtualStore without a word
    // and comes back from there at the next start.
    void saveRefusedAtItsPlaceComesBackFromTheVirtualStore()
    {
        m_h.rights.refused = {programFiles()};
        m_h.open();
        ind(0)->setText(QStringLiteral("Mill"));
        arr(0)->setText(QStringLiteral("hopper,boxcar"));
        click(box("checkData"));
        m_h.window->ShutDown();
        QCOMPARE(m_h.end.ends, 1);
        QVERIFY(m_h.messages.shown.isEmpty());
        QVERIFY(!QFile::exists(m_h.roots.selectionFile));
        QCOMPARE(QFileInfo(m_h.roots.selectionFallback).size(), 64); // Mill, two car types, the spare element

        m_h.window.reset();
        m_h.open();
        QCOMPARE(ind(0)->text(), QStringLiteral("Mill"));
        QCOMPARE(arr(0)->text(), QStringLiteral("hopper,boxcar"));
        QVERIFY(box("checkData")->isChecked());
        QVERIFY(!QFile::exists(m_h.roots.selectionFallback));
        QVERIFY(m_h.messages.shown.isEmpty());
    }

    void theNewerOfTwoSavedTablesIsLoadedAndBothGo_data()
    {
        QTest::addColumn<bool>("fallbackNewer");
        QTest::newRow("VirtualStore newer") << true;
        QTest::newRow("own place newer") << false;
    }
    void theNewerOfTwoSavedTablesIsLoadedAndBothGo()
    {
        QFETCH(bool, fallbackNewer);
        if (fallbackNewer)
            saveTwoTables(m_h.roots.selectionFallback, m_h.roots.selectionFile);
        else
            saveTwoTables(m_h.roots.selectionFile, m_h.roots.selectionFallback);

        m_h.open();
        QCOMPARE(ind(0)->text(), QStringLiteral("Dock"));
        QVERIFY(!box("checkRand")->isChecked());
        QVERIFY(box("checkData")->isChecked());
        QVERIFY(!QFile::exists(m_h.roots.selectionFile));
        QVERIFY(!QFile::exists(m_h.roots.selectionFallback));
        QVERIFY(m_h.messages.shown.isEmpty());
    }

    void repeatedStartUpKeepsListsAndSaveDataInStep()
    {
        m_h.open();
        ind(2)->setText(QStringLiteral("Yard"));
        click(box("checkData"));
        QVERIFY(box("checkData")->isChecked());
        m_h.window->code().record.RunCount = 4;
        results()->addItem(QStringLiteral("Yard - tank"));
        m_h.child<QLabel>(QStringLiteral("lblres"))->setText(QStringLiteral("4"));

        QTest::mouseDClick(results()->viewport(), Qt::LeftButton, {},
                           results()->visualItemRect(results()->item(0)).center());
        QCOMPARE(results()->count(), 0);
        QCOMPARE(runCaption(), QStringLiteral("0"));
        QCOMPARE(m_h.window->code().record.RunCount, qint16(0));
        QVERIFY(ind(2)->text().isEmpty());
        QCOMPARE(Entries(m_h.child<QComboBox>(QStringLiteral("cboNumber"))), Numbers(8));
        QCOMPARE(Entries(m_h.child<QComboBox>(QStringLiteral("cboOld"))), Numbers(20));
        QVERIFY(!box("checkData")->isChecked());
        QCOMPARE(m_h.window->code().SaveOnExit, False);
    }

    // ---- Check boxes ----

    void checkBoxesKeepTheirFlagsInStep()
    {
        m_h.open();
        click(box("checkData"));
        QCOMPARE(m_h.window->code().SaveOnExit, True);
        click(box("checkData"));
        QCOMPARE(m_h.window->code().SaveOnExit, False);
        click(box("checkRand"));
        QCOMPARE(m_h.window->code().record.RandomOrder, qint16(1));
        m_h.window->setCheckRand(0); // set from code: the handler runs too
        QCOMPARE(m_h.window->code().record.RandomOrder, qint16(0));
        QVERIFY(!box("checkRand")->isChecked());
    }

    // ---- Commands ----

    void goButtonsRunAndClearOfResultsResetsTheCount()
    {
        m_h.open();
        ind(0)->setText(QStringLiteral("Mill"));
        arr(0)->setText(QStringLiteral("hopper"));
        ind(3)->setText(QStringLiteral("Dock"));
        arr(3)->setText(QStringLiteral("boxcar"));
        click(button(1));
        QCOMPARE(Lines(results()), (QStringList{"Mill - hopper", "Dock - boxcar", "--------"}));
        QCOMPARE(m_h.child<QComboBox>(QStringLiteral("cboNumber"))->currentText(), QStringLiteral("2"));
        QCOMPARE(runCaption(), QStringLiteral("1"));

        m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"))->setPlainText(QStringLiteral("tank,flat"));
        click(button(2));
        QCOMPARE(results()->count(), 3 + 3);
        QCOMPARE(results()->item(5)->text(), QStringLiteral("--------"));
        QCOMPARE(runCaption(), QStringLiteral("2"));

        click(button(6));
        QCOMPARE(results()->count(), 0);
        QCOMPARE(runCaption(), QStringLiteral("0"));
        click(button(1));
        QCOMPARE(runCaption(), QStringLiteral("1"));
    }

    void clearOfCarTypesEmptiesOnlyTxtOld()
    {
        m_h.open();
        auto *old = m_h.child<QComboBox>(QStringLiteral("cboOld"));
        old->setCurrentIndex(11);
        m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"))->setPlainText(QStringLiteral("tank,flat"));
        ind(0)->setText(QStringLiteral("Mill"));
        click(button(4));
        QVERIFY(m_h.window->txtOld().isEmpty());
        QCOMPARE(old->currentText(), QStringLiteral("12"));
        QCOMPARE(ind(0)->text(), QStringLiteral("Mill"));
    }

    void clearOfIndustriesInItsOrder()
    {
        m_h.open();
        for (int row = 0; row < 8; ++row) {
            ind(row)->setText(QStringLiteral("I%1").arg(row));
            arr(row)->setText(QStringLiteral("a,b"));
        }
        click(button(1));
        click(box("checkData"));
        click(box("checkRand"));
        const qint16 count = m_h.window->code().record.IndustryCount;

        // The boxes are unticked before the grid empties: when the Save Data handler runs, row 0 still
        // holds its name.
        QStringList seen;
        connect(box("checkData"), &QCheckBox::toggled, this, [&] { seen << "data:" + ind(0)->text(); });
        connect(box("checkRand"), &QCheckBox::toggled, this, [&] { seen << "rand:" + ind(0)->text(); });
        click(button(5));
        QCOMPARE(seen, (QStringList{"data:I0", "rand:I0"}));
        QVERIFY(!box("checkData")->isChecked());
        QVERIFY(!box("checkRand")->isChecked());
        QCOMPARE(m_h.window->code().SaveOnExit, False);
        QCOMPARE(m_h.window->code().record.RandomOrder, qint16(0));
        QCOMPARE(m_h.window->code().record.Industries.count(), 1);
        QCOMPARE(m_h.window->code().record.Industries[0], IndustryRecord{});
        QCOMPARE(m_h.window->code().record.IndustryCount, count);
        for (int row = 0; row < 8; ++row) {
            QVERIFY(ind(row)->text().isEmpty());
            QVERIFY(arr(row)->text().isEmpty());
        }
    }

    void exportWritesTheFileSelectsTheLastEntryAndSaysSo()
    {
        m_h.open();
        ind(0)->setText(QStringLiteral("Mill"));
        arr(0)->setText(QStringLiteral("hopper"));
        m_h.child<QComboBox>(QStringLiteral("cboNumber"))->setCurrentIndex(0);
        click(button(1));
        click(button(1));
        results()->setCurrentRow(0);
        click(button(3));

        QCOMPARE(results()->currentRow(), 3);
        QCOMPARE(results()->selectedItems().size(), 1);
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Results Exported!"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(message.icon, MessageIcon::None);
#ifdef Q_OS_WIN
        QCOMPARE(message.text, QStringLiteral("List has been exported to C:\\velmora-export.txt"));
#else
        QCOMPARE(message.text, QStringLiteral("List has been exported to ") +
                                   QDir(m_h.home->path()).filePath(QStringLiteral("Velmora-Export.txt")));
#endif
        QCOMPARE(ReadFile(m_h.roots.exportFile),
                 QByteArray("Made With Ostrel Velmora v2.01\r\nTotal number of results: 4\r\n"
                            "__________________________________\r\n"
                            "Mill - hopper\r\n--------\r\nMill - hopper\r\n--------\r\n"));
    }

    void exportOfAnEmptyListSelectsNothing()
    {
        m_h.open();
        click(button(3));
        QCOMPARE(results()->currentRow(), -1);
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Results Exported!"));
    }

    void failedExportIsReportedAsAFailure()
    {
        m_h.open();
        QVERIFY(QDir().mkpath(m_h.roots.exportFile)); // a folder where the file should go
        results()->addItem(QStringLiteral("Mill - hopper"));
        click(button(3));
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Export Failed"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
        const QString start =
            QStringLiteral("List could not be exported to ") + QDir::toNativeSeparators(m_h.roots.exportFile);
        QVERIFY2(message.text.startsWith(start), qPrintable(message.text));
        QVERIFY(message.text.size() > start.size() + 2); // the reason follows
    }

    // A user who may not create files where the export goes: it goes to Documents, and the message says so.
    void refusedExportGoesToDocumentsAndSaysWhere()
    {
        m_h.rights.refused = {QFileInfo(m_h.roots.exportFile).absolutePath()};
        m_h.open();
        results()->addItem(QStringLiteral("Mill - hopper"));
        click(button(3));
        QCOMPARE(m_h.messages.shown.size(), 1);
        const Message &message = m_h.messages.shown.first();
        QCOMPARE(message.title, QStringLiteral("Results Exported!"));
        QCOMPARE(message.text, QStringLiteral("List has been exported to ") + m_h.roots.exportFallback);
        QVERIFY(!QFile::exists(m_h.roots.exportFile));
        QVERIFY(ReadFile(m_h.roots.exportFallback)
                    .endsWith("__________________________________\r\nMill - hopper\r\n"));
    }

    // Sizable exports: the list is read from its entries and the selection set once, at the end; moving
    // the selection through 100,000 entries one by one would take longer than a frame.
    void exportOfALongList()
    {
        m_h.open();
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines << QStringLiteral("Industry %1 - boxcar").arg(i);
        results()->addItems(lines);
        QSignalSpy selectionMoves(results()->selectionModel(), &QItemSelectionModel::currentChanged);
        click(button(3));
        QCOMPARE(selectionMoves.count(), 1);
        QCOMPARE(results()->currentRow(), 99999);
        QFile file(m_h.roots.exportFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("Industry 99999 - boxcar\r\n"));
    }

    // ---- Keys ----

    void keysArePreviewedAndStillReachTheFocusedControl()
    {
        m_h.open();
        showActive();
        QLineEdit *box3 = ind(3);
        box3->setFocus();
        QStringList order;
        m_h.messages.onShow = [&](const Message &m) { order << "box:" + m.text; };
        struct Spy : QObject {
            QStringList *order;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (e->type() == QEvent::KeyPress)
                    *order << QStringLiteral("control:%1").arg(static_cast<QKeyEvent *>(e)->key(), 0, 16);
                return false;
            }
        } spy;
        spy.order = &order;
        box3->installEventFilter(&spy);

        QTest::keyClick(box3, Qt::Key_F1);
        QCOMPARE(order, (QStringList{"box:Help!", "control:1000030"}));
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Ostrel Velmora v2.1"));
        QCOMPARE(m_h.messages.shown.first().buttons, MessageButtons::Ok);
        QCOMPARE(m_h.messages.shown.first().icon, MessageIcon::None);

        QTest::keyClicks(box3, QStringLiteral("Mill"));
        QCOMPARE(box3->text(), QStringLiteral("Mill"));
        QCOMPARE(m_h.messages.shown.size(), 1);

        QTest::keyClick(box3, Qt::Key_F12);
        QVERIFY(m_h.window->isMinimized());
        QCOMPARE(m_h.end.ends, 0);
        box3->removeEventFilter(&spy);
    }

    // Enter and Space press the focused push button; Enter in a text box presses nothing.
    void enterPressesTheFocusedButton()
    {
        m_h.open();
        showActive();
        m_h.child<QPlainTextEdit>(QStringLiteral("txtOld"))->setPlainText(QStringLiteral("tank,flat,hopper"));
        button(2)->setFocus();
        QTest::keyClick(button(2), Qt::Key_Return);
        QCOMPARE(runCaption(), QStringLiteral("1"));
        QTest::keyClick(button(2), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(runCaption(), QStringLiteral("2"));
        QTest::keyClick(button(2), Qt::Key_Space);
        QCOMPARE(runCaption(), QStringLiteral("3"));
        ind(0)->setFocus();
        QTest::keyClick(ind(0), Qt::Key_Return);
        QCOMPARE(runCaption(), QStringLiteral("3"));
        button(6)->setFocus();
        QTest::keyClick(button(6), Qt::Key_Return);
        QCOMPARE(results()->count(), 0);
        QCOMPARE(runCaption(), QStringLiteral("0"));
    }

    void escapeShutsDownAndSavesOnlyWithSaveData_data()
    {
        QTest::addColumn<bool>("saveData");
        QTest::newRow("Save Data ticked") << true;
        QTest::newRow("Save Data unticked") << false;
    }
    void escapeShutsDownAndSavesOnlyWithSaveData()
    {
        QFETCH(bool, saveData);
        m_h.open();
        showActive();
        if (saveData)
            click(box("checkData"));
        arr(7)->setFocus();
        QTest::keyClick(arr(7), Qt::Key_Escape);
        QCOMPARE(m_h.end.ends, 1);
        QCOMPARE(QFile::exists(m_h.roots.selectionFile), saveData);
        if (saveData) {
            // With every row empty the table is still saved: an industry count of 0.
            QFile file(m_h.roots.selectionFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().mid(4, 2), QByteArray("\0\0", 2));
        }
    }

    void closeFromOutsideGoesThroughShutDown()
    {
        m_h.open();
        ind(0)->setText(QStringLiteral("Mill"));
        arr(0)->setText(QStringLiteral("hopper,boxcar"));
        click(box("checkData"));
        m_h.window->close();
        QCOMPARE(m_h.end.ends, 1);
        QVERIFY(QFile::exists(m_h.roots.selectionFile));
        QFile file(m_h.roots.selectionFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), 64); // Mill with two car types and the spare element
    }
};

QTEST_MAIN(BehaviourTest)
#include "tst_behaviour.moc"
