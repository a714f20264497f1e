#include "money.h"

#include "breakdown.h"
#include "categories.h"
#include "prizes.h"

#include <algorithm>
#include <bit>

#include <limits>

namespace
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

    // Amounts come from files and pages: a nonsense figure must saturate,
    // never wrap into a plausible one.
    std::int64_t times(std::int64_t count, std::int64_t cents)
    {
        std::int64_t result = 0;
        if (__builtin_mul_overflow(count, cents, &result))
            return (count < 0) != (cents < 0) ? std::numeric_limits<std::int64_t>::min() : kMax;
        return result;
    }

    std::int64_t plus(std::int64_t a, std::int64_t b)
    {
        std::int64_t result = 0;
        if (__builtin_add_overflow(a, b, &result))
            return b < 0 ? std::numeric_limits<std::int64_t>::min() : kMax;
        return result;
    }
}

std::int64_t Money::addCents(std::int64_t a, std::int64_t b)
{
    return plus(a, b);
}

std::int64_t Money::betsPlayed(const SyndicateRecord &syndicate)
{
    if (Scrutiny::isDamaged(syndicate))
        return 0;
    if (syndicate.isMultiple())
        return Breakdown::binomial(syndicate.numbersPerBet(), 5);
    return syndicate.kind;
}

bool Money::isPriced(const PrizeReport &report)
{
    if (!report.isFinal())
        return false;
    // The classic pages give the eight amounts only.
    const bool pages = report.source == PrizeReport::Source::Pages;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const PrizeRow &row = report.row(category);
        if (pages && category == PrizeReport::kReintegro)
            continue;
        if (row.prizeCents < 0 || (!pages && row.winners < 0))
            return false;
    }
    return true;
}

namespace
{
    // For a priced report: what one winning bet of the category is paid. The
    // classic pages give no reintegro row; it gives back the bet's price.
    std::int64_t pricedAmount(const PrizeReport &report, int category)
    {
        const std::int64_t amount = report.row(category).prizeCents;
        if (category == PrizeReport::kReintegro && report.source == PrizeReport::Source::Pages)
            return amount > 0 ? amount : Money::kDefaultBetPriceCents;
        return amount;
    }

    // For a priced report: it lists no winner, or pays nothing, for a prize won.
    bool deniedBy(const PrizeReport &report, int category, std::int64_t amount)
    {
        const bool winnersGiven = !(category == PrizeReport::kReintegro && report.source == PrizeReport::Source::Pages);
        return amount == 0 || (winnersGiven && report.row(category).winners == 0);
    }
}

std::optional<std::int64_t> Money::prizeCents(const PrizeReport &report, int category)
{
    if (category < 1 || category > PrizeReport::kRows || !isPriced(report))
        return std::nullopt;
    return pricedAmount(report, category);
}

std::optional<std::array<std::int64_t, PrizeReport::kRows>> Money::unitPrizes(const PrizeReport &report)
{
    if (!isPriced(report))
        return std::nullopt;
    std::array<std::int64_t, PrizeReport::kRows> prizes {};
    for (int category = 1; category <= PrizeReport::kRows; ++category)
        prizes[std::size_t(category - 1)] = pricedAmount(report, category);
    return prizes;
}

bool Money::contradicts(const PrizeReport &report, int category)
{
    const std::optional<std::int64_t> amount = prizeCents(report, category);
    return amount && deniedBy(report, category, *amount);
}

std::int64_t Money::betPriceCents(const PrizeReport &report)
{
    const std::int64_t reintegro = report.row(PrizeReport::kReintegro).prizeCents;
    return isPriced(report) && reintegro > 0 ? reintegro : kDefaultBetPriceCents;
}

std::int64_t Money::stakeCents(const SyndicateRecord &syndicate, const PrizeReport &report)
{
    return times(betsPlayed(syndicate), betPriceCents(report));
}

namespace
{
    Money::CategoryCounts countsOf(const SyndicateRecord &syndicate, const Scrutiny::DrawPrizes &prizes)
    {
        Money::CategoryCounts counts {};
        for (int code = 1; code <= PrizeCategory::kCount; ++code)
            counts[std::size_t(PrizeCategory::rank(code) - 1)] = prizes.byCode[std::size_t(code - 1)];
        if (prizes.keyMatched)
            counts[PrizeReport::kReintegro - 1] = Money::betsPlayed(syndicate);
        return counts;
    }
}

Money::CategoryCounts Money::categoryCounts(const SyndicateRecord &syndicate, const DrawRecord &draw)
{
    return countsOf(syndicate, Scrutiny::drawPrizes(syndicate, draw));
}

Money::DrawOutcome Money::drawOutcome(const SyndicateRecord &syndicate, const DrawRecord &draw, const PrizeReport &report)
{
    return drawOutcome(syndicate, draw, report, Scrutiny::drawPrizes(syndicate, draw));
}

