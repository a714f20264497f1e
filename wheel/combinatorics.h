#pragma once

#include <bit>
#include <cstdint>

// Subsets of a pool of at most 32 points as bit masks, and their rank in
// colexicographic order: the rank of {a < b < c} is C(a,1) + C(b,2) + C(c,3).
// Enumerating the masks of one size in increasing order (nextSubset) visits
// them in rank order.
namespace Wheel
{
    constexpr int kMaxPoints = 32;

    struct Binomials
    {
        std::uint32_t c[kMaxPoints + 1][7] = {};
        constexpr Binomials()
        {
            for (int n = 0; n <= kMaxPoints; ++n) {
                c[n][0] = 1;
                for (int k = 1; k < 7; ++k)
                    c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
            }
        }
    };
    inline constexpr Binomials kBinomials;

    // C(n, k) for n <= 32 and k <= 6; 0 when k > n.
    constexpr std::uint32_t binomial(int n, int k)
    {
        return (n < 0 || k < 0 || k > 6 || n > kMaxPoints) ? 0 : kBinomials.c[n][k];
    }

    constexpr std::uint32_t colexRank(std::uint32_t mask)
    {
        std::uint32_t rank = 0;
        for (int i = 1; mask; ++i) {
            rank += kBinomials.c[std::countr_zero(mask)][i];
            mask &= mask - 1;
        }
        return rank;
    }

    // The next mask with as many bits (Gosper's hack); callers stop at the
    // first mask with a bit at or above the pool's size.
    constexpr std::uint32_t nextSubset(std::uint32_t mask)
    {
        const std::uint32_t lowest = mask & (~mask + 1);
        const std::uint32_t ripple = mask + lowest;
        return ripple | (((mask ^ ripple) >> 2) / lowest);
    }

    constexpr std::uint32_t firstSubset(int size) { return size >= 32 ? ~0u : (1u << size) - 1; }
    constexpr std::uint64_t limitMask(int points) { return std::uint64_t(1) << points; }

    // Calls f(mask) for every mask of `size` bits inside `within`, in
    // increasing order of the packed subset.
    template <class F>
    void forEachSubsetOf(std::uint32_t within, int size, F &&f)
    {
        if (size == 0) {
            f(0u);
            return;
        }
        if (size == 1) {
            for (std::uint32_t m = within; m; m &= m - 1)
                f(m & (~m + 1));
            return;
        }
        int bits[kMaxPoints];
        int n = 0;
        for (std::uint32_t m = within; m; m &= m - 1)
            bits[n++] = std::countr_zero(m);
        if (size > n || size < 0)
            return;
        for (std::uint64_t packed = firstSubset(size); packed < limitMask(n); packed = nextSubset(std::uint32_t(packed))) {
            std::uint32_t mask = 0;
            for (std::uint32_t p = std::uint32_t(packed); p; p &= p - 1)
                mask |= 1u << bits[std::countr_zero(p)];
            f(mask);
            if (packed == firstSubset(size) << (n - size))
                break;
        }
    }
}
