// The statistics and the tried bet on small histories counted by hand.

#include "scrutiny/money.h"
#include "stats/figures.h"
#include "stats/trybet.h"
#include "stats/window.h"
#include "support/fixtures.h"
#include "wording/moneywording.h"

#include <QTest>

namespace
{
    // Four Sundays, counted by hand below.
    std::vector<DrawRecord> history()
    {
        return {Fixtures::draw(QDate(2025, 1, 5), {1, 2, 3, 10, 54}, 0), Fixtures::draw(QDate(2025, 1, 12), {2, 3, 4, 20, 30}, 1),
                Fixtures::draw(QDate(2025, 1, 19), {5, 6, 7, 8, 9}, 0), Fixtures::draw(QDate(2025, 1, 26), {1, 2, 11, 12, 13}, 9)};
    }

    template <std::size_t N>
    QList<int> list(const std::array<int, N> &values)
    {
        return QList<int>(values.begin(), values.end());
    }
}

Q_DECLARE_METATYPE(Stats::Window)

class TestStats : public QObject
{
    Q_OBJECT

private slots:
    void windowSelects_data()
    {
        QTest::addColumn<Stats::Window>("window");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("all") << Stats::Window::all() << 0 << 4;
        QTest::newRow("last 2") << Stats::Window::lastDraws(2) << 2 << 2;
        QTest::newRow("last 10, fewer stored") << Stats::Window::lastDraws(10) << 0 << 4;
        QTest::newRow("last 0") << Stats::Window::lastDraws(0) << 4 << 0;
        QTest::newRow("days inside") << Stats::Window::between(QDate(2025, 1, 6), QDate(2025, 1, 19)) << 1 << 2;
        QTest::newRow("ends on draw days") << Stats::Window::between(QDate(2025, 1, 5), QDate(2025, 1, 12)) << 0 << 2;
        QTest::newRow("open start") << Stats::Window::between(QDate(), QDate(2025, 1, 12)) << 0 << 2;
        QTest::newRow("open end") << Stats::Window::between(QDate(2025, 1, 13), QDate()) << 2 << 2;
        QTest::newRow("no draw between") << Stats::Window::between(QDate(2025, 1, 6), QDate(2025, 1, 11)) << 0 << 0;
        QTest::newRow("after the last") << Stats::Window::between(QDate(2026, 1, 1), QDate(2026, 2, 1)) << 0 << 0;
    }

    void windowSelects()
    {
        QFETCH(Stats::Window, window);
        QFETCH(int, first);
        QFETCH(int, count);
        const Stats::Slice slice = Stats::select(history(), window);
        QCOMPARE(int(slice.count), count);
        if (count > 0)
            QCOMPARE(int(slice.first), first);
    }

