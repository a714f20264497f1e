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
    using namespace Wheel;
    using Clock = std::chrono::steady_clock;

    double threadCpuSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    }

    int randomBit(std::uint32_t mask, std::mt19937_64 &rng)
    {
        int skip = int(rng() % std::uint64_t(std::popcount(mask)));
        while (skip-- > 0)
            mask &= mask - 1;
        return std::countr_zero(mask);
    }

    // The blocks, and for every p-subset of the points how many blocks meet
    // it in t points or more, with the list of those no block meets: a move
    // touches only the subsets that lose or gain the moved block.
    class Cover
    {
    public:
        Cover(const DesignProblem &problem, std::mt19937_64 &rng)
            : n(problem.points), k(problem.blockSize), t(problem.t), p(problem.p),
              all(n >= 32 ? ~0u : (1u << n) - 1), m_rng(rng)
        {
            const std::uint32_t count = binomial(n, p);
            m_count.assign(count, 0);
            m_where.resize(count);
            m_uncovered.resize(count);
            m_element.resize(count);
            std::uint32_t rank = 0;
            for (std::uint64_t s = firstSubset(p); s <= all; s = nextSubset(std::uint32_t(s)), ++rank) {
                m_element[rank] = std::uint32_t(s);
                m_uncovered[rank] = rank;
                m_where[rank] = std::int32_t(rank);
            }
        }

        const int n, k, t, p;
        const std::uint32_t all;

        const std::vector<std::uint32_t> &blocks() const { return m_blocks; }
        int size() const { return int(m_blocks.size()); }
        int uncovered() const { return int(m_uncovered.size()); }

        void clear()
        {
            while (!m_blocks.empty())
                removeBlock(int(m_blocks.size()) - 1);
        }

        void addBlock(std::uint32_t block)
        {
            m_blocks.push_back(block);
            forEachMet(block, [this](std::uint32_t r) { gain(r); });
        }

        void removeBlock(int index)
        {
            forEachMet(m_blocks[std::size_t(index)], [this](std::uint32_t r) { lose(r); });
            m_blocks[std::size_t(index)] = m_blocks.back();
            m_blocks.pop_back();
        }

        void load(const std::vector<std::uint32_t> &blocks)
        {
            clear();
            for (std::uint32_t b : blocks)
                addBlock(b);
        }

        // The block whose removal leaves the fewest subsets uncovered.
        int leastUseful() const
        {
            int bestIndex = 0;
            long bestCount = -1;
            for (int i = 0; i < size(); ++i) {
                long alone = 0;
                forEachMet(m_blocks[std::size_t(i)], [&](std::uint32_t r) { alone += m_count[r] == 1; });
                if (bestCount < 0 || alone < bestCount) {
                    bestCount = alone;
                    bestIndex = i;
                }
            }
            return bestIndex;
        }

        // One annealing step at temperature `temperature`; true when taken.
        bool step(double temperature)
        {
            const std::uint32_t target = m_element[m_uncovered[m_rng() % m_uncovered.size()]];
            // A block one point short of the target, chosen at random.
            int chosen = -1;
            int seen = 0;
            for (int i = 0; i < size(); ++i) {
                if (std::popcount(m_blocks[std::size_t(i)] & target) == t - 1 && m_rng() % std::uint64_t(++seen) == 0)
                    chosen = i;
            }
            if (chosen < 0)
                chosen = int(m_rng() % std::uint64_t(size()));
            const std::uint32_t block = m_blocks[std::size_t(chosen)];
            const std::uint32_t leaving = block & ~target;
            const std::uint32_t entering = target & ~block;
            if (!leaving || !entering)
                return false;
            const std::uint32_t x = 1u << randomBit(leaving, m_rng);
            const std::uint32_t y = 1u << randomBit(entering, m_rng);

            int delta = 0;
            forEachChange(block, x, y, [&](std::uint32_t lost, std::uint32_t won) {
                delta += (m_count[lost] == 1) - (m_count[won] == 0);
            });
            if (delta > 0) {
                if (temperature <= 0)
                    return false;
                const double chance = std::exp(-double(delta) / temperature);
                if (double(m_rng() >> 11) * 0x1.0p-53 >= chance)
                    return false;
            }
            forEachChange(block, x, y, [&](std::uint32_t lost, std::uint32_t won) {
                lose(lost);
                gain(won);
            });
            m_blocks[std::size_t(chosen)] = (block & ~x) | y;
            return true;
        }

        // A block that covers many of the uncovered subsets: t points of one
        // of them, then one point at a time the point that completes most of
        // a sample of the others.
        std::uint32_t greedyBlock()
        {
            const std::uint32_t seed = m_element[m_uncovered[m_rng() % m_uncovered.size()]];
            std::uint32_t block = 0;
            std::uint32_t rest = seed;
            for (int i = 0; i < t; ++i) {
                const std::uint32_t bit = 1u << randomBit(rest, m_rng);
                block |= bit;
                rest &= ~bit;
            }
            const std::size_t samples = std::min<std::size_t>(m_uncovered.size(), 600);
            while (std::popcount(block) < k) {
                int gains[kMaxPoints] = {};
                for (std::size_t s = 0; s < samples; ++s) {
                    const std::uint32_t e = m_element[m_uncovered[samples == m_uncovered.size() ? s : m_rng() % m_uncovered.size()]];
                    if (std::popcount(e & block) == t - 1)
                        for (std::uint32_t q = e & ~block; q; q &= q - 1)
                            ++gains[std::countr_zero(q)];
                }
                int bestPoint = -1;
                int bestGain = -1;
                int ties = 0;
                for (int q = 0; q < n; ++q) {
                    if (block & (1u << q))
                        continue;
                    if (gains[q] > bestGain) {
                        bestGain = gains[q];
                        bestPoint = q;
                        ties = 1;
                    } else if (gains[q] == bestGain && m_rng() % std::uint64_t(++ties) == 0) {
                        bestPoint = q;
                    }
                }
                block |= 1u << bestPoint;
            }
            return block;
        }

        void completeGreedily()
        {
            while (!m_uncovered.empty())
                addBlock(greedyBlock());
        }

    private:
        template<class F>
        void forEachMet(std::uint32_t block, F &&f) const
        {
            const std::uint32_t outside = all & ~block;
            for (int j = t; j <= std::min(k, p); ++j)
                forEachSubsetOf(block, j, [&](std::uint32_t a) {
                    forEachSubsetOf(outside, p - j, [&](std::uint32_t o) { f(colexRank(a | o)); });
                });
        }

        // The subsets the block loses when x leaves it and gains when y
        // enters: x or y with t - 1 of the block's other points and p - t
        // points from outside both.
        template<class F>
        void forEachChange(std::uint32_t block, std::uint32_t x, std::uint32_t y, F &&f) const
        {
            const std::uint32_t outside = all & ~(block | y);
            forEachSubsetOf(block & ~x, t - 1, [&](std::uint32_t a) {
                forEachSubsetOf(outside, p - t, [&](std::uint32_t o) { f(colexRank(a | o | x), colexRank(a | o | y)); });
            });
        }

        void gain(std::uint32_t r)
        {
            if (m_count[r]++ == 0) {
                const std::int32_t at = m_where[r];
                const std::uint32_t last = m_uncovered.back();
                m_uncovered[std::size_t(at)] = last;
                m_where[last] = at;
                m_uncovered.pop_back();
                m_where[r] = -1;
            }
        }

        void lose(std::uint32_t r)
        {
            if (--m_count[r] == 0) {
                m_where[r] = std::int32_t(m_uncovered.size());
                m_uncovered.push_back(r);
            }
        }

        std::vector<std::uint32_t> m_blocks;
        std::vector<std::uint16_t> m_count;
        std::vector<std::int32_t> m_where;
        std::vector<std::uint32_t> m_uncovered;
        std::vector<std::uint32_t> m_element;
        std::mt19937_64 &m_rng;
    };

    // A finite plane's lines, less the points beyond `points` (the highest
    // ones), each refilled to five points at random; lines left with fewer
    // than two points cover no pair and go.
    std::vector<std::uint32_t> shrunkPlane(std::vector<std::uint32_t> lines, int points, std::mt19937_64 &rng)
    {
        const std::uint32_t kept = (1u << points) - 1;
        std::vector<std::uint32_t> blocks;
        for (std::uint32_t line : lines) {
            std::uint32_t block = line & kept;
            if (std::popcount(block) < 2)
                continue;
            while (std::popcount(block) < 5)
                block |= 1u << randomBit(kept & ~block, rng);
            blocks.push_back(block);
        }
        return blocks;
    }
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
        return threadCpuSeconds();
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
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
    SearchResult result;
    if (!isSearchable(pr))
        return result;
    const auto started = Clock::now();
    const double cpuStarted = threadCpuSeconds();
    auto elapsed = [&] {
        if (options.threadTime)
            return threadCpuSeconds() - cpuStarted;
        return std::chrono::duration<double>(Clock::now() - started).count();
    };
    std::mt19937_64 rng(options.seed);
    Cover cover(pr, rng);

    // A valid start.
    std::vector<std::uint32_t> best;
    if (pr.t == 2 && pr.p == 2 && pr.blockSize == 5 && pr.points >= 17 && pr.points <= 25)
        best = shrunkPlane(pr.points <= 21 ? projectivePlane4() : affinePlane5(), pr.points, rng);
    if (best.empty() || !isValidDesign(pr, best)) {
        cover.clear();
        cover.completeGreedily();
        best = cover.blocks();
    }
    if (!options.start.empty() && options.start.size() < best.size() && isValidDesign(pr, options.start))
        best = options.start;
    auto atBound = [&](std::size_t size) { return options.lowerBound > 0 && int(size) <= options.lowerBound; };

    bool cancelled = false;
    double lastReport = -1;
    // Anneals the cover until nothing is uncovered (true), or until the
    // deadline or a cancel (false). The temperature runs from `hot` down to
    // `cold`, by `cooling` every round of steps, and starts again.
    auto anneal = [&](double deadline, double hot, double cold, double cooling) {
        const long round = std::max<long>(500, long(cover.size()) * pr.blockSize * 4);
        double temperature = hot;
        for (long steps = 0; cover.uncovered() > 0; ++steps) {
            if ((steps & 255) == 0) {
                if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
                    cancelled = true;
                    return false;
                }
                const double now = elapsed();
                if (now >= deadline)
                    return false;
                if (options.progress && now - lastReport >= 0.1) {
                    lastReport = now;
                    options.progress({now, options.seconds, int(best.size()), cover.size(), cover.uncovered()});
                }
            }
            cover.step(temperature);
            if (steps % round == round - 1) {
                temperature *= cooling;
                if (temperature < cold)
                    temperature = hot;
            }
        }
        return true;
    };
    // What an unfinished cover leaves, covered greedily, may beat the best.
    auto keepPatched = [&] {
        if (cover.uncovered() > 0 && cover.uncovered() < int(best.size())) {
            cover.completeGreedily();
            if (cover.size() < int(best.size()))
                best = cover.blocks();
        }
    };

    // A move uncovers or covers this many subsets at most: the more, the
    // warmer the search has to be to cross from one cover to the next.
    const double touched = double(binomial(pr.blockSize - 1, pr.t - 1)) * std::max(1u, binomial(pr.points - pr.blockSize - 1, pr.p - pr.t));
    const double warm = 0.2 * std::pow(std::max(1.0, touched / 6.0), 0.35);

    // First the best known size, straight away, with a slow cooling: rigid
    // optimal covers (a Steiner system) are found this way or not at all
    // by the descent below.
    if (!atBound(best.size()) && pr.t == pr.p && options.startSize > 0 && options.startSize < int(best.size()) - 1) {
        cover.load(best);
        while (cover.size() > std::max(options.startSize, options.lowerBound))
            cover.removeBlock(cover.leastUseful());
        if (anneal(options.seconds * 0.35, 0.35, 0.05, 0.999))
            best = cover.blocks();
        else if (!cancelled)
            keepPatched();
    }

    // Then down from the best set, one block fewer after each success: on
    // a few hundred subsets, warming up and cooling down in short rounds;
    // on more, at one steady temperature (what worked best on the
    // benchmark's cells).
    const bool small = binomial(pr.points, pr.p) < 400;
    if (!atBound(best.size()) && !cancelled && best.size() > 1) {
        cover.load(best);
        cover.removeBlock(cover.leastUseful());
        for (;;) {
            if (!(small ? anneal(options.seconds, 3 * warm, 0.4 * warm, 0.97) : anneal(options.seconds, warm, warm, 1.0))) {
                if (!cancelled)
                    keepPatched();
                break;
            }
            best = cover.blocks();
            if (atBound(best.size()) || cover.size() <= 1)
                break;
            cover.removeBlock(cover.leastUseful());
        }
    }

    result.blocks = best;
    result.cancelled = cancelled;
    result.reachedBound = atBound(best.size());
    result.seconds = elapsed();
    return result;
}
