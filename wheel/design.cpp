#include "design.h"
#include "combinatorics.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <numeric>
#include <random>
#include <time.h>
namespace
{
    double processorSeconds()
    {
        timespec now {};
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

std::vector<std::uint32_t> Wheel::inversivePlane4()
{
    // GF(16) as polynomials over GF(2) modulo x^4 + x + 1, points 0..15,
    // and 16 for infinity. The circles are the images of GF(4) and infinity
    // under the maps z -> (az + b) / (cz + d) with ad != bc: any three points
    // lie on exactly one of them, which makes 68 blocks covering every triple
    // of 17 points once.
    int logOf[16] = {};
    int power[30] = {};
    for (int i = 0, x = 1; i < 15; ++i) {
        power[i] = power[i + 15] = x;
        logOf[x] = i;
        x <<= 1;
        if (x & 16)
            x ^= 0b10011;
    }
    auto mul = [&](int a, int b) { return a == 0 || b == 0 ? 0 : power[logOf[a] + logOf[b]]; };
    auto inv = [&](int a) { return power[(15 - logOf[a]) % 15]; };
    constexpr int kInfinity = 16;
    const int subfield[] = {0, 1, power[5], power[10], kInfinity};
    std::vector<std::uint32_t> circles;
    for (int a = 0; a < 16; ++a)
        for (int b = 0; b < 16; ++b)
            for (int c = 0; c < 16; ++c)
                for (int d = 0; d < 16; ++d) {
                    if ((mul(a, d) ^ mul(b, c)) == 0)
                        continue;
                    std::uint32_t circle = 0;
                    for (int z : subfield) {
                        int num = 0;
                        int den = 0;
                        if (z == kInfinity) {
                            num = a;
                            den = c;
                        } else {
                            num = mul(a, z) ^ b;
                            den = mul(c, z) ^ d;
                        }
                        circle |= 1u << (den == 0 ? kInfinity : mul(num, inv(den)));
                    }
                    circles.push_back(circle);
                }
    std::sort(circles.begin(), circles.end());
    circles.erase(std::unique(circles.begin(), circles.end()), circles.end());
    return circles;
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

Wheel::SearchResult Wheel::searchInvariantDesign(const DesignProblem &pr, const std::vector<int> &cycles,
                                                 const SearchOptions &options)
{
#ifdef QUORVALE_WHEEL_POPCNT
    if (__builtin_cpu_supports("popcnt"))
        return withPopcnt::searchInvariant(pr, cycles, options);
#endif
    return portable::searchInvariant(pr, cycles, options);
}
