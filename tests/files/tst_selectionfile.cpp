// The Selection file's byte layout, and loading it into the grid.

#include "atomicfile.h"
#include "codepage.h"
#include "filestest.h"
#include "modelcontrols.h"
#include "norandom.h"
#include "recordstrings.h"
#include "selectionfile.h"
#include "selectionlayout.h"
#include "temporaryhome.h"
#include "testfiles.h"
#include "textcodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace velmora;
using namespace velmora::test;

namespace {

// Mill in row 0 with "hopper,boxcar", Random Order ticked, three runs, gathered into a table that never
// held elements before.
const QByteArray MillFile = Bytes({
    0x01, 0x00, 0x03, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // head
    0x04, 0x00, 0x4D, 0x69, 0x6C, 0x6C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,                         // Mill
    0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                     // list
    0x06, 0x00, 0x68, 0x6F, 0x70, 0x70, 0x65, 0x72, 0x06, 0x00, 0x62, 0x6F, 0x78, 0x63, 0x61, 0x72, // types
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                     // spare
});

// No named row and a table that never held elements: Random Order 1, two runs.
const QByteArray EmptyFile = Bytes({0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00});

// A Code and the model it works on, tied together like the window ties them.
struct Program {
    ModelControls controls;
    NoRandom random;
    Code code{controls, random};
    Program() { controls.attach(code); }
};

} // namespace

class TestSelectionFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesTheGatheredTable();
    void writesATableThatNeverHeldElements();
    void readsBothExamples();
    void roundTripsEveryKindOfText_data();
    void roundTripsEveryKindOfText();
    void keepsALeadingByteOrderMark();
    void cutsLongTextsAtACharacterBoundary_data();
    void cutsLongTextsAtACharacterBoundary();

    void loadsIntoTheGridAndDeletesTheFile();
    void loadsAnEmptyTableWithoutTouchingTheGrid();
    void packsRowsAndAppendsToTheBoxes();
    void loadsTheStoredListsAsTheyStand_data();
    void loadsTheStoredListsAsTheyStand();
    void clampsValuesOutOfRange_data();
    void clampsValuesOutOfRange();
    void refusesStructuralDamage_data();
    void refusesStructuralDamage();
    void refusesEveryTruncation();
    void readsNothingBeyondTheRecord();
    void reportsAFileThatCannotBeOpened();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void refusesAFileLargerThanAnySaved_data();
    void refusesAFileLargerThanAnySaved();
    void loadsTheLargestTableThatCanBeSaved();
    void removesOnlyTheLeftoversOfItsOwnWrites();

private:
    TemporaryHome m_home;
    QString path() const { return m_home.filePath(QStringLiteral("Selection")); }
    static QByteArray SystemBytes(const SelectionRecord &record)
    {
        QStringEncoder encoder = SystemEncoder();
        return SelectionBytes(record, encoder);
    }
    static SelectionRecord Parsed(const QByteArray &bytes)
    {
        QStringDecoder decoder = SystemDecoder();
        SelectionRecord record;
        const FileOutcome outcome = ParseSelection(bytes, decoder, record);
        if (!outcome.ok)
            qWarning("not parsed: %s", qPrintable(outcome.error));
        return record;
    }
};

void TestSelectionFile::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void TestSelectionFile::writesTheGatheredTable()
{
    Program p;
    p.controls.ind[0] = QStringLiteral("Mill");
    p.controls.arr[0] = QStringLiteral("hopper,boxcar");
    p.code.record.RandomOrder = 1;
    p.code.record.RunCount = 3;
    p.code.GatherIndustries();
    p.code.SplitCarTypes();

    QCOMPARE(SystemBytes(p.code.record), MillFile);
}

void TestSelectionFile::writesATableThatNeverHeldElements()
{
    Program p;
    p.code.record.RandomOrder = 1;
    p.code.record.RunCount = 2;
    p.code.GatherIndustries();
    p.code.SplitCarTypes();

    QCOMPARE(SystemBytes(p.code.record), EmptyFile);
}

