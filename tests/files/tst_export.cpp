// The results export: its exact bytes, its encoding, and exports that fail.

#include "atomicfile.h"
#include "codepage.h"
#include "export.h"
#include "failingdevice.h"
#include "filestest.h"
#include "temporaryhome.h"
#include "testfiles.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <cerrno>

using namespace velmora;
using namespace velmora::test;

namespace {

const QByteArray Heading = "Made With Ostrel Velmora v2.01\r\n";
const QByteArray Underscores = "__________________________________\r\n";

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void writesTheExactText_data();
    void writesTheExactText();
    void encodesInTheGivenCodePage();
    void reportsADeviceThatFails();
    void replacesThePreviousExport();
    void reportsAPathThatCannotBeCreated();
    void keepsThePreviousExportWholeOnFailure();
    void writesEveryEntryOfALongList();

private:
    TemporaryHome m_dir;
};

void TestExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestExport::writesTheExactText_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty list") << QStringList{}
                                << Bytes({'M', 'a', 'd', 'e', ' ', 'W', 'i',  't',  'h', ' ', 'O',  's',
                                          't', 'r', 'e', 'l', ' ', 'V', 'e',  'l',  'm', 'o', 'r',  'a',
                                          ' ', 'v', '2', '.', '0', '1', 0x0D, 0x0A, 'T', 'o', 't',  'a',
                                          'l', ' ', 'n', 'u', 'm', 'b', 'e',  'r',  ' ', 'o', 'f',  ' ',
                                          'r', 'e', 's', 'u', 'l', 't', 's',  ':',  ' ', '0', 0x0D, 0x0A}) +
                                       Underscores;
    QTest::newRow("one industry run of three cars")
        << QStringList{"Mill - hopper", "Dock - tank", " Yard  - boxcar ", "--------"}
        << Heading + "Total number of results: 4\r\n" + Underscores +
               Bytes({'M', 'i', 'l', 'l', ' ', '-', ' ', 'h', 'o', 'p', 'p', 'e', 'r', 0x0D, 0x0A}) +
               "Dock - tank\r\n Yard  - boxcar \r\n--------\r\n";
    QTest::newRow("empty entries count too")
        << QStringList{"", "--------"}
        << Heading + "Total number of results: 2\r\n" + Underscores + "\r\n--------\r\n";
}

void TestExport::writesTheExactText()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);

    QStringEncoder encoder = SystemEncoder();
    QCOMPARE(ExportBytes(entries, encoder), bytes);

    const QString path = m_dir.filePath(QStringLiteral("export.txt"));
    QVERIFY(exportResults(entries, path).ok);
    QCOMPARE(ReadFile(path), bytes);
}

void TestExport::encodesInTheGivenCodePage()
{
    QStringEncoder ansi = EncoderFor("windows-1252");
    if (!ansi.isValid())
        QSKIP("this system has no windows-1252 converter");
    // One byte each in windows-1252, two and three in UTF-8.
    const QStringList entries{QStringLiteral("Café - €uro"), QStringLiteral("ü")};
    const QByteArray bytes = ExportBytes(entries, ansi);
    QCOMPARE(bytes, Heading + "Total number of results: 2\r\n" + Underscores +
                        Bytes({'C', 'a', 'f', 0xE9, ' ', '-', ' ', 0x80, 'u', 'r', 'o', 0x0D, 0x0A, 0xFC,
                               0x0D, 0x0A}));

    // The file itself is in the system code page: windows-1252 on an English Windows, UTF-8 elsewhere.
    const QString path = m_dir.filePath(QStringLiteral("encoded.txt"));
    QVERIFY(exportResults(entries, path).ok);
#ifdef Q_OS_WIN
    if (SystemCodePageIs1252())
        QCOMPARE(ReadFile(path), bytes);
#else
    QStringEncoder utf8(QStringConverter::Utf8);
    QCOMPARE(ReadFile(path), ExportBytes(entries, utf8));
#endif
}

