#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// The search for a small set of blocks (bets) of `blockSize` points out of
// `points`, such that every p-subset of the points meets some block in at
// least t points: a covering design when t = p, a lotto design when p > t.
//
// Method: a valid start (a finite plane for pairs where one fits, else a
// greedy set), then simulated annealing on the number of uncovered
// p-subsets with a fixed number of blocks (Nurmela and Östergård): a move
// takes an uncovered subset, a block one point short of it, and swaps one
// of the block's other points for one of the subset's. Each success is
// kept and the search goes on one block fewer, until the time is up, the
// caller cancels, or the lower bound is reached. With the same seed the
// search takes the same path.
namespace Wheel
{
    struct DesignProblem
    {
        int points = 0;    // 2..30
        int blockSize = 5; // 1..5
        int t = 2;         // 1 <= t <= blockSize, t <= p
        int p = 2;         // p <= 5, p <= points
    };

    struct SearchProgress
    {
        double elapsed = 0;  // seconds
        double budget = 0;
        int bestSize = 0;    // the smallest valid set so far
        int workingSize = 0; // the size being tried
        int uncovered = 0;   // what it still leaves uncovered
    };

    struct SearchOptions
    {
        double seconds = 10;
        std::uint64_t seed = 1;
        int startSize = 0;  // try this size first (the best known), 0: none
        int lowerBound = 0; // stop there, 0: none known
        // A valid set to start from when it beats the search's own start
        // (a construction made of smaller sets).
        std::vector<std::uint32_t> start;
        // Count the search thread's processor time instead of the clock's
        // (the benchmark, on a machine others use too).
        bool threadTime = false;
        const std::atomic<bool> *cancel = nullptr;
        std::function<void(const SearchProgress &)> progress; // a few times a second
    };

    struct SearchResult
    {
        std::vector<std::uint32_t> blocks; // masks over the points, each of blockSize bits
        double seconds = 0;
        bool cancelled = false;
        bool reachedBound = false;
    };

    // Seconds from an arbitrary start: the clock's, or with threadTime the
    // calling thread's processor time.
    double clockSeconds(bool threadTime);

    // Empty unless 1 <= t <= blockSize <= points <= 30, t <= p <= min(points, 5).
    bool isSearchable(const DesignProblem &problem);

    // Always a valid set for a searchable problem (cancelling keeps the best
    // found so far, at worst the start).
    SearchResult searchDesign(const DesignProblem &problem, const SearchOptions &options);

    // True when every p-subset meets some block in t points (the search's own
    // check, separate from checkCoverage's).
    bool isValidDesign(const DesignProblem &problem, const std::vector<std::uint32_t> &blocks);

    // The lines of the projective plane of order 4 (21 points) and of the
    // affine plane of order 5 (25 points): pair coverings with 5 per block.
    std::vector<std::uint32_t> projectivePlane4();
    std::vector<std::uint32_t> affinePlane5();
    // The circles of the inversive plane of order 4: 68 blocks of five out
    // of 17 points, every triple in exactly one (C(17,5,3) = 68).
    std::vector<std::uint32_t> inversivePlane4();
}
