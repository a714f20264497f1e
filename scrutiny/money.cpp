#include "money.h"

#include "breakdown.h"
#include "categories.h"
#include "prizes.h"

#include <QLocale>

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

QString Money::noReportText()
{
    return QStringLiteral("sin informe");
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
    for (const PrizeRow &row : report.rows) {
        if (row.prizeCents < 0 || row.winners < 0)
            return false;
    }
    return true;
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
    outcome.stakeCents = stakeCents(syndicate, report);
    outcome.categories = countsOf(syndicate, prizes);
    if (isPriced(report)) {
        std::int64_t won = 0;
        for (int row = 1; row <= PrizeReport::kRows; ++row)
            won = plus(won, times(outcome.categories[std::size_t(row - 1)], report.row(row).prizeCents));
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

Money::Totals Money::totals(std::span<const DrawOutcome> ledger)
{
    Totals totals;
    std::int64_t pricedStake = 0;
    for (const DrawOutcome &row : ledger) {
        ++totals.drawsPlayed;
        totals.stakeCents = plus(totals.stakeCents, row.stakeCents);
        if (row.wonCents) {
            ++totals.drawsPriced;
            totals.wonCents = plus(totals.wonCents, *row.wonCents);
            pricedStake = plus(pricedStake, row.stakeCents);
        }
    }
    totals.balanceCents = plus(totals.wonCents, -pricedStake);
    return totals;
}

QString Money::formatEuros(std::int64_t cents)
{
    // QLocale's Spanish data leaves four-digit amounts ungrouped ("1234");
    // the amounts are grouped by three here with the locale's own signs.
    static const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const bool negative = cents < 0;
    // Through unsigned arithmetic, so the most negative amount has a magnitude.
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(cents) : std::uint64_t(cents);
    const QString whole = QString::number(magnitude / 100);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += spanish.groupSeparator();
        grouped += whole[i];
    }
    const int fraction = int(magnitude % 100);
    return (negative ? spanish.negativeSign() : QString()) + grouped + spanish.decimalPoint()
        + QString::number(fraction).rightJustified(2, QLatin1Char('0')) + QStringLiteral(" €");
}

QString Money::wonText(const DrawOutcome &outcome)
{
    return outcome.wonCents ? formatEuros(*outcome.wonCents) : noReportText();
}

Money::Totals Money::combined(const Totals &a, const Totals &b)
{
    Totals sum;
    sum.drawsPlayed = a.drawsPlayed + b.drawsPlayed;
    sum.drawsPriced = a.drawsPriced + b.drawsPriced;
    sum.stakeCents = plus(a.stakeCents, b.stakeCents);
    sum.wonCents = plus(a.wonCents, b.wonCents);
    sum.balanceCents = plus(a.balanceCents, b.balanceCents);
    return sum;
}
