// The reduction library: the checker against a plain count, known designs,
// every generated set checked again here, refused requests, one seed one set.

#include "wheel/combinatorics.h"
#include "wheel/wheel.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <future>
#include <numeric>
#include <random>

namespace
{
    // The best hit of each m-subset of the pool, counted the long way.
    struct Plain
    {
        std::uint64_t subsets = 0, covered = 0;
        std::vector<std::uint32_t> uncovered;
        std::vector<std::vector<std::uint64_t>> byBest; // [m][h]
    };

    Plain plainCount(int v, const std::vector<std::uint32_t> &bets, std::uint32_t free, int t, int p)
    {
        Plain plain;
        plain.byBest.assign(6, std::vector<std::uint64_t>(6, 0));
        for (std::uint32_t s = 1; s < (1u << v); ++s) {
            const int m = std::popcount(s);
            if (m > 5)
                continue;
            int best = 0;
            for (std::uint32_t b : bets)
                best = std::max(best, std::popcount(b & s));
            if (m >= 2)
                ++plain.byBest[std::size_t(m)][std::size_t(best)];
            if (m == p && (s & ~free) == 0) {
                ++plain.subsets;
                if (best >= t)
                    ++plain.covered;
                else
                    plain.uncovered.push_back(s);
            }
        }
        return plain;
    }

    bool hasTheGuarantee(const Wheel::Request &request, const std::vector<Wheel::Bet> &bets)
    {
        std::vector<int> free;
        for (int n : request.pool)
            if (std::find(request.fixed.begin(), request.fixed.end(), n) == request.fixed.end())
                free.push_back(n);
        const int n = int(free.size());
        for (std::uint32_t s = 0; s < (1u << n); ++s) {
            if (std::popcount(s) != request.guarantee.p)
                continue;
            bool met = false;
            for (const auto &bet : bets) {
                int hits = 0;
                for (int i = 0; i < n; ++i)
                    hits += (s >> i & 1) && std::find(bet.begin(), bet.end(), free[std::size_t(i)]) != bet.end();
                met = met || hits >= request.guarantee.t;
            }
            if (!met)
                return false;
        }
        return true;
    }

    Wheel::Request poolOf(int v, int t, int p, std::vector<int> fixed = {})
    {
        Wheel::Request r;
        for (int n = 1; n <= v; ++n)
            r.pool.push_back(n * 2); // not 1..v, so that indexes and numbers differ
        r.fixed = fixed;
        r.guarantee = {t, p};
        return r;
    }
}

Q_DECLARE_METATYPE(Wheel::Request)

class TestWheel : public QObject
{
    Q_OBJECT

private slots:
    void checkerAgreesWithPlainCount_data()
    {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("bets");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("fixedMask");
        QTest::newRow("pairs of 9") << 9 << 4 << 2 << 2 << 0;
        QTest::newRow("3 si 4 of 10") << 10 << 5 << 3 << 4 << 0;
        QTest::newRow("4 si 5 of 12") << 12 << 14 << 4 << 5 << 0;
        QTest::newRow("3 si 3 of 13, two fixed") << 13 << 9 << 3 << 3 << 0b11;
        QTest::newRow("2 si 5 of 8") << 8 << 1 << 2 << 5 << 0;
    }

    void checkerAgreesWithPlainCount()
    {
        QFETCH(int, v);
        QFETCH(int, bets);
        QFETCH(int, t);
        QFETCH(int, p);
        QFETCH(int, fixedMask);
        std::mt19937 random(std::uint32_t(v * 100 + bets));
        for (int round = 0; round < 5; ++round) {
            std::vector<std::uint32_t> masks;
            for (int b = 0; b < bets; ++b) {
                std::uint32_t mask = std::uint32_t(fixedMask);
                while (std::popcount(mask) < 5)
                    mask |= 1u << (random() % unsigned(v));
                masks.push_back(mask);
            }
            const std::uint32_t free = ((1u << v) - 1) & ~std::uint32_t(fixedMask);
            const Wheel::Coverage c = Wheel::checkCoverage(v, masks, free, t, p);
            const Plain plain = plainCount(v, masks, free, t, p);
            QCOMPARE(c.subsets, plain.subsets);
            QCOMPARE(c.covered, plain.covered);
            const std::size_t listed = std::min<std::size_t>(20, plain.uncovered.size());
            std::vector<std::uint32_t> firstPlain(plain.uncovered.begin(), plain.uncovered.begin() + std::ptrdiff_t(listed));
            std::sort(firstPlain.begin(), firstPlain.end(), [](std::uint32_t a, std::uint32_t b) {
                return Wheel::colexRank(a) < Wheel::colexRank(b);
            });
            QCOMPARE(c.uncovered.size(), listed);
            QCOMPARE(c.outcomes.size(), std::size_t(4));
            for (const Wheel::Outcome &o : c.outcomes) {
                QCOMPARE(o.ways, std::uint64_t(Wheel::binomial(v, o.winning)));
                for (int h = 0; h <= o.winning; ++h)
                    QCOMPARE(o.byBestHit[std::size_t(h)], plain.byBest[std::size_t(o.winning)][std::size_t(h)]);
                const auto least = std::find_if(o.byBestHit.begin(), o.byBestHit.end(), [](auto n) { return n > 0; });
                QCOMPARE(o.least, int(least - o.byBestHit.begin()));
            }
        }
    }

