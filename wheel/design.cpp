#include "design.h"
#include "combinatorics.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <random>
#include <time.h>
namespace
{
    double processorSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    }

    namespace portable
    {
        using namespace Wheel;
#include "designsearch.inc"
    }

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define QUORVALE_WHEEL_POPCNT 1
#pragma GCC push_options
#pragma GCC target("popcnt")
    namespace withPopcnt
    {
        using namespace Wheel;
#include "designsearch.inc"
    }
#pragma GCC pop_options
#endif
}

std::vector<std::uint32_t> Wheel::projectivePlane4()
{
    // {0, 1, 4, 14, 16} is a planar difference set modulo 21: its
    // translates are the lines of PG(2, 4).
    static constexpr int kBase[] = {0, 1, 4, 14, 16};
    std::vector<std::uint32_t> lines;
    for (int shift = 0; shift < 21; ++shift) {
        std::uint32_t line = 0;
        for (int d : kBase)
            line |= 1u << ((d + shift) % 21);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::uint32_t> Wheel::affinePlane5()
{
    // Points (x, y) of Z5 x Z5 as 5x + y: the lines y = mx + c and x = c.
    std::vector<std::uint32_t> lines;
    for (int m = 0; m < 5; ++m)
        for (int c = 0; c < 5; ++c) {
            std::uint32_t line = 0;
            for (int x = 0; x < 5; ++x)
                line |= 1u << (5 * x + (m * x + c) % 5);
            lines.push_back(line);
        }
    for (int c = 0; c < 5; ++c) {
        std::uint32_t line = 0;
        for (int y = 0; y < 5; ++y)
            line |= 1u << (5 * c + y);
        lines.push_back(line);
    }
    return lines;
}

double Wheel::clockSeconds(bool threadTime)
{
    if (threadTime)
        return processorSeconds();
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool Wheel::isSearchable(const DesignProblem &pr)
{
    return pr.points >= 1 && pr.points <= 30 && pr.blockSize >= 1 && pr.blockSize <= 5 && pr.blockSize <= pr.points
        && pr.t >= 1 && pr.t <= pr.blockSize && pr.p >= pr.t && pr.p <= 5 && pr.p <= pr.points;
}

bool Wheel::isValidDesign(const DesignProblem &pr, const std::vector<std::uint32_t> &blocks)
{
    if (!isSearchable(pr))
        return false;
    const std::uint32_t all = (1u << pr.points) - 1;
    for (std::uint32_t b : blocks)
        if ((b & ~all) || std::popcount(b) != pr.blockSize)
            return false;
    for (std::uint64_t s = firstSubset(pr.p); s <= all; s = nextSubset(std::uint32_t(s))) {
        bool met = false;
        for (std::uint32_t b : blocks)
            if (std::popcount(b & std::uint32_t(s)) >= pr.t) {
                met = true;
                break;
            }
        if (!met)
            return false;
    }
    return true;
}
Wheel::SearchResult Wheel::searchDesign(const DesignProblem &pr, const SearchOptions &options)
{
    // Counting the points of a subset is most of the work.
#ifdef QUORVALE_WHEEL_POPCNT
    if (__builtin_cpu_supports("popcnt"))
        return withPopcnt::search(pr, options);
#endif
    return portable::search(pr, options);
}
