#include "session.h"

// Counted from the draws held up to today, oldest first.
Stats::Figures Session::statistics(const Stats::Window &window) const
{
    return Stats::compute(m_draws.listedUpToToday(), window);
}

Stats::TryResult Session::tryBet(const Stats::Bet &bet, const Stats::Window &window) const
{
    const std::vector<DrawRecord> &held = m_draws.listedUpToToday();
    const Stats::Slice slice = Stats::select(held, window);
    const auto draws = std::span<const DrawRecord>(held).subspan(slice.first, slice.count);
    const std::vector<PrizeReport> reports = Money::reportsOf(draws, [this](QDate date) { return m_prizeReports.report(date); });
    return Stats::tryBet(bet, draws, reports);
}
