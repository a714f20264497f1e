#include "summary.h"

#include "money.h"
#include "passes.h"
#include "store/oledate.h"

namespace
{
    std::int64_t totalPrizes(const SyndicateRecord &s)
    {
        std::int64_t total = 0;
        for (auto c : s.prizeCounts)
            total += c;
        return total;
    }
}

std::int64_t Summary::tenthsOfPercent(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0)
        return 0;
    // numerator * 1000 / denominator, rounded half to even.
    const bool negative = (numerator < 0) != (denominator < 0);
    const std::uint64_t num = std::uint64_t(numerator < 0 ? -numerator : numerator) * 1000u;
    const std::uint64_t den = std::uint64_t(denominator < 0 ? -denominator : denominator);
    std::uint64_t tenths = num / den;
    const std::uint64_t twiceRest = (num % den) * 2;
    if (twiceRest > den || (twiceRest == den && tenths % 2 == 1))
        ++tenths;
    return negative ? -std::int64_t(tenths) : std::int64_t(tenths);
}

Summary::SyndicateList Summary::loadSyndicateList(std::vector<SyndicateRecord> &records, int drawsSinceFirstSyndicate)
{
    SyndicateList list;
    std::int64_t total = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        SyndicateRecord &s = records[i];
        const int record = int(i) + 1;
        ListItem item;
        item.record = record;
        item.name = s.name();
        item.damaged = Scrutiny::isDamaged(s);
        if (!item.damaged && s.drawDay() == QStringLiteral("Sábado")) {
            s.setDrawDay(QStringLiteral("Domingo"));
            list.rewritten.push_back(record);
        }
        item.bets = Money::betsPlayed(s);
        item.createdOn = OleDate::toDate(s.createdOn);
        item.drawDay = s.drawDay();
        list.items.push_back(item);
        if (!item.damaged)
            total += totalPrizes(s);
    }
    list.count = int(records.size());
    list.totalPrizes = total;

    if (records.empty()) {
        list.overallChart.withoutPrize = 1;
        return list;
    }

    const std::int64_t draws = drawsSinceFirstSyndicate;
    list.overallDraws = draws;
    if (total < draws) {
        list.overall = Fraction {total, draws};
        list.overallChart.withoutPrize = draws - total;
    } else {
        // As many prizes as draws or more: 100 %, or 0 % with no draw at all.
        list.overall = Fraction {total == 0 ? 0 : 1, 1};
        list.overallChart.withoutPrize = total == 0 ? 1 : 0;
    }
    list.overallChart.prizes = total;
    return list;
}

Summary::Details Summary::emptyDetails()
{
    return {};
}

Summary::Details Summary::showSyndicateDetails(int record, const SyndicateRecord &s, std::span<const double> drawDates)
{
    Details details = emptyDetails();
    details.record = record;
    if (Scrutiny::isDamaged(s)) {
        details.damaged = true;
        return details;
    }

    const int numbers = s.isMultiple() ? s.numbersPerBet() : 5;
    const int lines = s.isMultiple() ? 2 : s.kind + 1;
    details.key = s.bets[0][std::size_t(numbers)];
    for (int j = 1; j < lines; ++j) {
        const auto &bet = s.bets[std::size_t(j - 1)];
        details.bets.emplace_back(bet.begin(), bet.begin() + numbers);
    }
    for (std::size_t c = 0; c < details.prizeCounts.size(); ++c)
        details.prizeCounts[c] = s.prizeCounts[c];

    const std::int64_t total = totalPrizes(s);
    details.drawsPlayed = 0;
    std::int64_t without = 0;
    if (drawDates.empty()) {
        if (total != 0)
            details.effectiveness = Fraction {1, 1};
    } else {
        std::int64_t played = 0;
        for (double date : drawDates) {
            if (date >= s.createdOn)
                ++played;
        }
        details.drawsPlayed = played;
        details.effectiveness = played > 0 ? Fraction {total, played} : Fraction {0, 1};
        without = std::max<std::int64_t>(played - total, 0);
    }
    details.chart.withoutPrize = without;
    details.chart.prizes = total;
    return details;
}
