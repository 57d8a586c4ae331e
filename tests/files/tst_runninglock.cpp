// The lock that keeps one Velmora per home: one holder at a time, whatever lock file it finds, and gone with
// its holder.

#include "places.h"
#include "protect.h"
#include "runninglock.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

class TestRunningLock : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FilePlaces places() const
    {
        return FilePlaces({QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("Velmora/Selection"))),
                           QString(), QString(), QString()});
    }
    QString lockFile() const { return m_dir.filePath(QStringLiteral("Velmora/Selection.lock")); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // A lock file that no program holds is taken, one left by a killed program or by another user (root,
    // after a sudo, which this user may only read) alike; then no second holder is let in.
    void oneHolderAtATime_data()
    {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("left by a killed program") << QByteArray("12345\nvelmora\nelsewhere\n") << false;
        QTest::newRow("this user may not write it") << QByteArray() << true;
    }
    void oneHolderAtATime()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, readOnly);
        if (!left.isEmpty() || readOnly) {
            QVERIFY(QDir().mkpath(QFileInfo(lockFile()).absolutePath()));
            QVERIFY(WriteFile(lockFile(), left));
        }
        if (readOnly && !setProtected(lockFile(), true))
            QSKIP("the lock file cannot be made read-only here");
        const auto unprotect = qScopeGuard([&] {
            if (readOnly)
                setProtected(lockFile(), false);
        });

        RunningLock first;
        QCOMPARE(first.take(places()), RunningLock::Outcome::Taken);
        RunningLock second;
        QCOMPARE(second.take(places()), RunningLock::Outcome::HeldElsewhere);
    }

    // The system lets go when the holder ends, and the lock file goes with it, so the next start is not
    // refused.
    void goesWithItsHolder()
    {
        {
            RunningLock held;
            QCOMPARE(held.take(places()), RunningLock::Outcome::Taken);
            QVERIFY(QFileInfo::exists(lockFile()));
        }
        QVERIFY(!QFileInfo::exists(lockFile()));
        RunningLock next;
        QCOMPARE(next.take(places()), RunningLock::Outcome::Taken);
    }
};

QTEST_GUILESS_MAIN(TestRunningLock)
#include "tst_runninglock.moc"
