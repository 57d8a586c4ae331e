// The industry run and the car-type run, driven through a plain model with scripted draws.

#include "code.h"
#include "modelcontrols.h"
#include "scriptedrandom.h"

#include <QTest>
#include <cmath>

using namespace velmora;
using velmora::test::ModelControls;
using velmora::test::ScriptedRandom;

class TestRuns : public QObject {
    Q_OBJECT

    ModelControls controls;
    ScriptedRandom random;

    void threeIndustries()
    {
        controls.ind[0] = "Mill";
        controls.arr[0] = "hopper,boxcar";
        controls.ind[2] = "Dairy";
        controls.arr[2] = "reefer";
        controls.ind[4] = "Quarry";
        controls.arr[4] = "gondola,hopper,flatcar";
    }

private slots:
    void init()
    {
        controls = ModelControls();
        random = ScriptedRandom();
    }

    void rowOrderTakesTheFirstIndustries()
    {
        threeIndustries();
        controls.requestCars(2);
        random.script({0.9f, 0.0f});
        Code code(controls, random);
        code.IndustryGo();

        QCOMPARE(controls.results, (QStringList{"Mill - boxcar", "Dairy - reefer", "--------"}));
        QCOMPARE(controls.numberIndex, 1);
        QVERIFY(controls.listIndexWrites.isEmpty());
        QCOMPARE(code.record.RunCount, qint16(1));
        QCOMPARE(controls.runCaption, QStringLiteral("1"));
        QCOMPARE(random.log, (QStringList{"seed", "draw", "draw"}));
        for (qsizetype i = 0; i < code.record.IndustryCount; ++i)
            QCOMPARE(code.record.Industries[i].Used, False);
    }

    void requestAboveTheIndustriesIsLowered_data()
    {
        QTest::addColumn<int>("requested");
        QTest::newRow("five of three") << 5;
        QTest::newRow("three of three") << 3;
        QTest::newRow("eight of three") << 8;
    }

    void requestAboveTheIndustriesIsLowered()
    {
        QFETCH(int, requested);
        threeIndustries();
        controls.requestCars(requested);
        random.script({0.0f, 0.0f, 0.0f});
        Code code(controls, random);
        code.IndustryGo();

        // The list is set to the entry for three, also when it already showed three.
        QCOMPARE(controls.listIndexWrites, QList<int>{2});
        QCOMPARE(controls.countText(CountList::Number), QStringLiteral("3"));
        QCOMPARE(controls.results,
                 (QStringList{"Mill - hopper", "Dairy - reefer", "Quarry - gondola", "--------"}));
        QVERIFY(!random.exhausted);
    }

    void randomOrderDrawsEachIndustryOnce()
    {
        threeIndustries();
        controls.requestCars(3);
        Code code(controls, random);
        controls.attach(code);
        controls.setCheckRand(1);
        // Industry draws: 0.5 -> 1; 0.4 -> 1 again (redrawn), 0.9 -> 2; 0.1 -> 0. Each car draw follows
        // its industry draw.
        random.script({0.5f, 0.0f, 0.4f, 0.9f, 0.99f, 0.1f, 0.6f});
        code.IndustryGo();

        QCOMPARE(controls.results,
                 (QStringList{"Dairy - reefer", "Quarry - flatcar", "Mill - boxcar", "--------"}));
        QCOMPARE(random.remaining(), qsizetype(0));
        QVERIFY(!random.exhausted);
        for (qsizetype i = 0; i < 3; ++i)
            QCOMPARE(code.record.Industries[i].Used, True);

        // The next run's gathering clears the marks again.
        random.script({0.0f, 0.0f, 0.5f, 0.0f, 0.9f, 0.0f});
        code.IndustryGo();
        QCOMPARE(controls.results.mid(4),
                 (QStringList{"Mill - hopper", "Dairy - reefer", "Quarry - gondola", "--------"}));
        QCOMPARE(controls.runCaption, QStringLiteral("2"));
    }

    void onlyRandomOrderOneIsRandom()
    {
        threeIndustries();
        controls.requestCars(2);
        Code code(controls, random);
        code.record.RandomOrder = 2;
        random.script({0.99f, 0.0f});
        code.IndustryGo();
        QCOMPARE(controls.results, (QStringList{"Mill - boxcar", "Dairy - reefer", "--------"}));
    }

