#include "session.h"

#include "base/clock.h"

namespace
{
    // The draws held up to today, oldest first.
    std::vector<DrawRecord> heldDraws(const DrawList &list, QDate today)
    {
        std::vector<DrawRecord> draws;
        draws.reserve(list.draws.size());
        for (auto it = list.draws.rbegin(); it != list.draws.rend(); ++it) {
            if (it->qdate() <= today)
                draws.push_back(*it);
        }
        return draws;
    }
}

Stats::Figures Session::statistics(const Stats::Window &window) const
{
    return Stats::compute(heldDraws(m_drawList, m_clock.today()), window);
}

Stats::TryResult Session::tryBet(const Stats::Bet &bet, const Stats::Window &window) const
{
    const std::vector<DrawRecord> held = heldDraws(m_drawList, m_clock.today());
    const Stats::Slice slice = Stats::select(held, window);
    const auto draws = std::span<const DrawRecord>(held).subspan(slice.first, slice.count);
    const std::vector<PrizeReport> reports =
        Money::reportsOf(draws, [this](QDate date) { return m_prizeReports.report(date); });
    return Stats::tryBet(bet, draws, reports);
}