    // Planes: every pair on a line (every triple on a circle), and a missing
    // line leaves exactly its own pairs (triples) uncovered.
    void knownDesigns()
    {
        const auto fano = std::vector<std::uint32_t> {0b0001011, 0b0010110, 0b0101100, 0b1011000,
                                                      0b0110001, 0b1100010, 0b1000101};
        QVERIFY(Wheel::checkCoverage(7, fano, 0x7F, 2, 2).holds());
        QCOMPARE(Wheel::checkCoverage(7, {fano.begin() + 1, fano.end()}, 0x7F, 2, 2).covered, std::uint64_t(21 - 3));

        const auto projective = Wheel::projectivePlane4();
        QCOMPARE(projective.size(), std::size_t(21));
        QVERIFY(Wheel::checkCoverage(21, projective, (1u << 21) - 1, 2, 2).holds());
        QCOMPARE(Wheel::checkCoverage(21, {projective.begin() + 1, projective.end()}, (1u << 21) - 1, 2, 2).covered,
                 std::uint64_t(210 - 10));
        const auto affine = Wheel::affinePlane5();
        QCOMPARE(affine.size(), std::size_t(30));
        QVERIFY(Wheel::checkCoverage(25, affine, (1u << 25) - 1, 2, 2).holds());
        QCOMPARE(Wheel::checkCoverage(25, {affine.begin(), affine.end() - 1}, (1u << 25) - 1, 2, 2).covered,
                 std::uint64_t(300 - 10));
        const auto inversive = Wheel::inversivePlane4();
        QCOMPARE(inversive.size(), std::size_t(68));
        QVERIFY(Wheel::checkCoverage(17, inversive, (1u << 17) - 1, 3, 3).holds());
        QCOMPARE(Wheel::checkCoverage(17, {inversive.begin() + 1, inversive.end()}, (1u << 17) - 1, 3, 3).covered,
                 std::uint64_t(680 - 10));

        QCOMPARE(Wheel::knownCovering(21, 2).bestKnown, 21);
        QCOMPARE(Wheel::knownCovering(30, 4).bestKnown, 5894);
        QCOMPARE(Wheel::knownCovering(12, 3).lowerBound, 27);
        QCOMPARE(Wheel::schonheimBound(22, 5, 2), 27LL);
        QCOMPARE(Wheel::knownCovering(9, 4, 2).lowerBound, 7); // ceil(9/4 ceil(8/3))
    }

    // Three blocks are the fewest that cover the pairs of 7 points: with no
    // bound given, the descent finds nothing smaller and gives the start up
    // when told, long before its time is up.
    void aStartWithNothingSmallerIsGivenUp()
    {
        Wheel::SearchOptions options;
        options.seconds = 3;
        options.abandonAfter = 0.05;
        const auto result = Wheel::searchDesign({7, 5, 2, 2}, options);
        QVERIFY(result.abandoned);
        QCOMPARE(result.blocks.size(), std::size_t(3));
        QVERIFY(result.seconds < 1);
    }

    // A design searched over the orbits of a cyclic group: valid, and every
    // block's image under the generator (one cycle 0 -> 1 -> ... -> 13 -> 0
    // with 14 fixed; three cycles of five) is in it.
    void invariantDesignIsClosedUnderItsGroup()
    {
        Wheel::SearchOptions options;
        options.seconds = 0.3;
        const Wheel::DesignProblem problem {15, 5, 4, 5};
        for (const std::vector<int> &cycles : {std::vector<int> {14}, std::vector<int> {5, 5, 5}}) {
            const auto blocks = Wheel::searchInvariantDesign(problem, cycles, options).blocks;
            QVERIFY(Wheel::checkCoverage(15, blocks, (1u << 15) - 1, 4, 5).holds());
            for (std::uint32_t block : blocks) {
                std::uint32_t image = 0;
                for (int x = 0; x < 15; ++x) {
                    if (!(block & (1u << x)))
                        continue;
                    int first = 0, next = x;
                    for (int length : cycles) {
                        if (x < first + length) {
                            next = first + (x - first + 1) % length;
                            break;
                        }
                        first += length;
                    }
                    image |= 1u << next;
                }
                QVERIFY(std::find(blocks.begin(), blocks.end(), image) != blocks.end());
            }
        }
    }

    void generatedSetsHoldTheirGuarantee_data()
    {
        QTest::addColumn<Wheel::Request>("request");
        QTest::newRow("3 si 3, 9 numbers") << poolOf(9, 3, 3);
        QTest::newRow("4 si 5, 11 numbers") << poolOf(11, 4, 5);
        QTest::newRow("4 si 5, 13 numbers (cyclic start)") << poolOf(13, 4, 5);
        QTest::newRow("pairs, 21 numbers (plane)") << poolOf(21, 2, 2);
        QTest::newRow("3 si 4, 12 numbers, one fixed") << poolOf(12, 3, 4, {8});
        QTest::newRow("2 si 2, 14 numbers, three fixed") << poolOf(14, 2, 2, {2, 4, 28});
    }