void TestSelectionFile::readsBothExamples()
{
    QCOMPARE(Parsed(MillFile), Table({Industry(QStringLiteral("Mill"), 0, {"hopper", "boxcar"})}, 1, 3));

    SelectionRecord none;
    none.RandomOrder = 1;
    none.RunCount = 2;
    QCOMPARE(Parsed(EmptyFile), none);
}

void TestSelectionFile::roundTripsEveryKindOfText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QByteArray>("bytes"); // the whole industry element in windows-1252

    QTest::newRow("empty items") << QStringLiteral("Yard") << QStringList{"a", "", "b", ""}
                                 << FileBuilder().industry("Yard", 0, 3, {"a", "", "b", ""}).bytes();
    QTest::newRow("spaces kept") << QStringLiteral("  ") << QStringList{" tank", "box "}
                                 << FileBuilder().industry("  ", 0, 1, {" tank", "box "}).bytes();
    QTest::newRow("non-ASCII name") << QStringLiteral("Mühle Café") << QStringList{"Kühlwagen"}
                                    << Bytes({0x0A, 0x00, 0x4D, 0xFC, 0x68, 0x6C, 0x65, 0x20, 0x43, 0x61,
                                              0x66, 0xE9, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
                                              0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0x00,
                                              0x4B, 0xFC, 0x68, 0x6C, 0x77, 0x61, 0x67, 0x65, 0x6E});
}

void TestSelectionFile::roundTripsEveryKindOfText()
{
    QFETCH(QString, name);
    QFETCH(QStringList, types);
    QFETCH(QByteArray, bytes);

    const SelectionRecord record = Table({Industry(name, 0, types)});
    QStringEncoder ansi = EncoderFor("windows-1252");
    if (!ansi.isValid())
        QSKIP("this system has no windows-1252 converter");
    const QByteArray file = SelectionBytes(record, ansi);
    QCOMPARE(file.mid(16, bytes.size()), bytes);

    QStringDecoder fromAnsi = DecoderFor("windows-1252");
    SelectionRecord back;
    QVERIFY(ParseSelection(file, fromAnsi, back).ok);
    QCOMPARE(back, record);

    // The same through the system code page and the disk: the ANSI code page on Windows (windows-1252 on
    // an English one), UTF-8 elsewhere.
    QVERIFY(SaveSelection(record, path()).ok);
#ifdef Q_OS_WIN
    if (SystemCodePageIs1252())
        QCOMPARE(ReadFile(path()), file);
#else
    QStringEncoder utf8(QStringConverter::Utf8);
    QCOMPARE(ReadFile(path()), SelectionBytes(record, utf8));
#endif
    Program p;
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.code.record, record);
    QCOMPARE(p.controls.ind[0], name);
    QCOMPARE(p.controls.arr[0], types.join(u','));
}

void TestSelectionFile::keepsALeadingByteOrderMark()
{
    // Where the system code page is UTF-8, a decoder that skipped the mark would shorten the name. An ANSI
    // code page has no mark to skip.
    if (!SystemCodePageIsUtf8())
        QSKIP("the system code page is not UTF-8");
    const QString name = QChar(0xFEFF) + QStringLiteral("Mill");
    const SelectionRecord record = Table({Industry(name, 0, {name})});
    QStringEncoder encoder = SystemEncoder();
    const QByteArray file = SelectionBytes(record, encoder);
    QCOMPARE(file.mid(16, 9), Bytes({0x07, 0x00, 0xEF, 0xBB, 0xBF, 'M', 'i', 'l', 'l'}));
    const SelectionRecord back = Parsed(file);
    QCOMPARE(back.Industries[0].Name, name);
    QCOMPARE(back.Industries[0].CarTypes[0], name);
}

