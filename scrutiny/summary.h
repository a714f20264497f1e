#pragma once

#include "store/syndicaterecord.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// What the syndicates tab shows: the list of syndicates, the overall
// effectiveness and the details of one syndicate. Effectiveness is prizes
// per 100 draws played.
namespace Summary
{
    // numerator * 100 / denominator rounded to one decimal, a tie going to
    // the even digit, with a decimal comma and no ",0": "12,5", "0", "100".
    // Exact integer arithmetic, so 6.25 is a tie and gives "6,2".
    QString percentText(std::int64_t numerator, std::int64_t denominator);

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
        QString name;      // item text
        QString bets;      // sub-item 1: bets played ("Dañada" for a damaged record)
        QString createdOn; // sub-item 2
        QString drawDay;   // sub-item 3
        bool damaged = false;
    };

    struct SyndicateList
    {
        std::vector<ListItem> items; // none: the list shows "VACÍO"
        QString count;               // Label9 element 2
        QString totalPrizes;         // Label13
        QString overall;             // Text4
        QString overallDraws;        // Text5
        ChartRow overallChart;       // MSChart2
        std::vector<int> rewritten;  // records whose draw day was corrected, from 1
    };

    // Builds the list from every record, in file order. A draw day of
    // "Sábado" becomes "Domingo" in the record, listed in `rewritten` for the
    // caller to write back. Damaged records are listed but add no prizes.
    SyndicateList loadSyndicateList(std::vector<SyndicateRecord> &records, int drawsSinceFirstSyndicate);

    struct Details
    {
        int record = 0;                 // 0: the empty list
        bool damaged = false;           // a record that cannot be shown
        QStringList lines;              // List1: key number line, then one line per bet
        int listHeightTwips = 0;        // List1's height
        std::array<QString, 8> prizes;  // Label3 elements 0 to 7: codes 1 to 8
        QString drawsPlayed;            // Label17
        QString effectiveness;          // Label16
        ChartRow chart;                 // MSChart3
    };

    // The details of one record; drawDates are the dates of every stored draw.
    Details showSyndicateDetails(int record, const SyndicateRecord &syndicate, std::span<const double> drawDates);
    // The details shown while the list holds no syndicate.
    Details emptyDetails();

    // " 3-12-25- 7-48": blank before a one-digit number.
    QString betText(std::span<const std::int16_t> numbers);
}