void TestExport::reportsADeviceThatFails()
{
    // The device takes part of the text, as a disk does that fills up; the write that follows fails,
    // with the device's own reason.
    QStringEncoder encoder = SystemEncoder();
    const QByteArray text = ExportBytes({QStringLiteral("Mill - hopper")}, encoder);
    FailingDevice device(10);
    const FileOutcome outcome = WriteAll(device, text);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.error, QStringLiteral("device full"));
    QCOMPARE(device.taken(), 10);

    FailingDevice roomy(text.size());
    QVERIFY(WriteAll(roomy, text).ok);

#ifdef Q_OS_LINUX
    // A real full disk: the system's own words, not "Unknown error".
    QFile full(QStringLiteral("/dev/full"));
    if (full.open(QIODevice::WriteOnly)) {
        const FileOutcome failed = WriteAll(full, ExportBytes(ManyEntries(5000), encoder));
        QVERIFY(!failed.ok);
        QCOMPARE(failed.error, qt_error_string(ENOSPC));
    }
#endif
}

void TestExport::replacesThePreviousExport()
{
    const QString path = m_dir.filePath(QStringLiteral("Velmora-Export.txt"));
    QVERIFY(exportResults(ManyEntries(50), path).ok);
    QVERIFY(exportResults({QStringLiteral("Mill - hopper"), QStringLiteral("--------")}, path).ok);
    QVERIFY(exportResults({QStringLiteral("Mill - hopper"), QStringLiteral("--------")}, path).ok);
    QCOMPARE(ReadFile(path),
             Heading + "Total number of results: 2\r\n" + Underscores + "Mill - hopper\r\n--------\r\n");
}

void TestExport::reportsAPathThatCannotBeCreated()
{
    // A missing folder is made, but not through a plain file.
    QFile blocker(m_dir.filePath(QStringLiteral("a file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const FileOutcome missing = exportResults({}, m_dir.filePath(QStringLiteral("a file/export.txt")));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.error.isEmpty());
    QVERIFY(exportResults({}, m_dir.filePath(QStringLiteral("no such folder/export.txt"))).ok);

    const QString folder = m_dir.filePath(QStringLiteral("a folder"));
    QVERIFY(QDir().mkpath(folder));
    const FileOutcome onFolder = exportResults({}, folder);
    QVERIFY(!onFolder.ok);
    QVERIFY(QFileInfo(folder).isDir());
}

void TestExport::keepsThePreviousExportWholeOnFailure()
{
#ifndef SAVE_HELPER
    QSKIP("needs the POSIX helper process that limits the file size");
#else
    const QString path = m_dir.filePath(QStringLiteral("kept.txt"));
    const QStringList first{QStringLiteral("Mill - hopper"), QStringLiteral("--------")};
    QVERIFY(exportResults(first, path).ok);
    const QByteArray before = ReadFile(path);

    // A child whose files may not grow past 10,000 bytes exports far more than that.
    QProcess helper;
    helper.start(QStringLiteral(SAVE_HELPER),
                 {QStringLiteral("export-fsize"), path, QStringLiteral("10000")});
    QVERIFY(helper.waitForFinished(60000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("kept.txt*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("kept.txt")});
#endif
}

// A long list goes out whole and in order, however the text is buffered on its way to the disk: 100,000
// entries make about 2.4 MB, far past any single buffer. How long it takes is the benchmark's to measure.
void TestExport::writesEveryEntryOfALongList()
{
    const QStringList entries = ManyEntries(100000);
    const QString path = m_dir.filePath(QStringLiteral("large.txt"));
    QVERIFY(exportResults(entries, path).ok);

    QByteArray expected = Heading + "Total number of results: 100000\r\n" + Underscores;
    for (const QString &entry : entries)
        expected += entry.toLatin1() + "\r\n";
    const QByteArray written = ReadFile(path);
    QCOMPARE(written.size(), expected.size());
    QVERIFY(written == expected);
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
