// Where the files live, the walk that makes the Selection file's folder, and the start-up presence test.

#include "folders.h"
#include "places.h"
#include "selectionfile.h"
#include "temporaryhome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace velmora;
using namespace velmora::test;

class TestFolders : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void placesTheFilesInTheUsersFolders();
    void walksThePathPieceByPiece_data();
    void walksThePathPieceByPiece();
    void makesTheMissingFoldersInOrder();
#ifdef Q_OS_WIN
    void makesFoldersBelowASharesRootAndALongPathsPrefix_data();
    void makesFoldersBelowASharesRootAndALongPathsPrefix();
#endif
    void reportsAFolderThatCannotBeMade();
    void aFolderMadeMeanwhileCounts();
    void findsAnythingNamedExactlySelection_data();
    void findsAnythingNamedExactlySelection();

private:
    TemporaryHome m_dir;
};

void TestFolders::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestFolders::placesTheFilesInTheUsersFolders()
{
    const FileRoots roots = FileRoots::system();
#ifdef Q_OS_WIN
    QVERIFY(!WindowsFolder().isEmpty());
    QCOMPARE(SystemDriveRoot(), WindowsFolder().left(1) + QStringLiteral(":\\"));
    QCOMPARE(roots.selectionFile,
             SystemDriveRoot() + QStringLiteral("Program Files\\Ostrel\\Velmora\\Selection"));
    QCOMPARE(roots.exportFile, QStringLiteral("C:\\Velmora-Export.txt"));
#else
    const QString data = m_dir.filePath(QStringLiteral("data"));
    QCOMPARE(WindowsFolder(), QString());
    QCOMPARE(SystemDriveRoot(), data + u'/');
    QCOMPARE(roots.selectionFile, data + QStringLiteral("/Program Files/Ostrel/Velmora/Selection"));
    QCOMPARE(roots.exportFile, m_dir.filePath(QStringLiteral("Velmora-Export.txt")));

    // The folder start-up makes is the one the file is saved in.
    QVERIFY(makeFolderFor(roots.selectionFile).ok);
    QVERIFY(QFileInfo(data + QStringLiteral("/Program Files/Ostrel/Velmora")).isDir());
    QVERIFY(SaveSelection(SelectionRecord{}, roots.selectionFile).ok);
    QVERIFY(SelectionFilePresent(data + QStringLiteral("/Program Files/Ostrel/Velmora")));
#endif
}

void TestFolders::walksThePathPieceByPiece_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QStringList>("steps");

    const QChar back = u'\\';
    QTest::newRow("Windows folder") << QStringLiteral("C:\\Program Files\\Ostrel\\Velmora\\") << back
                                    << QStringList{"C:\\Program Files\\", "C:\\Program Files\\Ostrel\\",
                                                   "C:\\Program Files\\Ostrel\\Velmora\\"};
    QTest::newRow("doubled and no trailing")
        << QStringLiteral("D:\\\\Program Files\\Ostrel\\\\Velmora") << back
        << QStringList{"D:\\Program Files\\", "D:\\Program Files\\Ostrel\\",
                       "D:\\Program Files\\Ostrel\\Velmora\\"};
    QTest::newRow("no drive found") << QStringLiteral(":\\Program Files\\") << back
                                    << QStringList{":\\Program Files\\"};
    QTest::newRow("from the root") << QStringLiteral("/home/u/.local/share//Program Files/") << QChar(u'/')
                                   << QStringList{"/home/", "/home/u/", "/home/u/.local/",
                                                  "/home/u/.local/share/",
                                                  "/home/u/.local/share/Program Files/"};
    QTest::newRow("colon past the start")
        << QStringLiteral("/srv/a:/b") << QChar(u'/') << QStringList{"/srv/", "/srv/a:/", "/srv/a:/b/"};
    QTest::newRow("only separators") << QStringLiteral("///") << QChar(u'/') << QStringList{};
    // A network share's root, \\server\share\, is never made or tested; nor is a long path's prefix.
    QTest::newRow("network share") << QStringLiteral("\\\\server\\users\\bob\\Documents\\") << back
                                   << QStringList{"\\\\server\\users\\bob\\",
                                                  "\\\\server\\users\\bob\\Documents\\"};
    QTest::newRow("long path") << QStringLiteral("\\\\?\\C:\\Program Files\\Ostrel\\") << back
                               << QStringList{"\\\\?\\C:\\Program Files\\",
                                              "\\\\?\\C:\\Program Files\\Ostrel\\"};
    QTest::newRow("long path to a share") << QStringLiteral("\\\\?\\UNC\\server\\users\\bob\\") << back
                                          << QStringList{"\\\\?\\UNC\\server\\users\\bob\\"};
    QTest::newRow("share alone") << QStringLiteral("\\\\server\\users") << back << QStringList{};
}

void TestFolders::walksThePathPieceByPiece()
{
    QFETCH(QString, path);
    QFETCH(QChar, separator);
    QFETCH(QStringList, steps);
    QCOMPARE(folderPathSteps(path, separator), steps);
}

