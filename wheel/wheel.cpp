#include "wheel.h"

#include "base/numberlist.h"
#include "combinatorics.h"

#include <QStringList>

#include <algorithm>
#include <set>

namespace
{
    // Lotto designs with fewer p-subsets than this are left to the plain
    // search, which already reaches the published sizes there.
    constexpr std::uint32_t kInvariantFrom = 1000;

    // The time the searches have taken: the clock's (or the thread's
    // processor time), or when they count work, what they counted.
    class Budget
    {
    public:
        explicit Budget(const Wheel::SearchOptions &search)
            : m_countWork(search.countWork)
            , m_threadTime(search.threadTime)
            , m_started(Wheel::clockSeconds(search.threadTime))
        {
        }

        double spent() const { return m_countWork ? m_counted : Wheel::clockSeconds(m_threadTime) - m_started; }
        // While a search runs that has taken `elapsed` by its own measure.
        double spentWith(double elapsed) const { return m_countWork ? m_counted + elapsed : spent(); }

        Wheel::SearchResult counted(Wheel::SearchResult result)
        {
            m_counted += result.seconds;
            return result;
        }

    private:
        const bool m_countWork;
        const bool m_threadTime;
        const double m_started;
        double m_counted = 0;
    };
}

std::vector<Wheel::Guarantee> Wheel::guarantees()
{
    std::vector<Guarantee> all;
    for (int t = 2; t <= 5; ++t)
        for (int p = t; p <= 5; ++p)
            all.push_back({t, p});
    return all;
}

QString Wheel::guaranteeText(Guarantee g)
{
    return QStringLiteral("%1 aciertos si salen %2 de tus números").arg(g.t).arg(g.p);
}

std::optional<std::vector<int>> Wheel::parseNumberList(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::vector<int> {};
    return ::parseNumberList(text);
}

QString Wheel::requestProblem(const Request &request)
{
    const int v = int(request.pool.size());
    std::set<int> seen;
    for (int n : request.pool) {
        if (n < 1 || n > kHighestNumber)
            return QStringLiteral("Los números deben ir del 1 al 54: %1 no vale.").arg(n);
        if (!seen.insert(n).second)
            return QStringLiteral("El número %1 está repetido.").arg(n);
    }
    if (v < kMinPool || v > kMaxPool)
        return QStringLiteral("Una reducción se hace con 6 a 30 números distintos; ha elegido %1.").arg(v);
    const int t = request.guarantee.t;
    const int p = request.guarantee.p;
    if (t < 2 || p > 5 || t > p)
        return QStringLiteral("La garantía %1/%2 no es posible: debe ser T/P con 2 ≤ T ≤ P ≤ 5 "
                              "(T aciertos si salen P de sus números).")
            .arg(t)
            .arg(p);
    std::set<int> fixed;
    for (int n : request.fixed) {
        if (!seen.count(n))
            return QStringLiteral("El número fijo %1 no está entre los números elegidos.").arg(n);
        if (!fixed.insert(n).second)
            return QStringLiteral("El número fijo %1 está repetido.").arg(n);
    }
    const int f = int(fixed.size());
    if (f > kMaxFixed)
        return QStringLiteral("Como mucho 3 números fijos; ha elegido %1.").arg(f);
    if (t > 5 - f)
        return QStringLiteral("Con %1 números fijos cada apuesta deja %2 libres: la garantía no puede pedir %3 aciertos "
                              "sin contar los fijos.")
            .arg(f)
            .arg(5 - f)
            .arg(t);
    if (p > v - f)
        return QStringLiteral("Sin contar los fijos quedan %1 números: la garantía no puede hablar de %2 de ellos.")
            .arg(v - f)
            .arg(p);
    return {};
}

Wheel::DesignProblem Wheel::designProblem(const Request &request)
{
    const int f = int(request.fixed.size());
    return {int(request.pool.size()) - f, 5 - f, request.guarantee.t, request.guarantee.p};
}

Wheel::KnownSize Wheel::knownSize(const Request &request)
{
    const DesignProblem d = designProblem(request);
    if (d.t == d.p)
        return knownCovering(d.points, d.blockSize, d.t);
    KnownSize known;
    if (request.fixed.empty())
        known.bestKnown = publishedLotto(d.points, d.t, d.p);
    // Counting: every p-subset must be met, and one bet meets at most
    // the sum over j >= t of C(k, j) C(v - k, p - j) of them.
    std::uint64_t perBet = 0;
    for (int j = d.t; j <= std::min(d.blockSize, d.p); ++j)
        perBet += std::uint64_t(binomial(d.blockSize, j)) * binomial(d.points - d.blockSize, d.p - j);
    if (perBet > 0)
        known.lowerBound = int((binomial(d.points, d.p) + perBet - 1) / perBet);
    return known;
}