void TestSelectionFile::cutsLongTextsAtACharacterBoundary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<int>("bytes");

    QTest::newRow("fits exactly") << QString(65535, u'a') << QByteArray("UTF-8") << 65535;
    QTest::newRow("one byte over") << QString(65536, u'a') << QByteArray("UTF-8") << 65535;
    QTest::newRow("two-byte characters") << QString(40000, u'é') << QByteArray("UTF-8") << 65534;
    QTest::newRow("surrogate pairs") << QString::fromUtf8("\xF0\x9F\x9A\x82").repeated(20000)
                                     << QByteArray("UTF-8") << 65532;
    QTest::newRow("three after one") << (u'x' + QString(u'€').repeated(30000)) << QByteArray("UTF-8")
                                     << 65533;
    QTest::newRow("single bytes in windows-1252")
        << QString(70000, u'é') << QByteArray("windows-1252") << 65535;
}

void TestSelectionFile::cutsLongTextsAtACharacterBoundary()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);
    QFETCH(int, bytes);

    QStringEncoder encoder = EncoderFor(encoding);
    if (!encoder.isValid())
        QSKIP("this system has no converter of that name");
    SelectionRecord record = Table({Industry(text, 0, {text})});
    const QByteArray file = SelectionBytes(record, encoder);

    // The count in front of the name is the number of bytes that follow it.
    QCOMPARE(qFromLittleEndian<quint16>(file.constData() + 16), static_cast<quint16>(bytes));
    QStringDecoder decoder = DecoderFor(encoding);
    SelectionRecord back;
    QVERIFY(ParseSelection(file, decoder, back).ok);
    const QString cut = back.Industries[0].Name;
    QVERIFY(text.startsWith(cut));
    QVERIFY(cut.size() < text.size() || bytes == 65535);
    QVERIFY(!cut.back().isHighSurrogate());
    QCOMPARE(back.Industries[0].CarTypes[0], cut);
}

void TestSelectionFile::loadsIntoTheGridAndDeletesTheFile()
{
    QVERIFY(WriteFile(path(), MillFile));
    Program p;
    const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
    QVERIFY(outcome.ok);
    QVERIFY(outcome.error.isEmpty());
    QCOMPARE(p.controls.ind[0], QStringLiteral("Mill"));
    QCOMPARE(p.controls.arr[0], QStringLiteral("hopper,boxcar"));
    QCOMPARE(p.controls.checkRand, 1);
    QCOMPARE(p.code.record.RandomOrder, 1);
    QCOMPARE(p.code.record.IndustryCount, 1);
    QCOMPARE(p.code.record.RunCount, 3);
    QVERIFY(!QFile::exists(path()));
}

void TestSelectionFile::loadsAnEmptyTableWithoutTouchingTheGrid()
{
    QVERIFY(WriteFile(path(), EmptyFile));
    Program p;
    for (int row = 0; row < GridRows; ++row) {
        p.controls.ind[static_cast<std::size_t>(row)] = QStringLiteral("name %1").arg(row);
        p.controls.arr[static_cast<std::size_t>(row)] = QStringLiteral("types %1").arg(row);
    }
    const QStringList before = p.controls.grid();
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.controls.grid(), before);
    QCOMPARE(p.controls.checkRand, 1);
    QCOMPARE(p.controls.checkRandSets, 1);
    QVERIFY(!QFile::exists(path()));
}

void TestSelectionFile::packsRowsAndAppendsToTheBoxes()
{
    // Industries gathered from rows 2 and 5 of one program ...
    Program saved;
    saved.controls.ind[2] = QStringLiteral("Mill");
    saved.controls.arr[2] = QStringLiteral("hopper,boxcar");
    saved.controls.ind[5] = QStringLiteral("Dock");
    saved.controls.arr[5] = QStringLiteral("tank");
    saved.code.GatherIndustries();
    QCOMPARE(saved.code.SplitCarTypes(), 1);
    QVERIFY(SaveSelection(saved.code.record, path()).ok);

    // ... come back in rows 0 and 1 of a grid that already holds text.
    Program p;
    for (int row = 0; row < GridRows; ++row) {
        p.controls.ind[static_cast<std::size_t>(row)] = QStringLiteral("old %1").arg(row);
        p.controls.arr[static_cast<std::size_t>(row)] = QStringLiteral("x%1").arg(row);
    }
    const QStringList before = p.controls.grid();
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.controls.ind[0], QStringLiteral("Mill"));
    QCOMPARE(p.controls.arr[0], QStringLiteral("x0hopper,boxcar"));
    QCOMPARE(p.controls.ind[1], QStringLiteral("Dock"));
    QCOMPARE(p.controls.arr[1], QStringLiteral("x1tank"));
    for (int row = 2; row < GridRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        QCOMPARE(p.controls.ind[r], before[row]);
        QCOMPARE(p.controls.arr[r], before[GridRows + row]);
    }
    QCOMPARE(p.controls.checkRand, 0);
}