Money::DrawOutcome Money::drawOutcome(const SyndicateRecord &syndicate, const DrawRecord &draw, const PrizeReport &report,
                                      const Scrutiny::DrawPrizes &prizes)
{
    DrawOutcome outcome;
    outcome.date = draw.qdate();
    // Every ledger row comes through here: the report is judged once.
    const bool priced = isPriced(report);
    const std::int64_t reintegro = report.row(PrizeReport::kReintegro).prizeCents;
    outcome.stakeCents = times(betsPlayed(syndicate), priced && reintegro > 0 ? reintegro : kDefaultBetPriceCents);
    outcome.categories = countsOf(syndicate, prizes);
    if (priced) {
        std::int64_t won = 0;
        for (int category = 1; category <= PrizeReport::kRows; ++category) {
            const std::int64_t count = outcome.categories[std::size_t(category - 1)];
            if (count == 0)
                continue;
            const std::int64_t amount = pricedAmount(report, category);
            // A prize the report denies is kept apart, never taken as nothing.
            if (deniedBy(report, category, amount))
                outcome.unconfirmed |= std::uint16_t(1u << (category - 1));
            else
                won = plus(won, times(count, amount));
        }
        outcome.wonCents = won;
    }
    return outcome;
}

std::vector<PrizeReport> Money::reportsOf(std::span<const DrawRecord> draws, const ReportLookup &reports)
{
    std::vector<PrizeReport> found(draws.size());
    if (!reports)
        return found;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const QDate date = draws[i].qdate();
        PrizeReport report = reports(date);
        // A report filed under another date is not this draw's.
        if (!report.date.isValid() || report.date == date)
            found[i] = report;
    }
    return found;
}

std::vector<Money::DrawOutcome> Money::ledger(const SyndicateRecord &syndicate, std::span<const DrawRecord> draws,
                                              const ReportLookup &reports)
{
    if (Scrutiny::isDamaged(syndicate))
        return {};
    std::size_t first = 0;
    while (first < draws.size() && !Scrutiny::plays(syndicate, draws[first].date))
        ++first;
    // Only the draws played are looked up (the file holds them oldest first).
    const auto played = draws.subspan(first);
    return ledgerWithReports(syndicate, played, reportsOf(played, reports));
}

std::vector<Money::DrawOutcome> Money::ledgerWithReports(const SyndicateRecord &syndicate,
                                                         std::span<const DrawRecord> draws,
                                                         std::span<const PrizeReport> reports)
{
    std::vector<DrawOutcome> rows;
    if (Scrutiny::isDamaged(syndicate))
        return rows;
    rows.reserve(draws.size());
    static const PrizeReport missing;
    const Scrutiny::BetSets sets(syndicate);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const DrawRecord &draw = draws[i];
        if (!Scrutiny::plays(syndicate, draw.date))
            continue;
        const PrizeReport &report = i < reports.size() ? reports[i] : missing;
        rows.push_back(drawOutcome(syndicate, draw, report, sets.prizes(draw)));
    }
    return rows;
}

bool Money::DrawOutcome::hasPrize() const
{
    return std::any_of(categories.begin(), categories.end(), [](std::int64_t n) { return n != 0; });
}

std::vector<int> Money::DrawOutcome::unconfirmedCategories() const
{
    std::vector<int> list;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        if (unconfirmed & (1u << (category - 1)))
            list.push_back(category);
    }
    return list;
}

namespace
{
    void balance(Money::Totals &totals)
    {
        totals.balanceCents = plus(totals.wonCents, -totals.stakeCents);
        totals.pricedBalanceCents = plus(totals.wonCents, -plus(totals.stakeCents, -totals.unpricedStakeCents));
    }
}

Money::Totals Money::totals(std::span<const DrawOutcome> ledger)
{
    Totals totals;
    for (const DrawOutcome &row : ledger) {
        ++totals.drawsPlayed;
        totals.stakeCents = plus(totals.stakeCents, row.stakeCents);
        if (row.wonCents) {
            ++totals.drawsPriced;
            totals.wonCents = plus(totals.wonCents, *row.wonCents);
        } else {
            ++totals.unpricedDraws;
            totals.unpricedStakeCents = plus(totals.unpricedStakeCents, row.stakeCents);
        }
        totals.unconfirmedPrizes += std::popcount(row.unconfirmed);
    }
    balance(totals);
    return totals;
}

Money::Totals Money::totalsOfAll(std::span<const std::vector<DrawOutcome>> ledgers)
{
    Totals all;
    std::vector<QDate> unpriced;
    for (const std::vector<DrawOutcome> &ledger : ledgers) {
        all = combined(all, totals(ledger));
        for (const DrawOutcome &row : ledger) {
            if (!row.wonCents)
                unpriced.push_back(row.date);
        }
    }
    std::sort(unpriced.begin(), unpriced.end());
    all.unpricedDraws = int(std::unique(unpriced.begin(), unpriced.end()) - unpriced.begin());
    return all;
}

Money::Totals Money::combined(const Totals &a, const Totals &b)
{
    Totals sum;
    sum.drawsPlayed = a.drawsPlayed + b.drawsPlayed;
    sum.drawsPriced = a.drawsPriced + b.drawsPriced;
    sum.stakeCents = plus(a.stakeCents, b.stakeCents);
    sum.wonCents = plus(a.wonCents, b.wonCents);
    sum.unpricedDraws = a.unpricedDraws + b.unpricedDraws;
    sum.unpricedStakeCents = plus(a.unpricedStakeCents, b.unpricedStakeCents);
    sum.unconfirmedPrizes = a.unconfirmedPrizes + b.unconfirmedPrizes;
    balance(sum);
    return sum;
}
