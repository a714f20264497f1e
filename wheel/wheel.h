#pragma once

#include "coverage.h"
#include "design.h"
#include "knownsizes.h"

#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// Reductions ("reducciones"): from a pool of 6 to 30 numbers, a set of simple
// bets with a guarantee "t si p": whenever p of the five winning numbers are
// in the pool, some bet has at least t of them. Fixed numbers are played in
// every bet; the guarantee then holds over the other numbers of the pool.
namespace Wheel
{
    constexpr int kMinPool = 6;
    constexpr int kMaxPool = 30;
    constexpr int kMaxFixed = 3;
    constexpr int kHighestNumber = 54;
    constexpr double kDefaultSeconds = 10;

    struct Guarantee
    {
        int t = 3; // hits promised
        int p = 3; // winning numbers in the pool
        bool operator==(const Guarantee &) const = default;
    };

    // Every guarantee 2 <= t <= p <= 5, in the order the window lists them.
    std::vector<Guarantee> guarantees();
    // "4 aciertos si salen 5 de tus números".
    QString guaranteeText(Guarantee g);

    struct Request
    {
        std::vector<int> pool; // ascending, distinct, 1..54
        std::vector<int> fixed; // in the pool, played in every bet
        Guarantee guarantee;
    };

    // The Spanish message refusing the request, empty when it is sound.
    QString requestProblem(const Request &request);
    // "1,2,3": numbers separated by commas (blanks allowed), or nothing when
    // a piece is not a whole number. Checks no range: requestProblem does.
    std::optional<std::vector<int>> parseNumberList(const QString &text);

    // The set the guarantee asks for, as a design over the free numbers.
    DesignProblem designProblem(const Request &request);

    // What is known of the smallest set for this request (for coverings with
    // no fixed numbers, the table; lotto designs, the published figures;
    // with fixed numbers, the Schönheim bound of the smaller covering).
    KnownSize knownSize(const Request &request);
    // "22 apuestas; la menor conocida tiene 22; ninguna puede tener menos de
    // 20" (the last part only where a bound is known, "(óptima)" when the size
    // is the proven least).
    QString sizeSentence(int bets, const KnownSize &known, bool lotto);
    // Bets of the full multiple of the pool, C(v, 5).
    long long fullMultipleBets(int poolSize);

    using Bet = std::array<int, 5>;

    // The check of bets (numbers, each ascending) against a request.
    struct Check
    {
        Coverage coverage; // over the pool's indexes
        std::vector<std::vector<int>> uncovered; // the first uncovered, as numbers
        double share() const
        {
            return coverage.subsets == 0 ? 1.0 : double(coverage.covered) / double(coverage.subsets);
        }
    };
    // The bets may hold numbers outside the pool (they count for nothing).
    Check checkBets(const Request &request, const std::vector<std::vector<int>> &bets);

    struct Options
    {
        double seconds = kDefaultSeconds;
        // With a seed the search counts its work instead of the time
        // (SearchOptions::countWork): the same seed gives the same set.
        // Without one it runs on the clock from seed 1.
        std::optional<std::uint64_t> seed;
        // A seeded search still ends once the clock shows this many times
        // the seconds (SearchOptions::clockLimit; 0: never).
        double clockLimit = kWorkClockLimit;
        const std::atomic<bool> *cancel = nullptr;
        std::function<void(const SearchProgress &)> progress;
        bool threadTime = false;
    };

    struct Result
    {
        std::vector<Bet> bets; // each ascending, fixed numbers included
        Check check; // passed: check.coverage.holds()
        KnownSize known;
        double seconds = 0;
        bool cancelled = false;
    };

    // The smallest set found in the time given, proven by checkBets; empty
    // bets only when the request is refused or, which never happens, the
    // set found failed the check.
    Result makeWheel(const Request &request, const Options &options);
}
