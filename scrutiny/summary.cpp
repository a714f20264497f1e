#include "summary.h"

#include "passes.h"
#include "base/calendar.h"
#include "store/oledate.h"

namespace
{
    const QString kEmptyOverall = QStringLiteral("¡Nunca has acertado nada!");
    const QString kDash = QStringLiteral("-");

    std::int64_t totalPrizes(const SyndicateRecord &s)
    {
        std::int64_t total = 0;
        for (auto c : s.prizeCounts)
            total += c;
        return total;
    }

    int listHeight(int lines)
    {
        int twips = 225 * lines;
        if (lines > 8)
            twips -= 200;
        if (lines > 21)
            twips -= 200;
        return twips;
    }
}

QString Summary::percentText(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0)
        return QStringLiteral("0");
    // Tenths of a percent: numerator * 1000 / denominator, rounded half to even.
    bool negative = (numerator < 0) != (denominator < 0);
    const std::uint64_t num = std::uint64_t(numerator < 0 ? -numerator : numerator) * 1000u;
    const std::uint64_t den = std::uint64_t(denominator < 0 ? -denominator : denominator);
    std::uint64_t tenths = num / den;
    const std::uint64_t twiceRest = (num % den) * 2;
    if (twiceRest > den || (twiceRest == den && tenths % 2 == 1))
        ++tenths;
    if (tenths == 0)
        negative = false;
    QString text = (negative ? QStringLiteral("-") : QString()) + QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += QLatin1Char(',') + QString::number(tenths % 10);
    return text;
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
        if (item.damaged)
            item.bets = QStringLiteral("Dañada");
        else
            item.bets = QString::number(s.isMultiple() ? cuantos(s.kind + 6) : s.kind);
        item.createdOn = shortSpanishDate(OleDate::toDate(s.createdOn));
        item.drawDay = s.drawDay();
        list.items.push_back(item);
        if (!item.damaged)
            total += totalPrizes(s);
    }
    list.count = QString::number(records.size());

    if (records.empty()) {
        list.totalPrizes = QStringLiteral("0");
        list.overall = kEmptyOverall;
        list.overallDraws.clear();
        list.overallChart.withoutPrize = 1;
        return list;
    }

    const std::int64_t draws = drawsSinceFirstSyndicate;
    std::int64_t without = 0;
    QString percent;
    if (total < draws) {
        without = draws - total;
        percent = percentText(total, draws);
    } else {
        without = total == 0 ? 1 : 0;
        percent = total == 0 ? QStringLiteral("0") : QStringLiteral("100");
    }
    list.totalPrizes = QString::number(total);
    list.overall = percent + QStringLiteral("% de efectividad en premios");
    list.overallDraws = QStringLiteral("en ") + QString::number(draws) + QStringLiteral(" sorteos");
    list.overallChart.withoutPrize = without;
    list.overallChart.prizes = total;
    return list;
}

Summary::Details Summary::emptyDetails()
{
    Details details;
    details.prizes.fill(QStringLiteral("0"));
    details.drawsPlayed = kDash;
    details.effectiveness = kDash;
    return details;
}

QString Summary::betText(std::span<const std::int16_t> numbers)
{
    QString text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        if (i > 0)
            text += QLatin1Char('-');
        if (n <= 9)
            text += QLatin1Char(' ');
        text += QString::number(n);
    }
    return text;
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
    details.listHeightTwips = listHeight(lines);
    for (int j = 1; j < lines; ++j) {
        if (j == 1)
            details.lines << QStringLiteral("Número clave:  ") + QString::number(s.bets[0][std::size_t(numbers)]);
        details.lines << betText(std::span<const std::int16_t>(s.bets[std::size_t(j - 1)].data(), std::size_t(numbers)));
    }
    for (std::size_t c = 0; c < details.prizes.size(); ++c)
        details.prizes[c] = QString::number(s.prizeCounts[c]);

    const std::int64_t total = totalPrizes(s);
    details.drawsPlayed = QStringLiteral("0");
    std::int64_t without = 0;
    if (drawDates.empty()) {
        details.effectiveness = total != 0 ? QStringLiteral("100 %") : kDash;
    } else {
        std::int64_t played = 0;
        for (double date : drawDates) {
            if (date >= s.createdOn)
                ++played;
        }
        details.drawsPlayed = QString::number(played);
        details.effectiveness = (played > 0 ? percentText(total, played) : QStringLiteral("0")) + QStringLiteral(" %");
        without = std::max<std::int64_t>(played - total, 0);
    }
    details.chart.withoutPrize = without;
    details.chart.prizes = total;
    return details;
}
