#include "figures.h"

#include <algorithm>
#include <bit>
#include <cstdint>

std::optional<double> Stats::ValueFigures::meanGap() const
{
    if (drawn < 2)
        return std::nullopt;
    return double(innerGaps) / (drawn - 1);
}

int Stats::pairIndex(int a, int b)
{
    return (a - 1) * kNumbers - (a - 1) * a / 2 + (b - a - 1);
}

std::vector<Stats::PairCount> Stats::pairsByCount(const Figures &figures)
{
    std::vector<PairCount> pairs;
    pairs.reserve(kPairs);
    for (int a = 1; a < kNumbers; ++a) {
        for (int b = a + 1; b <= kNumbers; ++b)
            pairs.push_back({a, b, figures.pairs[std::size_t(pairIndex(a, b))]});
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const PairCount &x, const PairCount &y) { return x.drawn > y.drawn; });
    return pairs;
}

std::vector<Stats::SumBand> Stats::sumBands(const Figures &figures)
{
    std::vector<SumBand> bands;
    for (int low = kMinSum; low <= kMaxSum;) {
        // The first band reaches up to 39, the last one to the highest sum.
        int high = low == kMinSum ? 39 : low + 19;
        if (high + 20 > kMaxSum)
            high = kMaxSum;
        SumBand band {low, high, 0};
        for (int sum = low; sum <= high; ++sum)
            band.draws += figures.sums[std::size_t(sum)];
        bands.push_back(band);
        low = high + 1;
    }
    return bands;
}

int Stats::decadeLow(int decade)
{
    return decade == 0 ? 1 : decade * 10;
}

int Stats::decadeHigh(int decade)
{
    return std::min(decade * 10 + 9, kNumbers);
}

namespace
{
    using Set = std::uint64_t;

    // The draw's numbers 1 to 54, each once.
    Set numberSet(const DrawRecord &draw)
    {
        Set set = 0;
        for (int n : draw.numbers) {
            if (n >= 1 && n <= Stats::kNumbers)
                set |= Set(1) << n;
        }
        return set;
    }

    // One more appearance, in draw i of the window.
    void seen(Stats::ValueFigures &value, int &last, int i)
    {
        const int run = last < 0 ? i : i - last - 1;
        if (last >= 0)
            value.innerGaps += run;
        value.longestGap = std::max(value.longestGap, run);
        last = i;
        ++value.drawn;
    }

    template <std::size_t N>
    void finish(std::array<Stats::ValueFigures, N> &values, const std::array<int, N> &last, int draws)
    {
        for (std::size_t v = 0; v < N; ++v) {
            Stats::ValueFigures &value = values[v];
            value.gap = last[v] < 0 ? draws : draws - 1 - last[v];
            value.longestGap = std::max(value.longestGap, value.gap);
        }
        for (Stats::ValueFigures &value : values) {
            value.hotRank = 1;
            value.coldRank = 1;
            for (const Stats::ValueFigures &other : values) {
                if (other.drawn > value.drawn || (other.drawn == value.drawn && other.gap < value.gap))
                    ++value.hotRank;
                if (other.drawn < value.drawn || (other.drawn == value.drawn && other.gap > value.gap))
                    ++value.coldRank;
            }
        }
    }
}

Stats::Figures Stats::compute(std::span<const DrawRecord> history, const Window &window)
{
    return compute(history, select(history, window));
}

Stats::Figures Stats::compute(std::span<const DrawRecord> history, Slice slice)
{
    Figures f;
    if (slice.first > history.size())
        slice = {history.size(), 0};
    slice.count = std::min(slice.count, history.size() - slice.first);
    const auto window = history.subspan(slice.first, slice.count);
    f.draws = int(window.size());
    if (!window.empty()) {
        f.from = window.front().qdate();
        f.to = window.back().qdate();
    }
    for (int v = 0; v < kNumbers; ++v)
        f.numbers[std::size_t(v)].value = v + 1;
    for (int v = 0; v < kKeys; ++v)
        f.keys[std::size_t(v)].value = v;

    std::array<int, kNumbers> lastNumber;
    std::array<int, kKeys> lastKey;
    lastNumber.fill(-1);
    lastKey.fill(-1);
    Set before = slice.first > 0 ? numberSet(history[slice.first - 1]) : 0;
    bool hasBefore = slice.first > 0;

    for (int i = 0; i < f.draws; ++i) {
        const DrawRecord &draw = window[std::size_t(i)];
        const Set set = numberSet(draw);
        std::array<int, 5> numbers {};
        int count = 0;
        for (Set rest = set; rest != 0 && count < 5; rest &= rest - 1)
            numbers[std::size_t(count++)] = std::countr_zero(rest);

        int sum = 0, odd = 0, low = 0, consecutive = 0;
        for (int j = 0; j < count; ++j) {
            const int n = numbers[std::size_t(j)];
            seen(f.numbers[std::size_t(n - 1)], lastNumber[std::size_t(n - 1)], i);
            for (int k = j + 1; k < count; ++k)
                ++f.pairs[std::size_t(pairIndex(n, numbers[std::size_t(k)]))];
            sum += n;
            odd += n % 2;
            low += n <= 27 ? 1 : 0;
            ++f.decades[std::size_t(n / 10)];
            if (j > 0 && numbers[std::size_t(j - 1)] + 1 == n)
                ++consecutive;
        }
        if (draw.clave >= 0 && draw.clave < kKeys)
            seen(f.keys[std::size_t(draw.clave)], lastKey[std::size_t(draw.clave)], i);
        ++f.sums[std::size_t(sum)];
        ++f.oddEven[std::size_t(odd)];
        ++f.lowHigh[std::size_t(low)];
        ++f.consecutive[std::size_t(consecutive)];
        if (hasBefore)
            ++f.repeats[std::size_t(std::popcount(set & before))];
        before = set;
        hasBefore = true;
    }
    finish(f.numbers, lastNumber, f.draws);
    finish(f.keys, lastKey, f.draws);
    return f;
}