void TestSelectionFile::loadsTheStoredListsAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("box");

    const auto head = [] { return FileBuilder().i16(0).i16(0).i16(1).header(2); };
    QTest::newRow("LastType 0 with three stored types")
        << head().industry("Mill", 0, 0, {"hopper", "boxcar", "tank"}).spare().bytes()
        << QStringLiteral("hopper");
    QTest::newRow("LastType 0 without a list")
        << head().industry("Mill", 0, 0, {}, false).spare().bytes() << QString();
    QTest::newRow("list shorter than LastType + 1")
        << head().industry("Mill", 0, 4, {"hopper", "boxcar"}).spare().bytes()
        << QStringLiteral("hopper,boxcar");
    QTest::newRow("negative LastType")
        << head().industry("Mill", 0, -3, {"hopper", "boxcar"}).spare().bytes() << QStringLiteral("hopper");
    QTest::newRow("dimensioned empty list") << head().industry("Mill", 0, 0, {}).spare().bytes() << QString();
    QTest::newRow("items with commas between empties")
        << head().industry("Mill", 0, 3, {"a", "", "b", " c"}).spare().bytes() << QStringLiteral("a,,b, c");
}

void TestSelectionFile::loadsTheStoredListsAsTheyStand()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, box);

    QVERIFY(WriteFile(path(), file));
    Program p;
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.controls.ind[0], QStringLiteral("Mill"));
    QCOMPARE(p.controls.arr[0], box);
    QCOMPARE(p.controls.ind[1], QString());
    QVERIFY(p.code.record.Industries[0].LastType >= 0);
}

void TestSelectionFile::clampsValuesOutOfRange_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");      // grid rows the load fills
    QTest::addColumn<int>("checkRand"); // value the box gets
    QTest::addColumn<int>("count");     // IndustryCount in memory afterwards

    const auto industries = [](FileBuilder b, int n) {
        b.header(static_cast<quint32>(n));
        for (int i = 0; i < n; ++i)
            b.industry(QByteArray("I") + QByteArray::number(i), 0, 0, {"t"});
        return b.bytes();
    };
    QTest::newRow("count above the grid")
        << industries(FileBuilder().i16(1).i16(0).i16(12), 12) << 8 << 1 << 8;
    QTest::newRow("count above the stored industries")
        << industries(FileBuilder().i16(0).i16(0).i16(5), 3) << 3 << 0 << 3;
    QTest::newRow("count without a table")
        << FileBuilder().i16(0).i16(0).i16(4).noArray().bytes() << 0 << 0 << 0;
    QTest::newRow("negative count") << industries(FileBuilder().i16(1).i16(0).i16(-2), 3) << 0 << 1 << 0;
    QTest::newRow("Random Order 2") << industries(FileBuilder().i16(2).i16(0).i16(1), 2) << 1 << 0 << 1;
    QTest::newRow("Random Order -1") << industries(FileBuilder().i16(-1).i16(0).i16(1), 2) << 1 << 0 << 1;
}

