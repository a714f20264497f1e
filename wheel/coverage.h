#pragma once

#include <cstdint>
#include <vector>

// The exact check of a set of bets against a pool of at most 30 points:
// for every way the winning numbers can fall among the pool, the best hit
// of any bet. Points are the pool's indexes (0 = its smallest number); a bet
// is the mask of the pool points it holds (numbers outside the pool count
// for nothing).
namespace Wheel
{
    struct Outcome
    {
        int winning = 0; // winning numbers in the pool
        std::uint64_t ways = 0; // C(pool, winning)
        int least = 0; // the worst case: the least best hit
        std::vector<std::uint64_t> byBestHit; // [h]: ways whose best bet hits h
    };

    struct Coverage
    {
        std::uint64_t subsets = 0; // the p-subsets the guarantee speaks of
        std::uint64_t covered = 0; // those met by some bet in at least t
        std::vector<std::uint32_t> uncovered; // the first ones, in order
        std::vector<Outcome> outcomes; // winning = 2 .. min(5, pool)
        bool holds() const { return covered == subsets; }
    };

    // freePoints: the points the guarantee is stated over (the pool less its
    // fixed numbers): every p-subset of them must meet some bet in at least
    // t of its points. At most `listed` uncovered subsets are kept.
    Coverage checkCoverage(int points, const std::vector<std::uint32_t> &bets, std::uint32_t freePoints, int t, int p,
                           int listed = 20);
}