QString Wheel::sizeSentence(int bets, const KnownSize &known, bool lotto)
{
    QStringList parts;
    parts << (bets == 1 ? QStringLiteral("1 apuesta") : QStringLiteral("%1 apuestas").arg(bets));
    if (known.bestKnown > 0)
        parts << (lotto ? QStringLiteral("la menor publicada tiene %1") : QStringLiteral("la menor conocida tiene %1"))
                     .arg(known.bestKnown);
    if (known.lowerBound > 0)
        parts << QStringLiteral("ninguna puede tener menos de %1").arg(known.lowerBound);
    QString text = parts.join(QStringLiteral("; "));
    if (known.lowerBound > 0 && bets == known.lowerBound)
        text += QStringLiteral(" (óptima)");
    return text;
}

long long Wheel::fullMultipleBets(int poolSize)
{
    return binomial(poolSize, 5);
}

Wheel::Check Wheel::checkBets(const Request &request, const std::vector<std::vector<int>> &bets)
{
    Check check;
    std::vector<int> pool = request.pool;
    std::sort(pool.begin(), pool.end());
    const int v = int(pool.size());
    if (v < 1 || v > kMaxPool)
        return check;
    auto indexOf = [&](int n) {
        const auto it = std::lower_bound(pool.begin(), pool.end(), n);
        return it != pool.end() && *it == n ? int(it - pool.begin()) : -1;
    };
    std::uint32_t freePoints = (1u << v) - 1;
    for (int n : request.fixed)
        if (const int i = indexOf(n); i >= 0)
            freePoints &= ~(1u << i);
    std::vector<std::uint32_t> masks;
    masks.reserve(bets.size());
    for (const auto &bet : bets) {
        std::uint32_t mask = 0;
        for (int n : bet)
            if (const int i = indexOf(n); i >= 0)
                mask |= 1u << i;
        masks.push_back(mask);
    }
    check.coverage = checkCoverage(v, masks, freePoints, request.guarantee.t, request.guarantee.p);
    for (std::uint32_t mask : check.coverage.uncovered) {
        std::vector<int> numbers;
        for (; mask; mask &= mask - 1)
            numbers.push_back(pool[std::size_t(std::countr_zero(mask))]);
        check.uncovered.push_back(std::move(numbers));
    }
    return check;
}

