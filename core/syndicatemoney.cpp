#include "syndicatemoney.h"

#include "store/prizereportfile.h"
#include "storeddraws.h"
#include "syndicates.h"

#include <map>

SyndicateMoney::SyndicateMoney(const Syndicates &syndicates, const StoredDraws &draws, const PrizeReportFile &reports)
    : m_syndicates(syndicates)
    , m_draws(draws)
    , m_reports(reports)
{
}

namespace
{
    // The draws up to today, oldest first, each with its report looked up once.
    struct PricedHistory
    {
        std::vector<DrawRecord> draws;
        std::vector<PrizeReport> reports;
    };

    PricedHistory pricedHistory(const StoredDraws &stored, const PrizeReportFile &reports)
    {
        // A draw dated after today was never played: no stake, no prize.
        PricedHistory history {stored.listedUpToToday(), {}};
        history.reports = Money::reportsOf(history.draws, [&reports](QDate date) { return reports.report(date); });
        return history;
    }
}

std::vector<Money::DrawOutcome> SyndicateMoney::ledger(int record) const
{
    const std::vector<SyndicateRecord> &records = m_syndicates.records();
    if (record < 1 || record > int(records.size()))
        return {};
    const PricedHistory history = pricedHistory(m_draws, m_reports);
    return Money::ledgerWithReports(records[std::size_t(record - 1)], history.draws, history.reports);
}

Money::Totals SyndicateMoney::totals(int record) const
{
    if (record != 0)
        return Money::totals(ledger(record));
    return Money::totalsOfAll(ledgers());
}

std::vector<std::vector<Money::DrawOutcome>> SyndicateMoney::ledgers() const
{
    std::vector<std::vector<Money::DrawOutcome>> all;
    all.reserve(m_syndicates.records().size());
    forEachLedger([&all](int, const std::vector<Money::DrawOutcome> &ledger) { all.push_back(ledger); });
    return all;
}

void SyndicateMoney::forEachLedger(const std::function<void(int, const std::vector<Money::DrawOutcome> &)> &each) const
{
    const std::vector<SyndicateRecord> &records = m_syndicates.records();
    const PricedHistory history = pricedHistory(m_draws, m_reports);
    for (std::size_t s = 0; s < records.size(); ++s)
        each(int(s) + 1, Money::ledgerWithReports(records[s], history.draws, history.reports));
}

std::vector<std::pair<QDate, std::int64_t>> SyndicateMoney::balanceHistory(int record) const
{
    const std::vector<SyndicateRecord> &records = m_syndicates.records();
    const PricedHistory history = pricedHistory(m_draws, m_reports);
    std::map<QDate, std::int64_t> change;
    for (int r = 1; r <= int(records.size()); ++r) {
        if (record != 0 && r != record)
            continue;
        for (const Money::DrawOutcome &row :
             Money::ledgerWithReports(records[std::size_t(r - 1)], history.draws, history.reports)) {
            // Every draw played costs its stake; what it won counts once known.
            change[row.date] += row.wonCents.value_or(0) - row.stakeCents;
        }
    }
    std::vector<std::pair<QDate, std::int64_t>> points;
    std::int64_t balance = 0;
    for (const auto &[date, delta] : change) {
        balance += delta;
        points.emplace_back(date, balance);
    }
    return points;
}
