#pragma once

#include "store/syndicaterecord.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// What the syndicates tab shows: the list of syndicates, the overall
// effectiveness and the details of one syndicate, as counts, dates and
// fractions; wording/syndicatewording.h words them. Effectiveness is prizes
// per 100 draws played.
namespace Summary
{
    // prizes / draws, exact; the percentage is numerator * 100 / denominator.
    struct Fraction
    {
        std::int64_t numerator = 0;
        std::int64_t denominator = 1;
        bool operator==(const Fraction &) const = default;
    };

    // numerator * 1000 / denominator (tenths of a percent) rounded to a
    // whole number, a tie going to the even one; 0 with no denominator.
    // Exact integer arithmetic, so 6.25 % is a tie and gives 62.
    std::int64_t tenthsOfPercent(std::int64_t numerator, std::int64_t denominator);
    inline std::int64_t tenthsOfPercent(Fraction f) { return tenthsOfPercent(f.numerator, f.denominator); }

    // One row of an effectiveness chart.
    struct ChartRow
    {
        QString label = QStringLiteral(" ");
        std::int64_t withoutPrize = 0;
        std::int64_t prizes = 0;
        bool operator==(const ChartRow &) const = default;
    };

    struct ListItem
    {
        int record = 0;
        QString name;
        bool damaged = false;
        std::int64_t bets = 0; // bets played in each draw (Money::betsPlayed); 0 when damaged
        QDate createdOn;
        QString drawDay; // as stored: "Domingo"
    };

    struct SyndicateList
    {
        std::vector<ListItem> items; // none: the list shows "VACÍO"
        int count = 0; // records, damaged ones included
        std::int64_t totalPrizes = 0;
        // The draws held since the oldest syndicate was created.
        std::int64_t overallDraws = 0;
        // Prizes over those draws, at most 1 (100 %); with no syndicate
        // there is no figure.
        std::optional<Fraction> overall;
        ChartRow overallChart; // the overall chart
        std::vector<int> rewritten; // records whose draw day was corrected, from 1
    };

    // Builds the list from every record, in file order. A draw day of
    // "Sábado" becomes "Domingo" in the record, listed in `rewritten` for the
    // caller to write back. Damaged records are listed but add no prizes.
    SyndicateList loadSyndicateList(std::vector<SyndicateRecord> &records, int drawsSinceFirstSyndicate);

    struct Details
    {
        int record = 0; // 0: the empty list
        bool damaged = false; // a record that cannot be shown
        int key = 0; // the key number, with bets
        // The numbers of each bet shown: the syndicate's bets, or the one
        // bet of a multiple; none for the empty list or a damaged record.
        std::vector<std::vector<std::int16_t>> bets;
        std::array<std::int64_t, 8> prizeCounts {}; // categories 1 to 8
        // Draws held since the syndicate was created; none shown for the
        // empty list or a damaged record.
        std::optional<std::int64_t> drawsPlayed;
        // Prizes over draws played; none shown when there is no figure.
        std::optional<Fraction> effectiveness;
        ChartRow chart; // this peña's chart
    };

    // The details of one record; drawDates are the dates of every stored draw.
    Details showSyndicateDetails(int record, const SyndicateRecord &syndicate, std::span<const double> drawDates);
    // The details shown while the list holds no syndicate.
    Details emptyDetails();
}