void TestSelectionFile::clampsValuesOutOfRange()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    QFETCH(int, checkRand);
    QFETCH(int, count);

    QVERIFY(WriteFile(path(), file));
    Program p;
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    for (int row = 0; row < GridRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        QCOMPARE(p.controls.ind[r], row < rows ? QStringLiteral("I%1").arg(row) : QString());
        QCOMPARE(p.controls.arr[r], row < rows ? QStringLiteral("t") : QString());
    }
    QCOMPARE(p.controls.checkRand, checkRand);
    QCOMPARE(p.code.record.RandomOrder, checkRand);
    QCOMPARE(p.code.record.IndustryCount, count);
    QVERIFY(!QFile::exists(path()));
}

void TestSelectionFile::refusesStructuralDamage_data()
{
    QTest::addColumn<QByteArray>("file");

    const auto head = [] { return FileBuilder().i16(1).i16(0).i16(1); };
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("cut in the head") << Bytes({0x01, 0x00, 0x03, 0x00, 0x01});
    QTest::newRow("two dimensions") << head().i16(2).u32(2).u32(0).u32(1).u32(0).bytes();
    QTest::newRow("negative dimensions") << head().i16(-1).bytes();
    QTest::newRow("lower bound 1") << FileBuilder()
                                          .i16(1)
                                          .i16(0)
                                          .i16(1)
                                          .i16(1)
                                          .u32(2)
                                          .u32(1)
                                          .industry("Mill", 0, 0, {"t"})
                                          .spare()
                                          .bytes();
    QTest::newRow("four billion industries in 20 bytes")
        << head().i16(1).u32(4000000000u).u32(0).i16(0).i16(0).bytes();
    QTest::newRow("more industries than bytes") << head().header(3).industry("Mill", 0, 0, {"t"}).bytes();
    QTest::newRow("four billion car types")
        << head().header(2).text("Mill").i16(0).i16(0).i16(0).i16(1).u32(0xFFFFFFFFu).u32(0).bytes();
    QTest::newRow("car types' lower bound -1") << head()
                                                      .header(1)
                                                      .text("Mill")
                                                      .i16(0)
                                                      .i16(0)
                                                      .i16(0)
                                                      .i16(1)
                                                      .u32(1)
                                                      .u32(0xFFFFFFFFu)
                                                      .text("t")
                                                      .bytes();
    QTest::newRow("car types with three dimensions")
        << head().header(1).text("Mill").i16(0).i16(0).i16(0).i16(3).bytes();
    QTest::newRow("name longer than the file") << head().header(1).i16(200).raw("Mill").bytes();
    QTest::newRow("spare element missing") << head().header(2).industry("Mill", 0, 0, {"t"}).bytes();
}

void TestSelectionFile::refusesStructuralDamage()
{
    QFETCH(QByteArray, file);

    const QString aside = path() + QStringLiteral(".unreadable");
    QVERIFY(WriteFile(aside, "an older unreadable file"));
    QVERIFY(WriteFile(path(), file));

    Program p;
    p.controls.ind[3] = QStringLiteral("kept");
    p.controls.arr[3] = QStringLiteral("as it was");
    p.code.record = Table({Industry(QStringLiteral("Before"), 3, {"a"})}, 1, 7);
    const SelectionRecord before = p.code.record;
    const QStringList grid = p.controls.grid();

    const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
    QVERIFY(!outcome.ok);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(outcome.keptAs, aside);
    QCOMPARE(p.controls.grid(), grid);
    QCOMPARE(p.controls.checkRandSets, 0);
    QCOMPARE(p.code.record, before);
    QVERIFY(!QFile::exists(path()));
    QCOMPARE(ReadFile(aside), file);
}

void TestSelectionFile::refusesEveryTruncation()
{
    const SelectionRecord record = Table({Industry(QStringLiteral("Mill"), 1, {"hopper", "", "box car"}),
                                          Industry(QStringLiteral("Dock"), 4, {"tank"})},
                                         1, 9);
    QStringEncoder encoder = SystemEncoder();
    const QByteArray whole = SelectionBytes(record, encoder);

    for (qsizetype length = 0; length < whole.size(); ++length) {
        QVERIFY(WriteFile(path(), whole.first(length)));
        Program p;
        p.controls.arr[0] = QStringLiteral("x");
        const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
        QVERIFY2(!outcome.ok, qPrintable(QStringLiteral("cut at %1").arg(length)));
        QCOMPARE(p.controls.ind[0], QString());
        QCOMPARE(p.controls.arr[0], QStringLiteral("x"));
        QCOMPARE(p.controls.checkRandSets, 0);
        QCOMPARE(ReadFile(outcome.keptAs), whole.first(length));
    }
    QVERIFY(WriteFile(path(), whole));
    Program p;
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.controls.arr[1], QStringLiteral("tank"));
}

