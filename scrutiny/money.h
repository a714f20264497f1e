#pragma once

#include "prizes.h"
#include "store/drawrecord.h"
#include "store/prizereport.h"
#include "store/syndicaterecord.h"

#include <QDate>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// What a syndicate stakes and wins, draw by draw, from the operator's prize
// reports. Money is whole cents in 64-bit integers, never floating point.
namespace Money
{
    // What one bet costs when the draw's report is not final.
    constexpr std::int64_t kDefaultBetPriceCents = 150;

    // Bets played in every draw: the bets of a simple syndicate, C(n, 5)
    // combinations of a multiple bet of n numbers; 0 for kind 0 or a damaged
    // record.
    std::int64_t betsPlayed(const SyndicateRecord &syndicate);

    // A final report whose amounts can be trusted: no negative figure; one
    // from the classic pages (eight amounts, no winners, no reintegro row)
    // counts when its eight amounts are there.
    bool isPriced(const PrizeReport &report);

    // The price of one bet in the draw: the reintegro of a priced report (the
    // operator returns exactly the stake), else 1,50 €.
    std::int64_t betPriceCents(const PrizeReport &report);

    // What one winning bet of the category (1-8, 9 the reintegro) is paid in
    // a priced report; the reintegro of a report without that row is the
    // bet's price. None when the report does not price the draw.
    std::optional<std::int64_t> prizeCents(const PrizeReport &report, int category);
    // prizeCents of every category at once (index category - 1).
    std::optional<std::array<std::int64_t, PrizeReport::kRows>> unitPrizes(const PrizeReport &report);
    // The report contradicts a prize of this category: it lists no winner
    // for it, or pays nothing for it.
    bool contradicts(const PrizeReport &report, int category);

    // betsPlayed times the bet price of the draw.
    std::int64_t stakeCents(const SyndicateRecord &syndicate, const PrizeReport &report);

    // In the report's order: index 0 is the 1ª categoría (5 + 1) ... index 7
    // the 8ª (2 + 0), index 8 the bets (combinations) that won the reintegro.
    using CategoryCounts = std::array<std::int64_t, PrizeReport::kRows>;

    // The syndicate's winning bets (combinations) in the draw, by category;
    // every bet wins the reintegro when the key matches, on top of any
    // category prize.
    CategoryCounts categoryCounts(const SyndicateRecord &syndicate, const DrawRecord &draw);

    struct DrawOutcome
    {
        QDate date;
        std::int64_t stakeCents = 0;
        // None while the report is not final: the winnings are unknown, not zero.
        std::optional<std::int64_t> wonCents;
        CategoryCounts categories {};
        // Categories won that the report contradicts (bit category - 1): their
        // prizes are not in wonCents, nor counted as nothing.
        std::uint16_t unconfirmed = 0;
        bool operator==(const DrawOutcome &) const = default;

        bool hasPrize() const;
        // The categories of `unconfirmed`, ascending.
        std::vector<int> unconfirmedCategories() const;
    };

    // One draw, whatever the syndicate's creation date.
    DrawOutcome drawOutcome(const SyndicateRecord &syndicate, const DrawRecord &draw, const PrizeReport &report);
    // The same from the draw's winning bets as Scrutiny::drawPrizes counts them.
    DrawOutcome drawOutcome(const SyndicateRecord &syndicate, const DrawRecord &draw, const PrizeReport &report,
                            const Scrutiny::DrawPrizes &prizes);

    // The report kept for a draw date (status Missing when there is none).
    using ReportLookup = std::function<PrizeReport(QDate)>;

    // Every draw the syndicate played (dated on or after its creation),
    // oldest first; draws given oldest first. Empty for a damaged record.
    std::vector<DrawOutcome> ledger(const SyndicateRecord &syndicate, std::span<const DrawRecord> draws,
                                    const ReportLookup &reports);
    // The same with each draw's report already looked up: reports[i] is the
    // report of draws[i] (missing ones Missing). For many syndicates at once.
    std::vector<DrawOutcome> ledgerWithReports(const SyndicateRecord &syndicate, std::span<const DrawRecord> draws,
                                               std::span<const PrizeReport> reports);
    // Each draw's report, in the order of the draws.
    std::vector<PrizeReport> reportsOf(std::span<const DrawRecord> draws, const ReportLookup &reports);

    struct Totals
    {
        int drawsPlayed = 0;
        int drawsPriced = 0; // draws whose report is final
        std::int64_t stakeCents = 0; // of every draw played
        std::int64_t wonCents = 0; // of the priced draws
        std::int64_t balanceCents = 0; // wonCents less stakeCents
        // Draws played without a final report, and what was staked in them;
        // while there are any (or unconfirmed prizes), the balance is provisional.
        int unpricedDraws = 0;
        std::int64_t unpricedStakeCents = 0;
        std::int64_t pricedBalanceCents = 0; // wonCents less the stake of the priced draws
        int unconfirmedPrizes = 0; // (draw, category) prizes the reports contradict
        bool operator==(const Totals &) const = default;

        bool provisional() const { return unpricedDraws > 0 || unconfirmedPrizes > 0; }
    };
    Totals totals(std::span<const DrawOutcome> ledger);
    // Two peñas' totals together (all of them, one by one), saturating as
    // every sum of money here does. The draws without report add up peña by
    // peña; totalsOfAll counts each draw once.
    Totals combined(const Totals &a, const Totals &b);
    // Every peña's ledger together; a draw that several peñas played
    // without a report counts once in unpricedDraws.
    Totals totalsOfAll(std::span<const std::vector<DrawOutcome>> ledgers);

    // a + b, saturating instead of wrapping on absurd amounts.
    std::int64_t addCents(std::int64_t a, std::int64_t b);
}
