#pragma once

#include "store/drawrecord.h"
#include "window.h"

#include <QDate>

#include <array>
#include <optional>
#include <span>
#include <vector>

// What players ask of the draws of a window: how often each number and key
// came out and how long it has been away, the pairs that came out together
// and the shape of each draw. Gaps count draws, never weeks: a Sunday
// without a draw is no draw.
namespace Stats
{
    constexpr int kNumbers = 54;
    constexpr int kKeys = 10;
    constexpr int kPairs = kNumbers * (kNumbers - 1) / 2; // 1,431
    constexpr int kMinSum = 1 + 2 + 3 + 4 + 5;
    constexpr int kMaxSum = 50 + 51 + 52 + 53 + 54;
    // The numbers and keys counted as hot (or cold): the first ones by
    // hotRank (coldRank).
    constexpr int kMarkedNumbers = 10;
    constexpr int kMarkedKeys = 2;

    // One number's (or key's) figures over a window of W draws, counted in
    // draws of the window only:
    // - gap: the window's draws after its last appearance (0 when it came
    //   out in the newest one, W when it never came out);
    // - longestGap: the longest run of the window's draws without it,
    //   the run before its first appearance and the current one included;
    // - mean gap: the average run between two consecutive appearances,
    //   none with fewer than two.
    // hotRank 1 is the most drawn (on equal counts, the one out more
    // recently); coldRank 1 the least drawn (on equal counts, the one away
    // longer). Equal on both, they share the rank.
    struct ValueFigures
    {
        int value = 0; // the number 1 to 54, or the key 0 to 9
        int drawn = 0;
        int gap = 0;
        int longestGap = 0;
        int innerGaps = 0; // draws without it between its first and last appearance
        int hotRank = 0;
        int coldRank = 0;

        // drawn / draws: the share of the window's draws it came out in.
        double share(int draws) const { return draws > 0 ? double(drawn) / draws : 0.0; }
        std::optional<double> meanGap() const;
        bool operator==(const ValueFigures &) const = default;
    };

    struct PairCount
    {
        int low = 0;
        int high = 0;
        int drawn = 0;
        bool operator==(const PairCount &) const = default;
    };

    // A range of sums and how many draws added up to one in it.
    struct SumBand
    {
        int low = 0;
        int high = 0;
        int draws = 0;
        bool operator==(const SumBand &) const = default;
    };

    struct Figures
    {
        int draws = 0;
        QDate from, to; // the window's oldest and newest draw; invalid with none
        std::array<ValueFigures, kNumbers> numbers {}; // index 0 is number 1
        std::array<ValueFigures, kKeys> keys {}; // index 0 is key 0
        std::array<int, kPairs> pairs {}; // by pairIndex
        std::array<int, kMaxSum + 1> sums {}; // draws by the sum of their five numbers
        std::array<int, 6> oddEven {}; // draws by how many of their numbers are odd
        std::array<int, 6> lowHigh {}; // draws by how many are low (1 to 27)
        std::array<int, 6> decades {}; // numbers drawn in 1-9, 10-19, 20-29, 30-39, 40-49, 50-54
        std::array<int, 5> consecutive {}; // draws by their pairs of consecutive numbers
        // Draws by how many numbers of the draw before they hold again; the
        // draw before the window's first is the stored one before it, and the
        // oldest stored draw, which has none, is not counted.
        std::array<int, 6> repeats {};
    };

    // a < b, both 1 to 54: 0 for (1, 2) ... 1,430 for (53, 54).
    int pairIndex(int a, int b);
    // Every pair, the most drawn first; equal counts in the order of their numbers.
    std::vector<PairCount> pairsByCount(const Figures &figures);
    // Sums in bands of 20: 15-39, 40-59 ... 220-239, 240-260.
    std::vector<SumBand> sumBands(const Figures &figures);
    // The first of decade d (0 to 5) and its last: 1-9 ... 50-54.
    int decadeLow(int decade);
    int decadeHigh(int decade);

    // The draws of the window out of a history given oldest first.
    Figures compute(std::span<const DrawRecord> history, const Window &window);
    Figures compute(std::span<const DrawRecord> history, Slice slice);
}