void TestFolders::makesTheMissingFoldersInOrder()
{
    const QString root = m_dir.filePath(QStringLiteral("walk"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/Program Files")));

    const auto native = [](const QString &path) { return QDir::toNativeSeparators(path); };
    QVERIFY(MakeFolderPath(native(root + "/Program Files//Ostrel/Velmora/")).ok);
    QVERIFY(QFileInfo(root + QStringLiteral("/Program Files/Ostrel/Velmora")).isDir());

    // Run again, it leaves the folders and what they hold alone.
    QFile kept(root + QStringLiteral("/Program Files/Ostrel/Velmora/kept"));
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.close();
    QVERIFY(MakeFolderPath(native(root + "/Program Files/Ostrel/Velmora")).ok);
    QVERIFY(kept.exists());
}

#ifdef Q_OS_WIN
// A share \\velmora\share, which the Wine test set-up maps to a folder of the prefix (skipped where there is
// none), and a long path: the walk makes the folders below the share's root and the "\\?\" prefix.
void TestFolders::makesFoldersBelowASharesRootAndALongPathsPrefix_data()
{
    QTest::addColumn<QString>("path");
    const QString unique = QStringLiteral("Velmora-%1").arg(QCoreApplication::applicationPid());
    QTest::newRow("network share") << QStringLiteral("\\\\velmora\\share\\%1\\Documents\\").arg(unique);
    QTest::newRow("long path to a share")
        << QStringLiteral("\\\\?\\UNC\\velmora\\share\\%1\\Long\\").arg(unique);
    QTest::newRow("long path") << QStringLiteral("\\\\?\\") +
                                      QDir::toNativeSeparators(m_dir.filePath(unique)) +
                                      QStringLiteral("\\Long\\");
}

void TestFolders::makesFoldersBelowASharesRootAndALongPathsPrefix()
{
    QFETCH(QString, path);
    if (path.contains(QStringLiteral("velmora\\share")) &&
        !QFileInfo(QStringLiteral("\\\\velmora\\share\\")).isDir())
        QSKIP("no share \\\\velmora\\share here");
    const FileOutcome outcome = MakeFolderPath(path);
    QVERIFY2(outcome.ok, qPrintable(outcome.error));
    QVERIFY(QFileInfo(path).isDir());
}
#endif

void TestFolders::reportsAFolderThatCannotBeMade()
{
    const QString root = m_dir.filePath(QStringLiteral("blocked"));
    QVERIFY(QDir().mkpath(root));
    QFile file(root + QStringLiteral("/Ostrel"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const FileOutcome outcome = MakeFolderPath(QDir::toNativeSeparators(root + "/Ostrel/Velmora/"));
    QVERIFY(!outcome.ok);
    QVERIFY(outcome.error.contains(QStringLiteral("Ostrel")));
    QVERIFY(QFileInfo(root + QStringLiteral("/Ostrel")).isFile());
}

// Another program may make a folder between the walk's test and its own mkdir (two first starts at once):
// the folder is there, which is all the walk wanted.
void TestFolders::aFolderMadeMeanwhileCounts()
{
    const QString folder = m_dir.filePath(QStringLiteral("meanwhile"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(makeFolder(QDir::toNativeSeparators(folder)).ok);
}

void TestFolders::findsAnythingNamedExactlySelection_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("present");

    QTest::newRow("the file") << QStringList{"Selection"} << QStringList{} << true;
#ifdef Q_OS_WIN
    // Windows folds letter case: "selection" and "Selection" would be one file.
    QTest::newRow("beside others") << QStringList{"Selection", "Selection.unreadable"} << QStringList{}
                                   << true;
#else
    QTest::newRow("beside others") << QStringList{"selection", "Selection", "Selection.unreadable"}
                                   << QStringList{} << true;
#endif
    QTest::newRow("lower case") << QStringList{"selection"} << QStringList{} << false;
    QTest::newRow("upper case") << QStringList{"SELECTION"} << QStringList{} << false;
    QTest::newRow("with an extension") << QStringList{"Selection.unreadable"} << QStringList{} << false;
    // Found, so the loader can refuse it and set it aside.
    QTest::newRow("a folder") << QStringList{} << QStringList{"Selection"} << true;
#ifdef Q_OS_UNIX
    QTest::newRow("a pipe") << QStringList{"|Selection"} << QStringList{} << true;
    QTest::newRow("a link to nowhere") << QStringList{">Selection"} << QStringList{} << true;
#endif
    QTest::newRow("nothing") << QStringList{} << QStringList{} << false;
}

void TestFolders::findsAnythingNamedExactlySelection()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(bool, present);

    QTemporaryDir dir;
    for (const QString &name : files) {
#ifdef Q_OS_UNIX
        // "|name" is a pipe, ">name" a link to a path that does not exist.
        const QByteArray special = QFile::encodeName(dir.filePath(name.mid(1)));
        if (name.startsWith(u'|')) {
            QCOMPARE(::mkfifo(special.constData(), 0600), 0);
            continue;
        }
        if (name.startsWith(u'>')) {
            QCOMPARE(::symlink("missing", special.constData()), 0);
            continue;
        }
#endif
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString &name : folders)
        QVERIFY(QDir(dir.path()).mkdir(name));
    QCOMPARE(SelectionFilePresent(dir.path()), present);
}

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
