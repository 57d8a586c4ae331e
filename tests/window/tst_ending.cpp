// The session's end, and two Velmoras sharing one home.

#include "protect.h"
#include "selectionfile.h"
#include "testfiles.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSessionManager>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace velmora;
using namespace velmora::test;

namespace {

SelectionRecord OneIndustry(const QString &name)
{
    SelectionRecord record;
    record.IndustryCount = 1;
    record.Industries.redim(1);
    record.Industries[0].Name = name;
    record.Industries[0].CarTypes.assign({QStringLiteral("hopper")});
    return record;
}

} // namespace

class EndingTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

    QString lockPath() const
    {
        return QFileInfo(m_h.roots.selectionFile).absolutePath() + QStringLiteral("/Selection.lock");
    }

    // Whether the saved table holds this industry (the names are ASCII, stored as they are).
    bool Saved(const char *industry) const { return ReadFile(m_h.roots.selectionFile).contains(industry); }

    static void fill(VelmoraWindow &window, const QString &industry)
    {
        window.findChild<QLineEdit *>(QStringLiteral("txtInd(0)"))->setText(industry);
        window.findChild<QLineEdit *>(QStringLiteral("txtArr(0)"))->setText(QStringLiteral("hopper"));
        window.findChild<QCheckBox *>(QStringLiteral("checkData"))->setChecked(true);
    }

    // Makes every save from now on fail: this user may not write in the Selection file's own folder, and a
    // plain file lies where the fallback's folders belong.
    void refuseSaves()
    {
        m_h.rights.refused = {QFileInfo(m_h.roots.selectionFile).absolutePath()};
        const QString store = QDir::cleanPath(QFileInfo(m_h.roots.selectionFallback).absolutePath() +
                                              QStringLiteral("/../../.."));
        QVERIFY(QDir().mkpath(QFileInfo(store).absolutePath()));
        QVERIFY(WriteFile(store, "in the way"));
    }

    // Qt's own request at the session's end, with the application's own session manager.
    static void commitDataRequest()
    {
        auto *manager = qApp->findChild<QSessionManager *>();
        if (manager == nullptr)
            qFatal("the application has no session manager");
        emit qApp->commitDataRequest(*manager);
    }

