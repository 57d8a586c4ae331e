// Where the files go: the system's places and the fallbacks, where each file goes when its own place
// refuses this user, and which saved table start-up finds when both places hold one.

#include "export.h"
#include "filestest.h"
#include "places.h"
#include "refusingrights.h"
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

using namespace velmora;
using namespace velmora::test;

namespace {

bool WriteFile(const QString &path, const QByteArray &bytes, const QDateTime &modified)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace

class TestPlaces : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void fallbacksLieInTheUsersOwnFolders();
    void keepsTheOwnPlaceWhereItMayBeWritten();
    void asksAboutTheNearestFolderThatExists();
    void refusedSaveGoesToTheVirtualStoreWhole();
    void refusedExportGoesToDocuments();
    void findsTheSavedTables_data();
    void findsTheSavedTables();
    void systemRightsLetTheOwnerWrite();

private:
    TemporaryHome m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString fixedFolder() const { return m_dir->filePath(QStringLiteral("Program Files/Ostrel/Velmora")); }
    QString fixed() const { return fixedFolder() + QStringLiteral("/Selection"); }
    QString fallback() const
    {
        return m_dir->filePath(QStringLiteral("VirtualStore/Program Files/Ostrel/Velmora/Selection"));
    }
    // The Selection file's two places here, and an export that belongs in the temporary folder's root.
    FilePlaces places(const RefusingRights &rights) const
    {
        return FilePlaces({fixed(), fallback(), m_dir->filePath(QStringLiteral("Velmora-Export.txt")),
                           m_dir->filePath(QStringLiteral("home/Documents/Velmora-Export.txt"))},
                          &rights);
    }
};

void TestPlaces::initTestCase()
{
    QVERIFY(m_home.isValid());
}

void TestPlaces::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPlaces::fallbacksLieInTheUsersOwnFolders()
{
    const FileRoots roots = FileRoots::system();
#ifdef Q_OS_WIN
    QVERIFY(roots.selectionFallback.endsWith(
        QStringLiteral("\\AppData\\Local\\VirtualStore\\Program Files\\Ostrel\\Velmora\\Selection")));
    QVERIFY(roots.exportFallback.endsWith(QStringLiteral("\\Documents\\Velmora-Export.txt")));
#else
    QCOMPARE(roots.selectionFallback,
             m_home.filePath(QStringLiteral("data/VirtualStore/Program Files/Ostrel/Velmora/Selection")));
    QCOMPARE(roots.exportFallback, m_home.filePath(QStringLiteral("Documents/Velmora-Export.txt")));
#endif
}

void TestPlaces::keepsTheOwnPlaceWhereItMayBeWritten()
{
    QVERIFY(QDir().mkpath(fixedFolder()));
    RefusingRights rights;
    QCOMPARE(places(rights).selectionFile(), fixed());
    QCOMPARE(rights.asked, QStringList{fixedFolder()});

    rights.refused = {m_dir->filePath(QStringLiteral("Program Files"))};
    QCOMPARE(places(rights).selectionFile(), fallback());
}

void TestPlaces::asksAboutTheNearestFolderThatExists()
{
    // The folders below "Program Files" would be made there, so that is where the rights are decided.
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Program Files"))));
    RefusingRights rights;
    rights.refused = {m_dir->filePath(QStringLiteral("Program Files"))};
    QCOMPARE(places(rights).selectionFile(), fallback());
    QCOMPARE(rights.asked, QStringList{m_dir->filePath(QStringLiteral("Program Files"))});
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("Program Files/Ostrel"))));
}

void TestPlaces::refusedSaveGoesToTheVirtualStoreWhole()
{
    QVERIFY(QDir().mkpath(fixedFolder()));
    RefusingRights rights;
    rights.refused = {m_dir->filePath(QStringLiteral("Program Files"))};
    const FileOutcome outcome = SaveSelection(ShortRecord(), places(rights).selectionFile());
    QVERIFY2(outcome.ok, qPrintable(outcome.error));

    QStringEncoder encoder = SystemEncoder();
    QCOMPARE(ReadFile(fallback()), SelectionBytes(ShortRecord(), encoder));
    QVERIFY(!QFileInfo::exists(fixed()));
    QCOMPARE(places(rights).savedSelections(), QStringList{fallback()});
}

void TestPlaces::refusedExportGoesToDocuments()
{
    RefusingRights rights;
    rights.refused = {m_dir->path()};
    const QString own = places(rights).roots().exportFile;
    const QString documents = places(rights).roots().exportFallback;
    const QString place = places(rights).exportFile();
    QCOMPARE(place, documents);
    // The Documents folder is made when it is missing.
    QVERIFY(exportResults({QStringLiteral("Mill - hopper"), QStringLiteral("--------")}, place).ok);
    QVERIFY(ReadFile(documents).endsWith("\r\nMill - hopper\r\n--------\r\n"));
    QVERIFY(!QFileInfo::exists(own));
}

void TestPlaces::findsTheSavedTables_data()
{
    QTest::addColumn<int>("fixedAge");    // seconds; -1: no file there
    QTest::addColumn<int>("fallbackAge"); // seconds; -1: no file there
    QTest::addColumn<QStringList>("found");

    QTest::newRow("neither") << -1 << -1 << QStringList{};
    QTest::newRow("own place only") << 10 << -1 << QStringList{"fixed"};
    QTest::newRow("fallback only") << -1 << 10 << QStringList{"fallback"};
    QTest::newRow("fallback newer") << 60 << 10 << QStringList{"fallback", "fixed"};
    QTest::newRow("own place newer") << 10 << 60 << QStringList{"fixed", "fallback"};
    QTest::newRow("as old") << 10 << 10 << QStringList{"fixed", "fallback"};
}

void TestPlaces::findsTheSavedTables()
{
    QFETCH(int, fixedAge);
    QFETCH(int, fallbackAge);
    QFETCH(QStringList, found);

    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (fixedAge >= 0)
        QVERIFY(WriteFile(fixed(), "own", now.addSecs(-fixedAge)));
    if (fallbackAge >= 0)
        QVERIFY(WriteFile(fallback(), "fallback", now.addSecs(-fallbackAge)));
    QStringList expected;
    for (const QString &which : found)
        expected.append(which == QLatin1String("fixed") ? fixed() : fallback());
    QCOMPARE(places(RefusingRights()).savedSelections(), expected);
}

void TestPlaces::systemRightsLetTheOwnerWrite()
{
    QVERIFY(SystemRights().mayWrite(m_dir->path()));
    // Asking leaves nothing behind.
    QCOMPARE(
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList{});
}

QTEST_GUILESS_MAIN(TestPlaces)
#include "tst_places.moc"
