// Saving on disk: the folder, atomic replacement, and saves that fail or are cut short.

#include "atomicfile.h"
#include "filestest.h"
#include "places.h"
#include "selectionfile.h"
#include "selectionlayout.h"
#include "temporaryhome.h"
#include "testfiles.h"
#include "textcodec.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cerrno>
#include <random>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

QByteArray SystemBytes(const SelectionRecord &record)
{
    QStringEncoder encoder = SystemEncoder();
    return SelectionBytes(record, encoder);
}

// Runs the helper to its end and gives its exit status.
int RunHelper(const QStringList &arguments, QString *output = nullptr)
{
    QProcess helper;
    helper.start(QStringLiteral(SAVE_HELPER), arguments);
    if (!helper.waitForFinished(60000) || helper.exitStatus() != QProcess::NormalExit)
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(helper.readAllStandardOutput()).trimmed();
    return helper.exitCode();
}

} // namespace

class TestSelectionDisk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveCreatesTheFolder();
    void saveReplacesALongerFileWhole();
    void saveThroughARegularFileFails();
    void saveIntoAFolderWithoutRightsKeepsTheOldFile();
    void saveRefusedByTheSystemGoesToTheFallback();
    void saveCutShortByAFileSizeLimitKeepsTheOldFile();
    void killedSavesLeaveARecordWhole();

private:
    TemporaryHome m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath(QStringLiteral("Program Files/Ostrel/Velmora")); }
    QString path() const { return folder() + QStringLiteral("/Selection"); }
    QString fallback() const
    {
        return m_dir->filePath(QStringLiteral("VirtualStore/Program Files/Ostrel/Velmora/Selection"));
    }
    // Lets everyone pass through every folder from the temporary folder down to folder.
    bool makePassable(const QString &folder) const
    {
        const auto passable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        for (QString f = folder; f.startsWith(m_dir->path()); f = QFileInfo(f).path()) {
            if (!QFile::setPermissions(f, passable))
                return false;
        }
        return true;
    }
    // Everything in the folder, hidden files included.
    QStringList folderEntries() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                        QDir::NoDotAndDotDot);
    }
};

void TestSelectionDisk::initTestCase()
{
    // Every path here is explicit; the user's own folders are kept out of reach all the same.
    QVERIFY(m_home.isValid());
}

void TestSelectionDisk::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSelectionDisk::cleanup()
{
    // A failed test may leave the folder read-only.
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

void TestSelectionDisk::saveCreatesTheFolder()
{
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("Program Files"))));
    const FileOutcome outcome = SaveSelection(ShortRecord(), path());
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    QCOMPARE(ReadFile(path()), SystemBytes(ShortRecord()));
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("Selection")});
}

void TestSelectionDisk::saveReplacesALongerFileWhole()
{
    QVERIFY(SaveSelection(LongRecord(), path()).ok);
    QVERIFY(SaveSelection(ShortRecord(), path()).ok);
    // Exactly the new record: nothing of the longer file survives behind it.
    QCOMPARE(ReadFile(path()), SystemBytes(ShortRecord()));
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("Selection")});
}

void TestSelectionDisk::saveThroughARegularFileFails()
{
    // "Ostrel" is a file, so the folder below it can never be made, whoever runs the test.
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Program Files"))));
    QFile blocker(m_dir->filePath(QStringLiteral("Program Files/Ostrel")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();

    const FileOutcome outcome = SaveSelection(ShortRecord(), path());
    QVERIFY(!outcome.ok);
    QVERIFY(outcome.error.contains(QStringLiteral("Ostrel")));
    QCOMPARE(ReadFile(blocker.fileName()), QByteArray("not a folder"));
}

void TestSelectionDisk::saveIntoAFolderWithoutRightsKeepsTheOldFile()
{
    QVERIFY(SaveSelection(LongRecord(), path()).ok);
    const QByteArray before = ReadFile(path());
    // Everyone may pass through to the folder; nobody but its owner may write in it.
    QVERIFY(makePassable(folder()));
    QVERIFY(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));

    if (geteuid() == 0) {
        // Root writes anywhere, so the save runs in a child that gives up root's rights first.
        QString output;
        QCOMPARE(RunHelper({QStringLiteral("as-nobody"), path()}, &output), 0);
        QVERIFY(!output.isEmpty());
    } else {
        const FileOutcome outcome = SaveSelection(ShortRecord(), path());
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.error.isEmpty());
    }
    QCOMPARE(ReadFile(path()), before);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("Selection")});
}

