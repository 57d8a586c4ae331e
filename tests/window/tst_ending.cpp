// Ways the program ends besides its own close, and two Velmoras sharing one home.

#include "paths.h"
#include "selectionfile.h"
#include "testfiles.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>

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

// Whether the saved table holds this industry (the names are ASCII, stored as they are).
bool Saved(const char *industry)
{
    return ReadFile(SelectionFilePath()).contains(industry);
}

} // namespace

class EndingTest : public QObject {
    Q_OBJECT

private:
    Harness m_h;

    static void fill(VelmoraWindow &window, const QString &industry)
    {
        window.findChild<QLineEdit *>(QStringLiteral("txtInd(0)"))->setText(industry);
        window.findChild<QLineEdit *>(QStringLiteral("txtArr(0)"))->setText(QStringLiteral("hopper"));
        window.findChild<QCheckBox *>(QStringLiteral("checkData"))->setChecked(true);
    }

private slots:
    void init() { QVERIFY(m_h.begin()); }
    void cleanup() { m_h.finish(); }

    // Two windows in one process stand for two Velmoras: they share the home and its files alike.
    void twoVelmorasWithOneHome_data()
    {
        QTest::addColumn<bool>("firstLoads");
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("fresh, first closes first") << false << true;
        QTest::newRow("fresh, second closes first") << false << false;
        QTest::newRow("first loaded the table, first closes first") << true << true;
        QTest::newRow("first loaded the table, second closes first") << true << false;
    }
    void twoVelmorasWithOneHome()
    {
        QFETCH(bool, firstLoads);
        QFETCH(bool, firstClosesFirst);
        if (firstLoads)
            QVERIFY(SaveSelection(OneIndustry(QStringLiteral("Mill")), SelectionFilePath()).ok);
        m_h.open();
        if (!firstLoads)
            fill(*m_h.window, QStringLiteral("Mill"));
        VelmoraWindow second(WindowSeams{&m_h.messages, &m_h.end, &m_h.rights});
        fill(second, QStringLiteral("Dock"));

        VelmoraWindow &firstClosed = firstClosesFirst ? *m_h.window : second;
        VelmoraWindow &lastClosed = firstClosesFirst ? second : *m_h.window;
        firstClosed.ShutDown();
        lastClosed.ShutDown();
        QCOMPARE(m_h.end.ends, 2);
        QVERIFY(m_h.messages.shown.isEmpty());
        // What happens today: the last to close overwrites the other's table, and nobody is told.
        QCOMPARE(Saved("Mill"), !firstClosesFirst);
        QCOMPARE(Saved("Dock"), firstClosesFirst);
    }
};

QTEST_MAIN(EndingTest)
#include "tst_ending.moc"
