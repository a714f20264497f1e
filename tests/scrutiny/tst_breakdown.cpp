// The multiple-bet breakdown against its definition (every five-number
// combination counted one by one), its texts and its colours.

#include "scrutiny/breakdown.h"
#include "scrutiny/categories.h"

#include <QSet>
#include <QTest>

#include <array>

namespace
{
    // Walks every 5-subset of the numbers 0..n-1, of which 0..h-1 are drawn,
    // and counts the subsets by how many drawn numbers they hold.
    std::array<int, 6> enumerate(int n, int h)
    {
        std::array<int, 6> byHits {};
        for (unsigned mask = 0; mask < (1u << n); ++mask) {
            if (__builtin_popcount(mask) != 5)
                continue;
            const int hits = __builtin_popcount(mask & ((1u << h) - 1));
            ++byHits[std::size_t(hits)];
        }
        return byHits;
    }
}

class TestBreakdown : public QObject
{
    Q_OBJECT

private slots:
    void binomial()
    {
        QCOMPARE(Breakdown::binomial(11, 5), 462);
        QCOMPARE(Breakdown::binomial(6, 5), 6);
        QCOMPARE(Breakdown::binomial(5, 0), 1);
        QCOMPARE(Breakdown::binomial(3, 4), 0);
        QCOMPARE(Breakdown::binomial(4, -1), 0);
        QCOMPARE(Breakdown::binomial(54, 5), 3162510);
    }

    void everySizeAndHitCount_data()
    {
        QTest::addColumn<int>("numbers");
        QTest::addColumn<int>("hits");
        for (int n = 6; n <= 11; ++n)
            for (int h = 0; h <= 5; ++h)
                QTest::addRow("%d numbers, %d hits", n, h) << n << h;
    }

    void everySizeAndHitCount()
    {
        QFETCH(int, numbers);
        QFETCH(int, hits);
        const std::array<int, 6> expected = enumerate(numbers, hits);
        const auto lines = Breakdown::lines(numbers, hits);

        // One line per hit count that some combination reaches, ascending,
        // from 2 hits up; below 2 hits nothing wins.
        std::vector<Breakdown::Line> wanted;
        for (int j = 2; j <= 5; ++j) {
            if (expected[std::size_t(j)] != 0 && hits >= 2)
                wanted.push_back({expected[std::size_t(j)], j});
        }
        QCOMPARE(lines, wanted);

        // The sum rule: winners plus losers are all C(n, 5) combinations.
        int total = 0;
        for (const auto &line : lines)
            total += line.count;
        const int losers = hits >= 2 ? expected[0] + expected[1] : 0;
        if (hits >= 2)
            QCOMPARE(total + losers, int(Breakdown::binomial(numbers, 5)));
        if (hits == 5)
            QCOMPARE(lines.back(), (Breakdown::Line {1, 5}));
    }

    void knownCells()
    {
        using L = Breakdown::Line;
        QCOMPARE(Breakdown::lines(11, 5), (std::vector<L> {{200, 2}, {150, 3}, {30, 4}, {1, 5}}));
        QCOMPARE(Breakdown::lines(6, 4), (std::vector<L> {{4, 3}, {2, 4}}));
        QCOMPARE(Breakdown::lines(6, 5), (std::vector<L> {{5, 4}, {1, 5}}));
        QCOMPARE(Breakdown::lines(7, 5), (std::vector<L> {{10, 3}, {10, 4}, {1, 5}}));
        QCOMPARE(Breakdown::lines(8, 4), (std::vector<L> {{24, 2}, {24, 3}, {4, 4}}));
        QVERIFY(Breakdown::lines(5, 3).empty());
        QVERIFY(Breakdown::lines(12, 3).empty());
        QVERIFY(Breakdown::lines(9, 6).empty());
    }

    void texts()
    {
        QCOMPARE(Breakdown::text(4, 2, false), QStringLiteral("¡¡ Premio !! Hay 4 apuestas de 2 aciertos."));
        QCOMPARE(Breakdown::text(1, 5, true), QStringLiteral("¡¡ Premio !! Hay 1 apuesta de 5 + Clave."));
        QCOMPARE(Breakdown::text(24, 2, true), QStringLiteral("¡¡ Premio !! Hay 24 apuestas de 2 + Clave."));

        // 46 count-and-hits pairs, each with and without the key.
        QSet<QString> distinct;
        for (int n = 6; n <= 11; ++n)
            for (int h = 2; h <= 5; ++h)
                for (const auto &line : Breakdown::lines(n, h))
                    for (bool key : {false, true})
                        distinct.insert(Breakdown::text(line.count, line.hits, key));
        QCOMPARE(distinct.size(), 92);
    }

    void colours_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<bool>("key");
        QTest::addColumn<uint>("colour");
        QTest::newRow("2") << 2 << false << 0x00C000u;
        QTest::newRow("2+1") << 2 << true << 0x00C000u;
        QTest::newRow("3") << 3 << false << 0x0000FFu;
        QTest::newRow("3+1") << 3 << true << 0x0000FFu;
        QTest::newRow("4") << 4 << false << 0x400040u;
        QTest::newRow("4+1") << 4 << true << 0x400040u;
        QTest::newRow("5") << 5 << false << 0xC04000u;
        QTest::newRow("5+1") << 5 << true << 0xFF0000u;
    }

    void colours()
    {
        QFETCH(int, hits);
        QFETCH(bool, key);
        QFETCH(uint, colour);
        QCOMPARE(Breakdown::colour(hits, key), Rgb(colour));
        QCOMPARE(PrizeCategory::code(hits, key), 2 * (hits - 2) + 1 + (key ? 1 : 0));
    }

    void categoryEdges()
    {
        QCOMPARE(PrizeCategory::code(1, true), 0);
        QCOMPARE(PrizeCategory::code(0, false), 0);
        QCOMPARE(PrizeCategory::code(6, true), 0);
        QCOMPARE(PrizeCategory::code(5, true), 8);
        QCOMPARE(PrizeCategory::caption(8), QStringLiteral("Aciertos de 1ª categoría (5+1): "));
        QCOMPARE(PrizeCategory::caption(1), QStringLiteral("Aciertos de 8ª categoría (2+0): "));
    }
};

QTEST_GUILESS_MAIN(TestBreakdown)
#include "tst_breakdown.moc"
