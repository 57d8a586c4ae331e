// The session's end, and two Velmoras sharing one home.

#include "runninglock.h"
#include "selectionfile.h"
#include "testfiles.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
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

    // Two starts with one home stand for two Velmoras: the second finds the lock held, says so and builds no
    // window, so it touches no file. Without the lock, the one that closed last overwrote the other's table
    // without a word.
    void secondVelmoraWithTheSameHomeTouchesNothing_data()
    {
        QTest::addColumn<bool>("firstLoads");
        QTest::newRow("fresh") << false;
        QTest::newRow("first loaded the saved table") << true;
    }
    void secondVelmoraWithTheSameHomeTouchesNothing()
    {
        QFETCH(bool, firstLoads);
        if (firstLoads)
            QVERIFY(SaveSelection(OneIndustry(QStringLiteral("Mill")), m_h.roots.selectionFile).ok);
        RunningLock first;
        QVERIFY(takeRunningLock(first, m_h.places(), m_h.messages));
        m_h.open();
        QVERIFY(!QFile::exists(m_h.roots.selectionFile));
        if (!firstLoads)
            fill(*m_h.window, QStringLiteral("Mill"));
        commitDataRequest(); // a file on disk while the first runs, which the second must not load
        const QByteArray saved = ReadFile(m_h.roots.selectionFile);

        RunningLock second;
        QVERIFY(!takeRunningLock(second, m_h.places(), m_h.messages));
        QCOMPARE(m_h.messages.shown.size(), 1);
        QCOMPARE(m_h.messages.shown.first().title, QStringLiteral("Velmora Is Already Running"));
        QCOMPARE(ReadFile(m_h.roots.selectionFile), saved);

        fill(*m_h.window, QStringLiteral("Mill"));
        m_h.window->ShutDown();
        QCOMPARE(m_h.end.ends, 1);
        QVERIFY(Saved("Mill"));
    }
};

QTEST_MAIN(EndingTest)
#include "tst_ending.moc"