// The system's own refusal, not an injected one: a standard user and a folder only its owner may write in.
void TestSelectionDisk::saveRefusedByTheSystemGoesToTheFallback()
{
    QVERIFY(QDir().mkpath(folder()));
    QVERIFY(makePassable(folder()));
    QVERIFY(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    // The fallback's root is open to all, as a user's own local data folder is to that user.
    const QString store = m_dir->filePath(QStringLiteral("VirtualStore"));
    QVERIFY(QDir().mkpath(store));
    QVERIFY(QFile::setPermissions(store, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));

    QString output;
    if (geteuid() == 0) {
        QCOMPARE(RunHelper({QStringLiteral("fallback-as-nobody"), path(), fallback()}, &output), 1);
    } else {
        const QString place = FilePlaces({path(), fallback(), QString(), QString()}).selectionFile();
        output = place + QStringLiteral("\nsaved");
        QVERIFY(SaveSelection(ShortRecord(), place).ok);
    }
    QCOMPARE(output, fallback() + QStringLiteral("\nsaved"));
    QCOMPARE(ReadFile(fallback()), SystemBytes(ShortRecord()));
    QCOMPARE(folderEntries(), QStringList{});
}

void TestSelectionDisk::saveCutShortByAFileSizeLimitKeepsTheOldFile()
{
    QVERIFY(SaveSelection(ShortRecord(), path()).ok);
    const QByteArray before = ReadFile(path());
    QString output;
    QCOMPARE(RunHelper({QStringLiteral("fsize"), path(), QStringLiteral("50000")}, &output), 0);
    QCOMPARE(output, qt_error_string(EFBIG)); // the system's reason, not "Unknown error"
    QCOMPARE(ReadFile(path()), before);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("Selection")});
}

void TestSelectionDisk::killedSavesLeaveARecordWhole()
{
    const QByteArray shortBytes = SystemBytes(ShortRecord());
    const QByteArray longBytes = SystemBytes(LongRecord());
    QVERIFY(SaveSelection(ShortRecord(), path()).ok);

    // Kill moments come from a fixed seed, so a failure can be repeated. They are scaled to how long the
    // first save took, since a synced save on a busy disk may take far longer than on an idle one.
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> share(0.0, 2.0);
    int shortSeen = 0;
    int longSeen = 0;
    for (int round = 0; round < 80; ++round) {
        QProcess child;
        child.start(QStringLiteral(SAVE_HELPER), {QStringLiteral("loop"), path()});
        QVERIFY(child.waitForReadyRead(30000));
        QElapsedTimer firstSave;
        firstSave.start();
        QByteArray printed = child.readAllStandardOutput();
        while (!printed.contains("saved") && child.waitForReadyRead(30000))
            printed += child.readAllStandardOutput();
        QVERIFY(printed.contains("saved"));
        const qint64 saveMicroseconds = firstSave.nsecsElapsed() / 1000;
        QThread::usleep(static_cast<unsigned long>(share(random) * static_cast<double>(saveMicroseconds)));
        child.kill();
        QVERIFY(child.waitForFinished(30000));

        const QByteArray now = ReadFile(path());
        QVERIFY2(now == shortBytes || now == longBytes,
                 qPrintable(QStringLiteral("round %1: a file of %2 bytes").arg(round).arg(now.size())));
        (now == shortBytes ? shortSeen : longSeen)++;
    }
    // Both records turned up, so the kills fell during and between saves, not only after the first.
    QVERIFY(shortSeen > 0);
    QVERIFY(longSeen > 0);
    const QStringList leftovers = folderEntries().filter(QStringLiteral("Selection."));
    qInfo("after 80 kills: short record %d times, long record %d times, %lld temporary files left behind",
          shortSeen, longSeen, static_cast<long long>(leftovers.size()));
    // What the kills left is exactly what start-up removes, once it has settled.
    for (const QString &name : leftovers) {
        QFile file(QDir(folder()).filePath(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-120),
                                 QFileDevice::FileModificationTime));
    }
    removeAtomicWriteLeftovers(path());
    // Qt's names with all six letters of one case (1 in 32) are left alone on purpose.
    for (const QString &name : folderEntries().filter(QStringLiteral("Selection.")))
        QVERIFY2(name.right(6) == name.right(6).toLower() || name.right(6) == name.right(6).toUpper(),
                 qPrintable(name));
}

QTEST_GUILESS_MAIN(TestSelectionDisk)
#include "tst_selectiondisk.moc"