    // value: the number (or 100 + key); mean -1 for none.
    void valueFigures_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("longestGap");
        QTest::addColumn<double>("meanGap");
        QTest::newRow("1: first and last draw") << 1 << 2 << 0 << 2 << 2.0;
        QTest::newRow("2: three times") << 2 << 3 << 0 << 1 << 0.5;
        QTest::newRow("3: away two draws") << 3 << 2 << 2 << 2 << 0.0;
        QTest::newRow("4: once, run before") << 4 << 1 << 2 << 2 << -1.0;
        QTest::newRow("9: once, run before longest") << 9 << 1 << 1 << 2 << -1.0;
        QTest::newRow("14: never") << 14 << 0 << 4 << 4 << -1.0;
        QTest::newRow("54: first draw only") << 54 << 1 << 3 << 3 << -1.0;
        QTest::newRow("key 0") << 100 << 2 << 1 << 1 << 1.0;
        QTest::newRow("key 9: last draw only") << 109 << 1 << 0 << 3 << -1.0;
        QTest::newRow("key 5: never") << 105 << 0 << 4 << 4 << -1.0;
    }

    void valueFigures()
    {
        QFETCH(int, value);
        QFETCH(int, drawn);
        QFETCH(int, gap);
        QFETCH(int, longestGap);
        QFETCH(double, meanGap);
        const Stats::Figures f = Stats::compute(history(), Stats::Window::all());
        const Stats::ValueFigures &v = value >= 100 ? f.keys[std::size_t(value - 100)] : f.numbers[std::size_t(value - 1)];
        QCOMPARE(v.value, value % 100);
        QCOMPARE(v.drawn, drawn);
        QCOMPARE(v.gap, gap);
        QCOMPARE(v.longestGap, longestGap);
        QCOMPARE(v.meanGap().value_or(-1.0), meanGap);
    }

    void ranksPairsAndShapes()
    {
        const Stats::Figures f = Stats::compute(history(), Stats::Window::all());
        QCOMPARE(f.draws, 4);
        QCOMPARE(f.from, QDate(2025, 1, 5));
        QCOMPARE(f.to, QDate(2025, 1, 26));
        // 2 came out most; 1 and 3 twice, 1 more recently.
        QCOMPARE(f.numbers[1].hotRank, 1);
        QCOMPARE(f.numbers[0].hotRank, 2);
        QCOMPARE(f.numbers[2].hotRank, 3);
        // The 38 numbers never drawn are all the coldest.
        QCOMPARE(f.numbers[13].coldRank, 1);
        QCOMPARE(f.numbers[14].coldRank, 1);
        QCOMPARE(f.numbers[53].coldRank, 39);
        QCOMPARE(f.pairs[std::size_t(Stats::pairIndex(2, 3))], 2);
        QCOMPARE(f.pairs[std::size_t(Stats::pairIndex(1, 2))], 2);
        QCOMPARE(f.pairs[std::size_t(Stats::pairIndex(1, 3))], 1);
        QCOMPARE(f.pairs[std::size_t(Stats::pairIndex(1, 4))], 0);
        QCOMPARE(Stats::pairIndex(53, 54), Stats::kPairs - 1);
        const std::vector<Stats::PairCount> pairs = Stats::pairsByCount(f);
        QCOMPARE(int(pairs.size()), 1431);
        QCOMPARE(pairs.front(), (Stats::PairCount {1, 2, 2}));
        QCOMPARE(pairs[1], (Stats::PairCount {2, 3, 2}));
        QCOMPARE(pairs.back().drawn, 0);
        // Sums 70, 59, 35 and 39.
        QCOMPARE(f.sums[70] + f.sums[59] + f.sums[35] + f.sums[39], 4);
        const std::vector<Stats::SumBand> bands = Stats::sumBands(f);
        QCOMPARE(bands.front(), (Stats::SumBand {15, 39, 2}));
        QCOMPARE(bands[1], (Stats::SumBand {40, 59, 1}));
        QCOMPARE(bands.back(), (Stats::SumBand {240, 260, 0}));
        QCOMPARE(list(f.oddEven), (QList<int> {0, 1, 1, 2, 0, 0}));
        QCOMPARE(list(f.lowHigh), (QList<int> {0, 0, 0, 0, 2, 2}));
        QCOMPARE(list(f.decades), (QList<int> {13, 4, 1, 1, 0, 1}));
        QCOMPARE(list(f.consecutive), (QList<int> {0, 0, 2, 1, 1}));
        // The first stored draw has no draw before it.
        QCOMPARE(list(f.repeats), (QList<int> {2, 0, 1, 0, 0, 0}));

        // The last two: the draw before the window still counts for repeats,
        // gaps only count the window's draws.
        const Stats::Figures last = Stats::compute(history(), Stats::Window::lastDraws(2));
        QCOMPARE(list(last.repeats), (QList<int> {2, 0, 0, 0, 0, 0}));
        QCOMPARE(last.numbers[0].drawn, 1);
        QCOMPARE(last.numbers[0].longestGap, 1);
        QCOMPARE(last.numbers[53].gap, 2);

        const Stats::Figures none = Stats::compute(history(), Stats::Window::lastDraws(0));
        QCOMPARE(none.draws, 0);
        QVERIFY(!none.from.isValid());
        QCOMPARE(none.numbers[0].gap, 0);
    }

    void betProblems_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("playable");
        QTest::newRow("five") << QList<int> {1, 2, 3, 4, 5} << 0 << true;
        QTest::newRow("eleven") << QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 54} << 9 << true;
        QTest::newRow("four") << QList<int> {1, 2, 3, 4} << 0 << false;
        QTest::newRow("twelve") << QList<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 0 << false;
        QTest::newRow("55") << QList<int> {1, 2, 3, 4, 55} << 0 << false;
        QTest::newRow("0") << QList<int> {0, 2, 3, 4, 5} << 0 << false;
        QTest::newRow("repeated") << QList<int> {1, 2, 3, 3, 5} << 0 << false;
        QTest::newRow("key 10") << QList<int> {1, 2, 3, 4, 5} << 10 << false;
        QTest::newRow("key -1") << QList<int> {1, 2, 3, 4, 5} << -1 << false;
    }

    void betProblems()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(int, key);
        QFETCH(bool, playable);
        const Stats::Bet bet {std::vector<int>(numbers.begin(), numbers.end()), key};
        QCOMPARE(Stats::betProblem(bet).isEmpty(), playable);
        // A refused bet is never tried.
        QCOMPARE(Stats::tryBet(bet, history(), {}).draws, playable ? 4 : 0);
    }

    // By hand: prizes[] in report order (1ª ... 8ª, reintegro).
    void triedBets_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<int>>("prizes");
        QTest::addColumn<QList<int>>("hitsOfPrized");
        // 5 + 1 in the first draw, 2 + 0 in the second and the last, the
        // key alone in the third.
        QTest::newRow("simple") << QList<int> {54, 10, 3, 2, 1} << 0 << QList<int> {1, 0, 0, 0, 0, 0, 0, 2, 2}
                                << QList<int> {5, 2, 0, 2};
        // Three hits: 3 combinations of 3 and 3 of 2, with the key in the
        // second draw (and the reintegro for all six); two hits: 4 of 2.
        QTest::newRow("six numbers") << QList<int> {1, 2, 3, 4, 5, 6} << 1 << QList<int> {0, 0, 0, 0, 3, 3, 3, 11, 6}
                                     << QList<int> {3, 3, 2, 2};
        QTest::newRow("nothing") << QList<int> {40, 41, 42, 43, 44} << 3 << QList<int> {0, 0, 0, 0, 0, 0, 0, 0, 0}
                                 << QList<int> {};
    }

    void triedBets()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(int, key);
        QFETCH(QList<int>, prizes);
        QFETCH(QList<int>, hitsOfPrized);
        const Stats::TryResult result = Stats::tryBet({std::vector<int>(numbers.begin(), numbers.end()), key}, history(), {});
        QCOMPARE(result.draws, 4);
        QCOMPARE(QList<int>(result.categories.begin(), result.categories.end()), prizes);
        QList<int> hits;
        for (const Stats::TriedDraw &row : result.prized)
            hits << row.hits;
        QCOMPARE(hits, hitsOfPrized);
        // No report: every draw staked at 1,50 € a bet, nothing known won.
        QCOMPARE(result.unpricedDraws(), 4);
        QCOMPARE(result.totals.wonCents, 0);
    }

    // The six-number bet with the second draw's report final: what it won
    // there, and the balance of that draw alone.
    void triedBetMoney()
    {
        std::vector<PrizeReport> reports(4);
        PrizeReport &report = reports[1];
        report.date = QDate(2025, 1, 12);
        report.status = PrizeReport::Status::Final;
        report.row(5).prizeCents = 800; // 3 + 1
        report.row(7).prizeCents = 300; // 2 + 1
        report.row(PrizeReport::kReintegro).prizeCents = 150;
        // A report lists winners in the categories it pays.
        for (PrizeRow &row : report.rows)
            row.winners = 100;
        const Stats::TryResult result = Stats::tryBet({{1, 2, 3, 4, 5, 6}, 1}, history(), reports);
        QCOMPARE(result.totals.stakeCents, 4 * 6 * 150);
        QCOMPARE(result.totals.wonCents, 3 * 800 + 3 * 300 + 6 * 150);
        QCOMPARE(result.totals.pricedBalanceCents, 3 * 800 + 3 * 300 + 6 * 150 - 6 * 150);
        QCOMPARE(result.totals.balanceCents, 3 * 800 + 3 * 300 + 6 * 150 - 4 * 6 * 150);
        QCOMPARE(result.unpricedDraws(), 3);
        QCOMPARE(result.prized[1].outcome.wonCents, std::optional<std::int64_t>(4200));
        QVERIFY(!result.prized[0].outcome.wonCents);
    }

    void categoryLabels()
    {
        QCOMPARE(Wording::categoryLabel(1), QStringLiteral("1ª (5 + 1)"));
        QCOMPARE(Wording::categoryLabel(4), QStringLiteral("4ª (4 + 0)"));
        QCOMPARE(Wording::categoryLabel(8), QStringLiteral("8ª (2 + 0)"));
        QCOMPARE(Wording::categoryLabel(9), QStringLiteral("Reintegro"));
    }
};

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