Wheel::Result Wheel::makeWheel(const Request &given, const Options &options)
{
    Result result;
    if (!requestProblem(given).isEmpty())
        return result;
    Request request = given;
    std::sort(request.pool.begin(), request.pool.end());
    std::sort(request.fixed.begin(), request.fixed.end());
    std::vector<int> free;
    std::set_difference(request.pool.begin(), request.pool.end(), request.fixed.begin(), request.fixed.end(),
                        std::back_inserter(free));

    result.known = knownSize(request);
    SearchOptions search;
    search.seconds = options.seconds;
    search.seed = options.seed.value_or(1);
    search.countWork = options.seed.has_value();
    search.clockLimit = options.clockLimit;
    search.cancel = options.cancel;
    search.progress = options.progress;
    search.threadTime = options.threadTime;
    search.startSize = result.known.bestKnown;
    search.lowerBound = result.known.lowerBound;
    // One point more than a cover of v - 1 points: the blocks of that cover,
    // and that point with a cover of the v - 1 points by blocks of k - 1
    // for t - 1. Where the table says this reaches the best known size
    // (C(18,5,3) = C(17,5,3) + C(17,4,2)), the two smaller searches get
    // the first part of the time.
    const DesignProblem problem = designProblem(request);
    const double started = clockSeconds(options.threadTime);
    Budget budget(search);
    if (problem.t == problem.p && request.fixed.empty() && problem.points > 7 && result.known.bestKnown > 0) {
        const KnownSize smaller = knownCovering(problem.points - 1, problem.t);
        const long long tail = schonheimBound(problem.points - 1, 4, problem.t - 1);
        if (smaller.bestKnown > 0 && smaller.bestKnown + tail <= result.known.bestKnown) {
            SearchOptions part = search;
            // The parts report the time spent, not their own sizes.
            if (options.progress)
                part.progress = [&](const SearchProgress &p) {
                    options.progress({budget.spentWith(p.elapsed), options.seconds, 0, 0, p.uncovered});
                };
            part.seconds = options.seconds * 0.3;
            part.startSize = smaller.bestKnown;
            part.lowerBound = smaller.lowerBound;
            const SearchResult head = budget.counted(searchDesign({problem.points - 1, 5, problem.t, problem.t}, part));
            part.seconds = options.seconds * 0.1;
            part.startSize = 0;
            part.lowerBound = int(tail);
            const SearchResult rest = budget.counted(searchDesign({problem.points - 1, 4, problem.t - 1, problem.t - 1}, part));
            if (!head.cancelled && !rest.cancelled) {
                search.start = head.blocks;
                for (std::uint32_t block : rest.blocks)
                    search.start.push_back(block | (1u << (problem.points - 1)));
            }
            const double spent = budget.spent();
            search.seconds = std::max(0.0, options.seconds - spent);
            if (options.progress)
                search.progress = [&options, spent](const SearchProgress &p) {
                    options.progress({spent + p.elapsed, options.seconds, p.bestSize, p.workingSize, p.uncovered});
                };
        }
    }
    // The inversive plane of order 4 (C(17,5,3) = 68, a Steiner system)
    // starts the triple covers of 16, 19 and 20 points, where a greedy start
    // leaves the descent stalled above the sizes within reach.
    if (problem.t == 3 && problem.p == 3 && problem.blockSize == 5 && request.fixed.empty() && search.start.empty()
        && (problem.points == 16 || problem.points == 19 || problem.points == 20)) {
        const std::vector<std::uint32_t> circles = inversivePlane4();
        if (isValidDesign({17, 5, 3, 3}, circles)) {
            SearchOptions part = search;
            if (options.progress)
                part.progress = [&](const SearchProgress &p) {
                    options.progress({budget.spentWith(p.elapsed), options.seconds, 0, 0, p.uncovered});
                };
            // Two points more: the circles, and both new points in every
            // block of a cover of the 17 old points' pairs by triples. A
            // triple with one or both new points has a pair (or a point) of
            // old ones in such a block: 68 + 46 = 114 blocks.
            auto twoMore = [&](double seconds) {
                std::vector<std::uint32_t> blocks;
                part.seconds = seconds;
                part.startSize = 0;
                part.lowerBound = int(schonheimBound(17, 3, 2));
                part.start.clear();
                const SearchResult pairs = budget.counted(searchDesign({17, 3, 2, 2}, part));
                if (!pairs.cancelled) {
                    blocks = circles;
                    for (std::uint32_t block : pairs.blocks)
                        blocks.push_back(block | (1u << 17) | (1u << 18));
                }
                return blocks;
            };
            if (problem.points == 16) {
                // One point less: a triple of the others lies on one circle;
                // the circles through the lost point keep four points and
                // take any fifth.
                const std::uint32_t kept = (1u << 16) - 1;
                for (std::uint32_t circle : circles) {
                    std::uint32_t block = circle & kept;
                    if (std::popcount(block) < 5)
                        block |= 1u << std::countr_zero(~block);
                    search.start.push_back(block);
                }
            } else if (problem.points == 19) {
                search.start = twoMore(options.seconds * 0.03);
            } else {
                // Three points more: a cover of 19 points grown from the one
                // above, and the last point with a cover of the 19 points'
                // pairs by blocks of four (C(v-1,5,3) + C(v-1,4,2)).
                const std::vector<std::uint32_t> head = twoMore(options.seconds * 0.03);
                if (!head.empty()) {
                    part.seconds = options.seconds * 0.3;
                    part.startSize = knownCovering(19, 3).bestKnown;
                    part.lowerBound = knownCovering(19, 3).lowerBound;
                    part.start = head;
                    const SearchResult grown = budget.counted(searchDesign({19, 5, 3, 3}, part));
                    part.seconds = options.seconds * 0.1;
                    part.startSize = 0;
                    part.lowerBound = int(schonheimBound(19, 4, 2));
                    part.start.clear();
                    const SearchResult rest = budget.counted(searchDesign({19, 4, 2, 2}, part));
                    if (!grown.cancelled && !rest.cancelled) {
                        search.start = grown.blocks;
                        for (std::uint32_t block : rest.blocks)
                            search.start.push_back(block | (1u << 19));
                    }
                }
            }
            const double spent = budget.spent();
            search.seconds = std::max(0.0, options.seconds - spent);
            if (options.progress)
                search.progress = [&options, spent](const SearchProgress &p) {
                    options.progress({spent + p.elapsed, options.seconds, p.bestSize, p.workingSize, p.uncovered});
                };
        }
    }
    // Lotto designs on many subsets: a design that a cyclic group maps onto
    // itself (the pool in one cycle, or in one cycle less one or two fixed
    // points), searched over the base blocks of its orbits, where whether a
    // subset is met depends only on its orbit. Such a start is far smaller
    // than a greedy one, and the descent goes on from it.
    SearchResult found;
    bool searched = false;
    if (problem.t < problem.p && search.start.empty() && binomial(problem.points, problem.p) >= kInvariantFrom) {
        SearchOptions part = search;
        if (options.progress)
            part.progress = [&](const SearchProgress &p) {
                options.progress({budget.spentWith(p.elapsed), options.seconds, 0, 0, p.uncovered});
            };
        part.seconds = options.seconds * 0.1;
        std::vector<int> cycles;
        bool cancelled = false;
        for (int fixedPoints = 0; fixedPoints <= 2; ++fixedPoints) {
            const SearchResult invariant = budget.counted(searchInvariantDesign(problem, {problem.points - fixedPoints}, part));
            cancelled = invariant.cancelled;
            if (cancelled)
                break;
            if (!invariant.blocks.empty() && (search.start.empty() || invariant.blocks.size() < search.start.size())) {
                search.start = invariant.blocks;
                cycles = {problem.points - fixedPoints};
            }
            if (invariant.reachedBound)
                break;
        }
        // Some of these starts are rigid: the descent finds nothing smaller
        // from them however long it runs ("4 si 5" on 15 numbers: four seeds
        // in ten stayed at 105), while from most others it gains at once.
        // Others are only slow to give their first gain and the best in the
        // end ("4 si 5" on 14 numbers: 1.5 to 2.5 s). So a start that has
        // given nothing after 40 % of the time is given up for other designs
        // of the same group and size (the next seeds), each tried for 2 % of
        // the time in the same way, up to kStarts in all; the last runs to
        // the end. The smallest set found is kept.
        constexpr int kStarts = 5;
        const std::size_t startSize = search.start.size();
        std::vector<std::uint32_t> bestBlocks;
        bool lastStart = false;
        for (int attempt = 0; !cancelled && !search.start.empty(); ++attempt) {
            lastStart = lastStart || attempt + 1 == kStarts;
            const double spent = budget.spent();
            search.seconds = std::max(0.0, options.seconds - spent);
            search.abandonAfter = lastStart ? 0 : options.seconds * (attempt == 0 ? 0.4 : 0.02);
            if (options.progress)
                search.progress = [&options, spent](const SearchProgress &p) {
                    options.progress({spent + p.elapsed, options.seconds, p.bestSize, p.workingSize, p.uncovered});
                };
            found = budget.counted(searchDesign(problem, search));
            cancelled = found.cancelled;
            if (bestBlocks.empty() || found.blocks.size() < bestBlocks.size())
                bestBlocks = found.blocks;
            if (!found.abandoned)
                break;
            // Another start of the same size: the group's search stops as
            // soon as it has one. Without one the last start runs to the end.
            part.seed = search.seed + 0x9E3779B97F4A7C15ull * std::uint64_t(attempt + 1);
            part.lowerBound = int(startSize);
            part.seconds = options.seconds * 0.02;
            const SearchResult invariant = budget.counted(searchInvariantDesign(problem, cycles, part));
            cancelled = invariant.cancelled;
            if (!invariant.blocks.empty() && invariant.blocks.size() <= startSize)
                search.start = invariant.blocks;
            else
                lastStart = true;
        }
        searched = !bestBlocks.empty();
        found.blocks = bestBlocks;
        found.cancelled = cancelled;
    }
    if (!searched)
        found = budget.counted(searchDesign(problem, search));
    result.seconds = clockSeconds(options.threadTime) - started;
    result.cancelled = found.cancelled;

    std::vector<std::vector<int>> asNumbers;
    for (std::uint32_t block : found.blocks) {
        std::vector<int> bet = request.fixed;
        for (; block; block &= block - 1)
            bet.push_back(free[std::size_t(std::countr_zero(block))]);
        std::sort(bet.begin(), bet.end());
        asNumbers.push_back(bet);
    }
    std::sort(asNumbers.begin(), asNumbers.end());
    result.check = checkBets(request, asNumbers);
    if (!result.check.coverage.holds() || asNumbers.empty())
        return result; // never handed out
    for (const auto &bet : asNumbers) {
        Bet b {};
        std::copy_n(bet.begin(), 5, b.begin());
        result.bets.push_back(b);
    }
    return result;
}