    void carTypeIndexIsRoundedHalfToEven_data()
    {
        QTest::addColumn<QString>("carTypes");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QString>("line");
        QTest::newRow("L1 half goes down") << "a,b" << 0.5f << "X - a";
        QTest::newRow("L1 above half") << "a,b" << std::nextafter(0.5f, 1.0f) << "X - b";
        QTest::newRow("L2 quarter goes to 0") << "a,b,c" << 0.25f << "X - a";
        QTest::newRow("L2 above quarter") << "a,b,c" << std::nextafter(0.25f, 1.0f) << "X - b";
        QTest::newRow("L2 below three quarters") << "a,b,c" << std::nextafter(0.75f, 0.0f) << "X - b";
        QTest::newRow("L2 three quarters goes to 2") << "a,b,c" << 0.75f << "X - c";
        QTest::newRow("L3 half goes to 2") << "a,b,c,d" << 0.5f << "X - c";
        QTest::newRow("L0 always the one type") << "tank" << 0.99f << "X - tank";
        QTest::newRow("largest draw gives the last") << "a,b,c" << std::nextafter(1.0f, 0.0f) << "X - c";
        QTest::newRow("empty item") << "a,,b" << 0.5f << "X - ";
    }

    void carTypeIndexIsRoundedHalfToEven()
    {
        QFETCH(QString, carTypes);
        QFETCH(float, draw);
        QFETCH(QString, line);
        controls.ind[0] = "X";
        controls.arr[0] = carTypes;
        random.script({draw});
        Code code(controls, random);
        code.IndustryGo();
        QCOMPARE(controls.results.first(), line);
    }