    void generatedSetsHoldTheirGuarantee()
    {
        QFETCH(Wheel::Request, request);
        Wheel::Options options;
        options.seconds = 1;
        const Wheel::Result result = Wheel::makeWheel(request, options);
        QVERIFY(!result.bets.empty());
        QVERIFY(result.check.coverage.holds());
        QVERIFY(hasTheGuarantee(request, result.bets));
        for (const Wheel::Bet &bet : result.bets) {
            QVERIFY(std::is_sorted(bet.begin(), bet.end()));
            QVERIFY(std::adjacent_find(bet.begin(), bet.end()) == bet.end());
            for (int n : bet)
                QVERIFY(std::find(request.pool.begin(), request.pool.end(), n) != request.pool.end());
            for (int f : request.fixed)
                QVERIFY(std::find(bet.begin(), bet.end(), f) != bet.end());
        }
        if (result.known.lowerBound > 0)
            QVERIFY(int(result.bets.size()) >= result.known.lowerBound);
    }

    void oneSeedOneSet()
    {
        Wheel::Options options;
        options.seed = 7;
        const Wheel::Request request = poolOf(13, 2, 2);
        const auto first = Wheel::makeWheel(request, options);
        const auto second = Wheel::makeWheel(request, options);
        QCOMPARE(int(first.bets.size()), 10); // reaches the bound, so the run ends there
        QVERIFY(first.bets == second.bets);

        // A run that stops on its budget, far from the bound, with the other
        // run busy beside it: a seeded search counts its work, not the clock
        // (not even as its last limit here, for a slow sanitizer build).
        options.seconds = 0.3;
        options.clockLimit = 0;
        const Wheel::Request triples = poolOf(15, 3, 3);
        auto busy = std::async(std::launch::async, [&] { return Wheel::makeWheel(triples, options); });
        const auto alone = Wheel::makeWheel(triples, options);
        const auto beside = busy.get();
        QVERIFY(alone.check.coverage.holds());
        QVERIFY(int(alone.bets.size()) > alone.known.lowerBound);
        QVERIFY(alone.bets == beside.bets);
    }

    void cancelKeepsAValidSet()
    {
        std::atomic<bool> cancel {true};
        Wheel::Options options;
        options.cancel = &cancel;
        const auto result = Wheel::makeWheel(poolOf(20, 3, 3), options);
        QVERIFY(result.cancelled);
        QVERIFY(!result.bets.empty());
        QVERIFY(result.check.coverage.holds());
    }

    void refusedRequests_data()
    {
        QTest::addColumn<Wheel::Request>("request");
        QTest::addColumn<QString>("says");
        auto with = [](std::vector<int> pool, int t, int p, std::vector<int> fixed = {}) {
            Wheel::Request r;
            r.pool = pool;
            r.fixed = fixed;
            r.guarantee = {t, p};
            return r;
        };
        QTest::newRow("five numbers") << with({1, 2, 3, 4, 5}, 2, 2) << "6 a 30";
        std::vector<int> thirtyOne(31);
        std::iota(thirtyOne.begin(), thirtyOne.end(), 1);
        QTest::newRow("31 numbers") << with(thirtyOne, 2, 2) << "31";
        QTest::newRow("number 55") << with({1, 2, 3, 4, 5, 55}, 2, 2) << "55";
        QTest::newRow("number 0") << with({0, 2, 3, 4, 5, 6}, 2, 2) << "del 1 al 54";
        QTest::newRow("repeated") << with({1, 2, 3, 4, 5, 5, 7}, 2, 2) << "repetido";
        QTest::newRow("t above p") << with({1, 2, 3, 4, 5, 6}, 4, 3) << "4/3";
        QTest::newRow("p above 5") << with({1, 2, 3, 4, 5, 6, 7}, 3, 6) << "3/6";
        QTest::newRow("fixed outside") << with({1, 2, 3, 4, 5, 6}, 2, 2, {9}) << "9";
        QTest::newRow("four fixed") << with({1, 2, 3, 4, 5, 6, 7, 8, 9}, 2, 2, {1, 2, 3, 4}) << "3";
        QTest::newRow("t above free slots") << with({1, 2, 3, 4, 5, 6, 7, 8, 9}, 3, 3, {1, 2, 3}) << "2 libres";
        QTest::newRow("p above free numbers") << with({1, 2, 3, 4, 5, 6}, 2, 5, {1, 2}) << "quedan 4";
    }

    void refusedRequests()
    {
        QFETCH(Wheel::Request, request);
        QFETCH(QString, says);
        const QString problem = Wheel::requestProblem(request);
        QVERIFY(!problem.isEmpty());
        QVERIFY2(problem.contains(says), qPrintable(problem));
        QVERIFY(Wheel::makeWheel(request, {}).bets.empty());
    }
};

QTEST_GUILESS_MAIN(TestWheel)
#include "tst_wheel.moc"