private slots:
    void init() { QVERIFY(m_h.begin()); }
    void cleanup() { m_h.finish(); }

    // The session's end saves what the close label would save, asks nothing and leaves the program running.
    // Should the session go on, an end without saving takes the file away again.
    void sessionEndSavesWithoutAsking_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("closed with Save Data") << QStringLiteral("close");
        QTest::newRow("closed with Save Data unticked") << QStringLiteral("untick");
        QTest::newRow("title double-click") << QStringLiteral("title");
        QTest::newRow("save at exit failed, Discard") << QStringLiteral("discard");
    }
    void sessionEndSavesWithoutAsking()
    {
        QFETCH(QString, then);
        m_h.open();
        fill(*m_h.window, QStringLiteral("Mill"));
        commitDataRequest();
        QVERIFY(m_h.messages.shown.isEmpty());
        QCOMPARE(m_h.end.ends, 0);
        const QByteArray atSessionEnd = ReadFile(m_h.roots.selectionFile);
        QVERIFY(Saved("Mill"));

        if (then == QStringLiteral("title")) {
            m_h.window->lblHead_DblClick();
        } else {
            if (then == QStringLiteral("untick"))
                m_h.child<QCheckBox>(QStringLiteral("checkData"))->setChecked(false);
            if (then == QStringLiteral("discard")) {
                refuseSaves();
                m_h.messages.answers = {MessageAnswer::Discard};
            }
            m_h.window->ShutDown();
        }
        QCOMPARE(m_h.end.ends, 1);
        if (then == QStringLiteral("close"))
            QCOMPARE(ReadFile(m_h.roots.selectionFile), atSessionEnd);
        else
            QVERIFY(!QFile::exists(m_h.roots.selectionFile));
    }

    // The session's end as Windows sends it: WM_QUERYENDSESSION, then WM_ENDSESSION, at which Qt quits and so
    // closes every window. The table is saved once, and nothing asks, even where a second save would fail.
    void sessionEndSavesOnceAndAsksNothing()
    {
        m_h.open();
        m_h.window->show();
        fill(*m_h.window, QStringLiteral("Mill"));
#ifdef Q_OS_WIN
        const auto window = reinterpret_cast<HWND>(m_h.window->winId());
        SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
#else
        commitDataRequest();
#endif
        QVERIFY(Saved("Mill"));
        const QByteArray atSessionEnd = ReadFile(m_h.roots.selectionFile);
        refuseSaves();
#ifdef Q_OS_WIN
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
#else
        QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
#endif
        m_h.window->close();
        QVERIFY(m_h.messages.shown.isEmpty());
        QCOMPARE(m_h.end.ends, 1);
        QCOMPARE(ReadFile(m_h.roots.selectionFile), atSessionEnd);
    }

    // Two windows in one process stand for two Velmoras: they share the home, its files and its lock. Without
    // the lock, the one that closed last overwrote the other's table without a word.
    void secondVelmoraWithTheSameHomeTouchesNothing_data()
    {
        QTest::addColumn<bool>("firstLoads");
        QTest::addColumn<bool>("lockReadOnly");
        QTest::newRow("fresh") << false << false;
        QTest::newRow("first loaded the saved table") << true << false;
        // Left by another user (root, after a sudo): the lock needs no right to write.
        QTest::newRow("lock file this user may not write") << false << true;
    }
    void secondVelmoraWithTheSameHomeTouchesNothing()
    {
        QFETCH(bool, firstLoads);
        QFETCH(bool, lockReadOnly);
        const QString lock = lockPath();
        if (lockReadOnly) {
            QVERIFY(QDir().mkpath(QFileInfo(lock).absolutePath()));
            QVERIFY(WriteFile(lock, QByteArray()));
            if (!Protect(lock, true))
                QSKIP("the lock file cannot be made read-only here");
        }
        const auto unprotect = qScopeGuard([&] {
            if (lockReadOnly)
                Protect(lock, false);
        });
        if (firstLoads)
            QVERIFY(SaveSelection(OneIndustry(QStringLiteral("Mill")), m_h.roots.selectionFile).ok);
        m_h.open();
        QVERIFY(!QFile::exists(m_h.roots.selectionFile));
        if (!firstLoads)
            fill(*m_h.window, QStringLiteral("Mill"));
        commitDataRequest(); // a file on disk while the first runs, which the second must not load
        const QByteArray saved = ReadFile(m_h.roots.selectionFile);

        VelmoraWindow second(WindowSeams{
            .messages = &m_h.messages, .end = &m_h.end, .rights = &m_h.rights, .roots = &m_h.roots});
        QVERIFY(!second.start());
        QVERIFY(second.ended());
        QCOMPARE(m_h.end.ends, 1);
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Velmora Is Already Running"));
        QCOMPARE(ReadFile(m_h.roots.selectionFile), saved);

        fill(*m_h.window, QStringLiteral("Mill"));
        m_h.window->ShutDown();
        QCOMPARE(m_h.end.ends, 2);
        QVERIFY(Saved("Mill"));
    }

    // The lock is the system's, not the file's: one left by a program that was killed is taken at once, and a
    // window that ends takes its lock file with it, so the next start is not refused.
    void lockGoesWithItsWindow()
    {
        const QString lock = lockPath();
        QVERIFY(QDir().mkpath(QFileInfo(lock).absolutePath()));
        QVERIFY(WriteFile(lock, "12345\nvelmora\nelsewhere\n"));
        m_h.open();
        QVERIFY(!m_h.window->ended());
        m_h.window.reset();
        QVERIFY(!QFile::exists(lock));
        m_h.open();
        QVERIFY(!m_h.window->ended());
        QVERIFY(m_h.messages.shown.isEmpty());
    }
};

QTEST_MAIN(EndingTest)
#include "tst_ending.moc"