void TestSelectionFile::readsNothingBeyondTheRecord()
{
    QCOMPARE(Parsed(MillFile + QByteArray("trailing bytes")), Parsed(MillFile));
}

void TestSelectionFile::reportsAFileThatCannotBeOpened()
{
    const QString aside = path() + QStringLiteral(".unreadable");
    QVERIFY(WriteFile(aside, "an older unreadable file"));
    QFile::remove(path());

    Program p;
    p.controls.arr[0] = QStringLiteral("x");
    const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
    QVERIFY(!outcome.ok);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(outcome.keptAs, QString());
    QCOMPARE(p.controls.arr[0], QStringLiteral("x"));
    QCOMPARE(p.controls.checkRandSets, 0);
    // Nothing was set aside, so the older file is not given up for it.
    QCOMPARE(ReadFile(aside), QByteArray("an older unreadable file"));
}

void TestSelectionFile::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind"); // what stands at the Selection file's path
    QTest::addColumn<QString>("said"); // the word the reason uses for it

    QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("folder");
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe without a writer") << QStringLiteral("pipe") << QStringLiteral("pipe");
    QTest::newRow("a link to a pipe") << QStringLiteral("link to pipe") << QStringLiteral("pipe");
    QTest::newRow("a link to /dev/zero") << QStringLiteral("/dev/zero") << QStringLiteral("device");
#endif
}

// Refused without a read, and without an open that could wait for a pipe's writer, then set aside.
void TestSelectionFile::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);

    const QString aside = path() + QStringLiteral(".unreadable");
    std::filesystem::remove_all(aside.toStdString());
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path()));
    } else {
#ifdef Q_OS_UNIX
        const QByteArray pipe = QFile::encodeName(m_home.filePath(QStringLiteral("pipe")));
        const QByteArray selection = QFile::encodeName(path());
        ::unlink(pipe.constData());
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(selection.constData(), 0600), 0);
        if (kind == QLatin1String("link to pipe")) {
            QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
            QCOMPARE(::symlink(pipe.constData(), selection.constData()), 0);
        }
        if (kind == QLatin1String("/dev/zero"))
            QCOMPARE(::symlink("/dev/zero", selection.constData()), 0);
#endif
    }

    Program p;
    p.controls.arr[0] = QStringLiteral("x");
    const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.error.contains(said), qPrintable(outcome.error));
    QCOMPARE(outcome.keptAs, aside);
    QVERIFY(!QFileInfo::exists(path()) && !QFileInfo(path()).isSymLink());
    // Moved as it stood: the link is still a link, the folder a folder.
    QCOMPARE(QFileInfo(aside).isSymLink(), kind.contains(QLatin1String("link")) || kind.startsWith(u'/'));
    QCOMPARE(QFileInfo(aside).isDir(), kind == QLatin1String("folder"));
    QCOMPARE(p.controls.arr[0], QStringLiteral("x"));
    QCOMPARE(p.controls.checkRandSets, 0);
    std::filesystem::remove_all(aside.toStdString());
}

void TestSelectionFile::refusesAFileLargerThanAnySaved_data()
{
    QTest::addColumn<QByteArray>("head"); // then zeros up to size
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("loads");

    QTest::newRow("as large as the largest saved") << MillFile << qint64{MaxSelectionFileBytes} << true;
    QTest::newRow("one byte more") << MillFile << qint64{MaxSelectionFileBytes + 1} << false;
    // Zeros alone read as an empty table. Sparse: the disk holds almost nothing.
    QTest::newRow("2 GB of zeros") << QByteArray() << (qint64{1} << 31) << false;
}