    void goDoesNothingWithoutADrawableTable_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("carTypes");
        QTest::newRow("empty grid") << QStringList{} << QStringList{};
        QTest::newRow("car types without a name") << QStringList{""} << QStringList{"hopper"};
        QTest::newRow("second row without car types")
            << QStringList{"Mill", "Dairy"} << QStringList{"hopper", ""};
        QTest::newRow("only row without car types") << QStringList{"Mill"} << QStringList{""};
    }

    void goDoesNothingWithoutADrawableTable()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, carTypes);
        for (qsizetype i = 0; i < names.size(); ++i) {
            controls.ind[static_cast<std::size_t>(i)] = names[i];
            controls.arr[static_cast<std::size_t>(i)] = carTypes[i];
        }
        controls.runCaption = "7";
        Code code(controls, random);
        code.record.RunCount = 7;
        code.IndustryGo();
        QVERIFY(controls.results.isEmpty());
        QCOMPARE(controls.runCaption, QStringLiteral("7"));
        QCOMPARE(code.record.RunCount, qint16(7));
        QVERIFY(random.log.isEmpty());
        QVERIFY(controls.listIndexWrites.isEmpty());
    }

    void carTypeRunDrawsDistinctItems_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<QList<int>>("indexWrites");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("lines");
        // The scripted draws pick items 0, 0 again (redrawn), 4, 2, 2 again (redrawn), 1, 3.
        QTest::newRow("three of five")
            << 3 << QList<int>{} << "3" << QStringList{"hopper", "tank", "flatcar"};
        QTest::newRow("four of five")
            << 4 << QList<int>{} << "4" << QStringList{"hopper", "tank", "flatcar", "boxcar"};
        QTest::newRow("five of five")
            << 5 << QList<int>{4} << "5" << QStringList{"hopper", "tank", "flatcar", "boxcar", "reefer"};
        QTest::newRow("eight of five")
            << 8 << QList<int>{4} << "5" << QStringList{"hopper", "tank", "flatcar", "boxcar", "reefer"};
    }

    void carTypeRunDrawsDistinctItems()
    {
        QFETCH(int, requested);
        QFETCH(QList<int>, indexWrites);
        QFETCH(QString, shown);
        QFETCH(QStringList, lines);
        controls.old = "hopper,boxcar,flatcar,reefer,tank";
        controls.requestTypes(requested);
        // Items by index: 0 hopper, 1 boxcar, 2 flatcar, 3 reefer, 4 tank.
        random.script({0.0f, 0.0f, 0.9f, 0.5f, 0.5f, 0.3f, 0.7f});
        Code code(controls, random);
        code.PickCarTypes();

        QCOMPARE(controls.listIndexWrites, indexWrites);
        QCOMPARE(controls.countText(CountList::Old), shown);
        QCOMPARE(controls.results, lines + QStringList{"--------"});
        QCOMPARE(controls.runCaption, QStringLiteral("1"));
        QCOMPARE(random.log.first(), QStringLiteral("seed"));
        QCOMPARE(random.log.count(QStringLiteral("seed")), 1);
        QVERIFY(!random.exhausted);
    }

    void carTypeRunWithEmptyItems()
    {
        controls.old = ",";
        controls.requestTypes(5);
        random.script({0.7f, 0.2f});
        Code code(controls, random);
        code.PickCarTypes();
        QCOMPARE(controls.results, (QStringList{"", "", "--------"}));
        QCOMPARE(controls.countText(CountList::Old), QStringLiteral("2"));
    }

    void carTypeRunIsDistinctByPosition()
    {
        controls.old = "boxcar,boxcar";
        controls.requestTypes(2);
        random.script({0.0f, 0.9f});
        Code code(controls, random);
        code.PickCarTypes();
        QCOMPARE(controls.results, (QStringList{"boxcar", "boxcar", "--------"}));
    }

    void carTypeRunDoesNothingForFewerThanTwoItems_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("one item") << "hopper";
        QTest::newRow("long text without a comma") << QString(5000, u'x');
        QTest::newRow("spaces") << "   ";
    }

    void carTypeRunDoesNothingForFewerThanTwoItems()
    {
        QFETCH(QString, text);
        controls.old = text;
        controls.requestTypes(8);
        Code code(controls, random);
        code.PickCarTypes();
        QVERIFY(controls.results.isEmpty());
        QCOMPARE(controls.runCaption, QStringLiteral("0"));
        QVERIFY(controls.listIndexWrites.isEmpty());
        QVERIFY(random.log.isEmpty());
    }

    void longListsNeverAddressPastTheEnd()
    {
        // The largest draw below 1 picks the last item, never one past it.
        const float top = std::nextafter(1.0f, 0.0f);
        for (qsizetype count = 1; count <= MaxListItems; ++count)
            QCOMPARE(DrawIndex(top, count), count - 1);
        for (qsizetype last = 0; last < MaxListItems; ++last)
            QCOMPARE(RoundedIndex(top, last), last);
        QCOMPARE(DrawIndex(0.0f, 32767), qsizetype(0));

        QStringList items;
        for (int i = 0; i < MaxListItems; ++i)
            items.append(QString::number(i));
        controls.old = items.join(u',');
        controls.requestTypes(2);
        random.script({top, 0.0f});
        Code code(controls, random);
        code.PickCarTypes();
        QCOMPARE(controls.results, (QStringList{"32767", "0", "--------"}));
    }

    void runCounterCountsAndStopsAtItsLargestValue()
    {
        controls.old = "a,b";
        controls.requestTypes(1);
        Code code(controls, random);
        for (int run = 1; run <= 3; ++run) {
            code.PickCarTypes();
            QCOMPARE(controls.runCaption, QString::number(run));
        }
        QCOMPARE(controls.results.count(QStringLiteral("--------")), 3);

        code.record.RunCount = 32766;
        code.PickCarTypes();
        QCOMPARE(controls.runCaption, QStringLiteral("32767"));
        code.PickCarTypes();
        QCOMPARE(controls.runCaption, QStringLiteral("32767"));
        QCOMPARE(code.record.RunCount, qint16(32767));

        code.ResetRunCount();
        code.PickCarTypes();
        QCOMPARE(controls.runCaption, QStringLiteral("1"));
    }

    void industryRunsAndCarTypeRunsShareTheCounter()
    {
        threeIndustries();
        controls.requestCars(1);
        controls.old = "a,b,c";
        controls.requestTypes(2);
        Code code(controls, random);
        code.IndustryGo();
        code.PickCarTypes();
        code.IndustryGo();
        QCOMPARE(controls.runCaption, QStringLiteral("3"));
        QCOMPARE(controls.results.size(), 2 + 3 + 2);
        QCOMPARE(random.log.count(QStringLiteral("seed")), 3);
    }

    void unreadableCountIsOneCar()
    {
        threeIndustries();
        controls.numberEntries.clear();
        Code code(controls, random);
        code.IndustryGo();
        QCOMPARE(controls.results, (QStringList{"Mill - hopper", "--------"}));
    }
};

QTEST_GUILESS_MAIN(TestRuns)
#include "tst_runs.moc"
