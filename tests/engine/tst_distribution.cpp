// Statistical checks with the program's real generator, seeded for repeatability. Each check compares
// observed frequencies with the expected ones within a stated tolerance that a sound implementation meets
// by a wide margin (many standard deviations), while an off-by-one or a wrong rounding misses it clearly.

#include "code.h"
#include "modelcontrols.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace velmora;
using velmora::test::ModelControls;

namespace {

// A real generator whose re-seeds do not go back to the clock, so every run of the test sees the same
// sequence while each drawing still re-seeds.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) { m_source.seed(seed); }
    void reseed() override { ++reseeds; }
    float next() override { return m_source.next(); }
    int reseeds = 0;

private:
    ClockRandomSource m_source;
};

QString industryOf(const QString &line)
{
    return line.section(QStringLiteral(" - "), 0, 0);
}

} // namespace

class TestDistribution : public QObject {
    Q_OBJECT

private slots:
    void generatorStaysWithinTheUnitInterval()
    {
        ClockRandomSource source;
        double sum = 0;
        const int draws = 200000;
        for (int i = 0; i < draws; ++i) {
            const float r = source.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            sum += r;
        }
        // Mean of a uniform [0, 1): 0.5, standard error 0.00065 here.
        QVERIFY(qAbs(sum / draws - 0.5) < 0.005);
    }

    void reseedsInQuickSuccessionDiffer()
    {
        ClockRandomSource source;
        QSet<float> firsts;
        for (int i = 0; i < 50; ++i) {
            source.reseed();
            firsts.insert(source.next());
        }
        QVERIFY2(firsts.size() >= 49, "re-seeding twice in the same clock tick repeated a sequence");
    }

    void industryIndexIsUniform()
    {
        // One car per run in random order: the first industry drawn is uniform over the eight.
        ModelControls controls;
        for (int row = 0; row < GridRows; ++row) {
            controls.ind[static_cast<std::size_t>(row)] = QStringLiteral("I%1").arg(row);
            controls.arr[static_cast<std::size_t>(row)] = QStringLiteral("x");
        }
        controls.requestCars(1);
        SeededRandom random(42);
        Code code(controls, random);
        code.record.RandomOrder = 1;
        const int runs = 40000;
        for (int run = 0; run < runs; ++run)
            code.IndustryGo();
        QCOMPARE(random.reseeds, runs);

        QHash<QString, int> seen;
        for (const QString &line : std::as_const(controls.results))
            if (line != RunSeparator)
                ++seen[industryOf(line)];
        QCOMPARE(seen.size(), GridRows);
        // Expected 5,000 each, standard deviation about 66: a tolerance of 5 % is over 3.5 deviations.
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY2(qAbs(it.value() - runs / GridRows) < runs / GridRows / 20, qPrintable(it.key()));
    }

    void threeCarTypesComeUpAQuarterAHalfAQuarter()
    {
        ModelControls controls;
        controls.ind[0] = "Mill";
        controls.arr[0] = "first,middle,last";
        controls.requestCars(1);
        SeededRandom random(7);
        Code code(controls, random);
        const int runs = 40000;
        for (int run = 0; run < runs; ++run)
            code.IndustryGo();

        const auto share = [&](const QString &type) {
            return double(controls.results.count(QStringLiteral("Mill - ") + type)) / runs;
        };
        QVERIFY(qAbs(share("first") - 0.25) < 0.015);
        QVERIFY(qAbs(share("middle") - 0.50) < 0.015);
        QVERIFY(qAbs(share("last") - 0.25) < 0.015);
    }

    void randomOrderOfAllIndustriesNamesEachOnce()
    {
        ModelControls controls;
        for (int row = 0; row < GridRows; ++row) {
            controls.ind[static_cast<std::size_t>(row)] = QStringLiteral("I%1").arg(row);
            controls.arr[static_cast<std::size_t>(row)] = QStringLiteral("a,b");
        }
        controls.requestCars(8);
        SeededRandom random(99);
        Code code(controls, random);
        code.record.RandomOrder = 1;
        QHash<QString, int> firstPlace;
        for (int run = 0; run < 2000; ++run) {
            controls.results.clear();
            code.IndustryGo();
            QCOMPARE(controls.results.size(), GridRows + 1);
            QSet<QString> names;
            for (int i = 0; i < GridRows; ++i)
                names.insert(industryOf(controls.results[i]));
            QCOMPARE(names.size(), GridRows);
            ++firstPlace[industryOf(controls.results[0])];
        }
        // The order is random: every industry leads some runs (expected 250 each).
        QCOMPARE(firstPlace.size(), GridRows);
        for (const int count : std::as_const(firstPlace))
            QVERIFY(count > 150 && count < 350);
    }

    void everyCarTypeItemIsEquallyLikely()
    {
        ModelControls controls;
        QStringList items;
        for (int i = 0; i < 10; ++i)
            items.append(QStringLiteral("t%1").arg(i));
        controls.old = items.join(u',');
        controls.requestTypes(3);
        SeededRandom random(2024);
        Code code(controls, random);
        const int runs = 30000;
        QHash<QString, int> seen;
        for (int run = 0; run < runs; ++run) {
            controls.results.clear();
            code.PickCarTypes();
            QCOMPARE(controls.results.size(), 4);
            QCOMPARE(QSet<QString>(controls.results.cbegin(), controls.results.cbegin() + 3).size(), 3);
            for (int i = 0; i < 3; ++i)
                ++seen[controls.results[i]];
        }
        // Each item appears in 3 of 10 draws: 9,000 times, standard deviation about 80.
        QCOMPARE(seen.size(), items.size());
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY2(qAbs(it.value() - 9000) < 450, qPrintable(it.key()));
    }
};

QTEST_GUILESS_MAIN(TestDistribution)
#include "tst_distribution.moc"
