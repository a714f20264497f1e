#include "coverage.h"
#include "combinatorics.h"

#include <algorithm>
#include <bit>

namespace
{
    constexpr int kMaxLevel = 5;
}

Wheel::Coverage Wheel::checkCoverage(int points, const std::vector<std::uint32_t> &bets, std::uint32_t freePoints,
                                     int t, int p, int listed)
{
    Coverage result;
    if (points < 1 || points > 30 || t < 1 || p < t || p > kMaxLevel)
        return result;
    const std::uint32_t all = (1u << points) - 1;
    const int levels = std::min(kMaxLevel, points);

    // contained[j][rank]: some bet holds this j-subset of the pool.
    // best[j][rank]: the most points of this j-subset that one bet holds.
    std::vector<std::uint8_t> best[kMaxLevel + 1];
    for (int j = 1; j <= levels; ++j)
        best[j].assign(binomial(points, j), 0);
    for (std::uint32_t bet : bets) {
        bet &= all;
        const int size = std::popcount(bet);
        for (int j = 1; j <= std::min(size, levels); ++j)
            forEachSubsetOf(bet, j, [&](std::uint32_t s) { best[j][colexRank(s)] = std::uint8_t(j); });
    }
    // Each subset not held whole by a bet is as good as its best
    // subset one point smaller.
    for (int j = 2; j <= levels; ++j) {
        std::uint32_t rank = 0;
        for (std::uint64_t s = firstSubset(j); s <= all; s = nextSubset(std::uint32_t(s)), ++rank) {
            if (best[j][rank] == j)
                continue;
            std::uint8_t b = 0;
            for (std::uint32_t rest = std::uint32_t(s); rest; rest &= rest - 1)
                b = std::max(b, best[j - 1][colexRank(std::uint32_t(s) & ~(rest & (~rest + 1)))]);
            best[j][rank] = b;
        }
    }

    for (int m = 2; m <= levels; ++m) {
        Outcome o;
        o.winning = m;
        o.ways = binomial(points, m);
        o.byBestHit.assign(std::size_t(m + 1), 0);
        o.least = m;
        for (std::uint8_t b : best[m]) {
            ++o.byBestHit[b];
            o.least = std::min<int>(o.least, b);
        }
        result.outcomes.push_back(std::move(o));
    }

    if (p > levels)
        return result;
    std::uint32_t rank = 0;
    for (std::uint64_t s = firstSubset(p); s <= all; s = nextSubset(std::uint32_t(s)), ++rank) {
        if ((std::uint32_t(s) & ~freePoints) != 0)
            continue;
        ++result.subsets;
        if (best[p][rank] >= t)
            ++result.covered;
        else if (int(result.uncovered.size()) < listed)
            result.uncovered.push_back(std::uint32_t(s));
    }
    return result;
}
