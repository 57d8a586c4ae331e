// Gathering the industry table from the grid and splitting car-type lists.

#include "code.h"
#include "modelcontrols.h"
#include "scriptedrandom.h"

#include <QTest>

using namespace velmora;
using velmora::test::ModelControls;
using velmora::test::ScriptedRandom;

class TestIndustryTable : public QObject {
    Q_OBJECT

    ModelControls controls;
    ScriptedRandom random;

    Code makeCode() { return Code(controls, random); }

private slots:
    void init() { controls = ModelControls(); }

    void splitCommaList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("single word") << "tank" << QStringList{"tank"};
        QTest::newRow("comma and space") << "hopper, boxcar" << QStringList{"hopper", " boxcar"};
        QTest::newRow("one comma") << "," << QStringList{"", ""};
        QTest::newRow("trailing comma") << "a,b," << QStringList{"a", "b", ""};
        QTest::newRow("doubled comma") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("spaces only") << "  " << QStringList{"  "};
        QTest::newRow("no trimming") << " a , b " << QStringList{" a ", " b "};
    }

    void splitCommaList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitCommaList(text), items);
    }

    void splitStopsAtTheTablesRange()
    {
        // LastType is 16-bit: a list beyond 32,768 items is read up to its 32,768th item.
        QStringList many;
        for (int i = 0; i < 40000; ++i)
            many.append(QString::number(i));
        const QStringList items = SplitCommaList(many.join(u','));
        QCOMPARE(items.size(), MaxListItems);
        QCOMPARE(items.last(), QStringLiteral("32767"));

        controls.ind[0] = "Yard";
        controls.arr[0] = many.join(u',');
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.SplitCarTypes(), qint16(1));
        QCOMPARE(code.record.Industries[0].LastType, qint16(32767));
    }

    void gathersNamedRowsInGridOrder()
    {
        controls.ind[0] = "Mill";
        controls.ind[3] = "Dairy";
        controls.ind[5] = "Quarry";
        controls.arr[4] = "ignored,without,a,name";
        Code code = makeCode();
        code.GatherIndustries();

        QCOMPARE(code.record.IndustryCount, qint16(3));
        QCOMPARE(code.record.Industries.upperBound(), qsizetype(3));
        const QStringList names{"Mill", "Dairy", "Quarry"};
        const QList<qint16> rows{0, 3, 5};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(code.record.Industries[i].Name, names[i]);
            QCOMPARE(code.record.Industries[i].Row, rows[i]);
            QCOMPARE(code.record.Industries[i].Used, False);
        }
        QCOMPARE(code.record.Industries[3], IndustryRecord{});
    }

    void nameOfSpacesIsAnIndustry()
    {
        controls.ind[2] = "  ";
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.record.IndustryCount, qint16(1));
        QCOMPARE(code.record.Industries[0].Name, QStringLiteral("  "));
        QCOMPARE(code.record.Industries[0].Row, qint16(2));
    }

    void noNamedRowLeavesTheTableAlone()
    {
        Code code = makeCode();
        code.GatherIndustries();
        QVERIFY(!code.record.Industries.isDimensioned());
        QCOMPARE(code.SplitCarTypes(), qint16(1));

        controls.ind[0] = "Mill";
        controls.ind[1] = "Dairy";
        controls.arr[0] = "hopper";
        controls.arr[1] = "reefer";
        code.GatherIndustries();
        code.SplitCarTypes();
        const auto before = code.record.Industries;

        controls.ind[0].clear();
        controls.ind[1].clear();
        code.GatherIndustries();
        QCOMPARE(code.record.IndustryCount, qint16(0));
        QCOMPARE(code.record.Industries, before);
        QCOMPARE(code.SplitCarTypes(), qint16(1));
    }

    void spareElementAfterFiveIndustriesThenOne()
    {
        for (int row = 0; row < 5; ++row) {
            controls.ind[static_cast<std::size_t>(row)] = QStringLiteral("Industry %1").arg(row);
            controls.arr[static_cast<std::size_t>(row)] = QStringLiteral("a%1,b%1").arg(row);
        }
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.SplitCarTypes(), qint16(1));
        const IndustryRecord formerSecond = code.record.Industries[1];

        for (int row = 1; row < 5; ++row)
            controls.ind[static_cast<std::size_t>(row)].clear();
        code.GatherIndustries();
        QCOMPARE(code.record.IndustryCount, qint16(1));
        QCOMPARE(code.record.Industries.upperBound(), qsizetype(1));
        QCOMPARE(code.record.Industries[1], formerSecond);
        QCOMPARE(code.record.Industries[1].CarTypes.items(), (QStringList{"a1", "b1"}));
    }

    void gatheringKeepsAFormerListUntilTheSplit()
    {
        controls.ind[0] = "Mill";
        controls.arr[0] = "hopper,boxcar,flatcar";
        Code code = makeCode();
        code.GatherIndustries();
        code.SplitCarTypes();

        controls.ind[0] = "Feed Mill";
        code.GatherIndustries();
        QCOMPARE(code.record.Industries[0].Name, QStringLiteral("Feed Mill"));
        QCOMPARE(code.record.Industries[0].LastType, qint16(0));
        QCOMPARE(code.record.Industries[0].CarTypes.count(), qsizetype(3));
    }

    void clearThenThreeRowsGivesAnEmptySpare()
    {
        controls.ind[0] = "A";
        controls.ind[1] = "B";
        controls.ind[2] = "C";
        controls.ind[3] = "D";
        Code code = makeCode();
        code.GatherIndustries();
        code.ClearIndustryTable();
        QCOMPARE(code.record.Industries.count(), qsizetype(1));
        QCOMPARE(code.record.Industries[0], IndustryRecord{});
        QCOMPARE(code.record.IndustryCount, qint16(4));

        controls.ind[3].clear();
        code.GatherIndustries();
        QCOMPARE(code.record.Industries.upperBound(), qsizetype(3));
        QCOMPARE(code.record.Industries[3], IndustryRecord{});
    }

    void splitFillsLastTypeAndCarTypes()
    {
        controls.ind[0] = "Mill";
        controls.arr[0] = "hopper, boxcar";
        controls.ind[1] = "Tank farm";
        controls.arr[1] = "tank";
        controls.ind[2] = "Odd";
        controls.arr[2] = ",";
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.SplitCarTypes(), qint16(1));

        QCOMPARE(code.record.Industries[0].LastType, qint16(1));
        QCOMPARE(code.record.Industries[0].CarTypes.items(), (QStringList{"hopper", " boxcar"}));
        QCOMPARE(code.record.Industries[1].LastType, qint16(0));
        QCOMPARE(code.record.Industries[1].CarTypes.items(), QStringList{"tank"});
        QCOMPARE(code.record.Industries[2].LastType, qint16(1));
        QCOMPARE(code.record.Industries[2].CarTypes.items(), (QStringList{"", ""}));
    }

    void splitStopsAtANamedRowWithoutCarTypes()
    {
        controls.ind[0] = "Mill";
        controls.arr[0] = "hopper,boxcar";
        controls.ind[1] = "Dairy";
        controls.ind[2] = "Quarry";
        controls.arr[2] = "gondola";
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.SplitCarTypes(), qint16(0));

        QCOMPARE(code.record.Industries[0].LastType, qint16(1));
        QCOMPARE(code.record.Industries[1].LastType, qint16(0));
        QVERIFY(!code.record.Industries[1].CarTypes.isDimensioned());
        // Not reached: the industry after the empty box is not split either.
        QVERIFY(!code.record.Industries[2].CarTypes.isDimensioned());
    }

    void splitReadsTheIndustrysOwnRow()
    {
        controls.ind[6] = "Team track";
        controls.arr[6] = "flatcar,boxcar";
        controls.arr[0] = "not this one";
        Code code = makeCode();
        code.GatherIndustries();
        QCOMPARE(code.SplitCarTypes(), qint16(1));
        QCOMPARE(code.record.Industries[0].CarTypes.items(), (QStringList{"flatcar", "boxcar"}));
    }

    void growableArrayBounds()
    {
        GrowableArray<QString> array;
        QVERIFY(!array.isDimensioned());
        QCOMPARE(array.count(), qsizetype(0));

        array.redimPreserve(2);
        array[0] = "a";
        array[2] = "c";
        array.redimPreserve(1);
        QCOMPARE(array.items(), (QStringList{"a", ""}));
        array.redimPreserve(3);
        QCOMPARE(array.items(), (QStringList{"a", "", "", ""}));
        array.redim(0);
        QVERIFY(array.isDimensioned());
        QCOMPARE(array.items(), QStringList{""});
        // One empty element is not the same as never having had elements.
        GrowableArray<QString> never;
        QVERIFY(!(array == never));
    }
};

QTEST_GUILESS_MAIN(TestIndustryTable)
#include "tst_industrytable.moc"