void TestSelectionFile::refusesAFileLargerThanAnySaved()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(bool, loads);

    const QString aside = path() + QStringLiteral(".unreadable");
    QFile::remove(aside);
    QVERIFY(WriteFile(path(), head));
    QVERIFY(QFile::resize(path(), size));

    Program p;
    const FileOutcome outcome = LoadSelection(p.code, p.controls, path());
    QCOMPARE(outcome.ok, loads);
    if (loads) {
        QCOMPARE(p.controls.ind[0], QStringLiteral("Mill"));
        QVERIFY(!QFile::exists(path()));
        return;
    }
    QVERIFY2(outcome.error.contains(QString::number(MaxSelectionFileBytes)), qPrintable(outcome.error));
    QCOMPARE(p.controls.ind[0], QString());
    QCOMPARE(p.controls.checkRandSets, 0);
    // Kept, not deleted.
    QCOMPARE(outcome.keptAs, aside);
    QCOMPARE(QFileInfo(aside).size(), size);
    QFile::remove(aside);
}

void TestSelectionFile::loadsTheLargestTableThatCanBeSaved()
{
    const SelectionRecord largest = LargestRecord();
    QVERIFY(SaveSelection(largest, path()).ok);
    const qint64 size = QFileInfo(path()).size();
    QVERIFY2(size <= MaxSelectionFileBytes, qPrintable(QString::number(size)));
    // Where the code page is UTF-8, this is within a few bytes of the bound: the bound is no guess.
    QStringEncoder encoder = SystemEncoder();
    if (QByteArray(encoder.encode(QStringView(u"\u20AC"))).size() == 3)
        QVERIFY2(size > MaxSelectionFileBytes - 32, qPrintable(QString::number(size)));

    Program p;
    QVERIFY(LoadSelection(p.code, p.controls, path()).ok);
    QCOMPARE(p.code.record, largest);
    QCOMPARE(p.controls.arr[7].size(), 65535);
}

// Only regular files named like QSaveFile's temporary files of "Selection", and settled for a minute.
void TestSelectionFile::removesOnlyTheLeftoversOfItsOwnWrites()
{
    QTemporaryDir dir;
    QStringList kept = {"Selection",       "Selection.backup",    "Selection.BACKUP", "Selection.unreadable",
                        "Selection.qWzpT", "Selection.qWzpTab",   "Selection.qWz1Ta", "Selection-qWzpTa",
                        "Other.qWzpTa",    "Selection.qWzpTa.old"};
#ifndef Q_OS_WIN
    kept << "selection.qWzpTa"; // on Windows, where names ignore case, the first leftover's own file
#endif
    const QStringList leftovers = {"Selection.qWzpTa", "Selection.ABCDEf"};
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-120);
    for (const QString &name : kept + leftovers + QStringList{"Selection.FreshA"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(
            file.setFileTime(name.endsWith(QLatin1String("FreshA")) ? QDateTime::currentDateTimeUtc() : old,
                             QFileDevice::FileModificationTime));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Selection.FolDer")));
#ifdef Q_OS_UNIX
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("Selection")),
                        dir.filePath(QStringLiteral("Selection.LinkTo"))));
#endif

    QCOMPARE(removeAtomicWriteLeftovers(dir.filePath(QStringLiteral("Selection"))), int(leftovers.size()));
    for (const QString &name : leftovers)
        QVERIFY2(!QFile::exists(dir.filePath(name)), qPrintable(name));
    for (const QString &name : kept + QStringList{"Selection.FreshA", "Selection.FolDer"})
        QVERIFY2(QFileInfo::exists(dir.filePath(name)), qPrintable(name));
#ifdef Q_OS_UNIX
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Selection.LinkTo"))).isSymLink());
#endif
}

QTEST_GUILESS_MAIN(TestSelectionFile)
#include "tst_selectionfile.moc"
