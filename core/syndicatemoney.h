#pragma once

#include "scrutiny/money.h"

#include <QDate>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class PrizeReportFile;
class StoredDraws;
class Syndicates;

// What the peñas stake and win: their records against the stored draws up to
// today, priced from the stored prize reports. Reads only.
class SyndicateMoney
{
public:
    SyndicateMoney(const Syndicates &syndicates, const StoredDraws &draws, const PrizeReportFile &reports);

    // Every draw a syndicate (record from 1) played, oldest first; empty for
    // a record that does not exist or is damaged.
    std::vector<Money::DrawOutcome> ledger(int record) const;
    // One syndicate's totals, or with record 0 those of every peña together.
    Money::Totals totals(int record) const;
    // Every syndicate's ledger, in record order, the draws looked up once.
    std::vector<std::vector<Money::DrawOutcome>> ledgers() const;
    // The same one at a time (record, ledger), none kept after its call.
    void forEachLedger(const std::function<void(int, const std::vector<Money::DrawOutcome> &)> &each) const;
    // The cumulative balance (won less staked) after each played draw of one
    // syndicate (record 0: every peña together), oldest first.
    std::vector<std::pair<QDate, std::int64_t>> balanceHistory(int record) const;

private:
    const Syndicates &m_syndicates;
    const StoredDraws &m_draws;
    const PrizeReportFile &m_reports;
};
