// The ending signals while a start-up message waits for its answer: the program saves what Esc would save
// and ends, whichever message is open. The real program runs on the offscreen platform, where a message box
// waits for ever unless something ends it.

#include "places.h"
#include "selectionfile.h"
#include "temporaryhome.h"
#include "testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>
#include <csignal>

using namespace velmora;
using namespace velmora::test;

namespace {

// Whether the process has a handler of its own for the signal (the mask of caught signals in /proc).
bool catchesSignal(const QProcess &process, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1U) != 0;
    }
    return false;
}

} // namespace

class StartSignalsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporaryHome> m_home;
    std::vector<std::unique_ptr<QProcess>> m_programs;

    QProcess &start()
    {
        auto &program = m_programs.emplace_back(std::make_unique<QProcess>());
        program->setProcessChannelMode(QProcess::ForwardedChannels);
        program->start(QStringLiteral(VELMORA_PROGRAM), QStringList());
        // Started is past exec: until then the child has this test's handlers, QtTest's among them.
        if (!program->waitForStarted())
            qFatal("velmora did not start");
        return *program;
    }

private slots:
    void init()
    {
        m_home = std::make_unique<TemporaryHome>();
        QVERIFY(m_home->isValid());
    }
    void cleanup()
    {
        for (const auto &program : m_programs) {
            program->kill();
            program->waitForFinished();
        }
        m_programs.clear();
        m_home.reset();
    }

    void signalEndsAStartUpMessage_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("signal");
        QTest::newRow("Saved Data Cut, SIGTERM") << QStringLiteral("cut") << SIGTERM;
        QTest::newRow("Velmora Is Already Running, SIGINT") << QStringLiteral("running") << SIGINT;
    }
    void signalEndsAStartUpMessage()
    {
        QFETCH(QString, message);
        QFETCH(int, signal);
        const QString selection = FileRoots::system().selectionFile;
        if (message == QStringLiteral("cut")) {
            // More car types than a box holds: the table loads cut, its file is deleted, and the message
            // says what was left out while the table lives in the window alone.
            SelectionRecord record;
            record.IndustryCount = 1;
            record.Industries.redim(1);
            record.Industries[0].Name = QStringLiteral("Mill");
            record.Industries[0].CarTypes.assign(QStringList(20000, QStringLiteral("hopper")));
            record.Industries[0].LastType = 19999;
            QVERIFY(SaveSelection(record, selection).ok);
        } else {
            QProcess &first = start();
            const QString lock = QFileInfo(selection).absolutePath() + QStringLiteral("/Selection.lock");
            QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(lock); }, 30000));
            QVERIFY(first.state() == QProcess::Running);
        }
        QProcess &program = start();
        // QTest::qWaitFor rather than QTRY_*, which narrow their time-out to int from Qt 6.8 (-Wconversion).
        QVERIFY(QTest::qWaitFor([&] { return catchesSignal(program, signal); }, 30000));
        if (message == QStringLiteral("cut"))
            QVERIFY(QTest::qWaitFor([&] { return !QFileInfo::exists(selection); }, 30000));

        QCOMPARE(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        QVERIFY2(program.waitForFinished(30000), "the program did not end");
        if (message == QStringLiteral("cut")) {
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QVERIFY(ReadFile(selection).contains("Mill"));
        }
    }
};

QTEST_GUILESS_MAIN(StartSignalsTest)
#include "startsignals.moc"
