#include "syndicatewording.h"

#include "base/calendar.h"

namespace
{
    const QString kDash = QStringLiteral("-");

    QString tenthsText(std::int64_t tenths)
    {
        const bool negative = tenths < 0;
        const std::uint64_t size = negative ? std::uint64_t(0) - std::uint64_t(tenths) : std::uint64_t(tenths);
        QString text = (negative ? QStringLiteral("-") : QString()) + QString::number(size / 10);
        if (size % 10 != 0)
            text += QLatin1Char(',') + QString::number(size % 10);
        return text;
    }
}

QString Wording::percentText(std::int64_t numerator, std::int64_t denominator)
{
    return tenthsText(Summary::tenthsOfPercent(numerator, denominator));
}

double Wording::percentValue(Summary::Fraction fraction)
{
    // Exactly the number the text reads: the same rounding, then tenths.
    return double(Summary::tenthsOfPercent(fraction)) / 10.0;
}

QString Wording::betText(std::span<const std::int16_t> numbers)
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

QString Wording::listBetsText(const Summary::ListItem &item)
{
    return item.damaged ? QStringLiteral("Dañada") : QString::number(item.bets);
}

QString Wording::createdOnText(const Summary::ListItem &item)
{
    return shortSpanishDate(item.createdOn);
}

QStringList Wording::listItemTexts(const Summary::ListItem &item)
{
    return {item.name, listBetsText(item), createdOnText(item), item.drawDay};
}

QString Wording::totalPrizesText(const Summary::SyndicateList &list)
{
    return QString::number(list.totalPrizes);
}

QString Wording::overallText(const Summary::SyndicateList &list)
{
    if (!list.overall)
        return QStringLiteral("¡Nunca has acertado nada!");
    return percentText(list.overall->numerator, list.overall->denominator) + QStringLiteral("% de efectividad en premios");
}

QString Wording::overallDrawsText(const Summary::SyndicateList &list)
{
    if (!list.overall)
        return {};
    return QStringLiteral("en ") + QString::number(list.overallDraws) + QStringLiteral(" sorteos");
}

QStringList Wording::detailLines(const Summary::Details &details)
{
    QStringList lines;
    if (details.bets.empty())
        return lines;
    lines << QStringLiteral("Número clave:  ") + QString::number(details.key);
    for (const auto &bet : details.bets)
        lines << betText(bet);
    return lines;
}

QString Wording::prizeCountText(const Summary::Details &details, int category)
{
    if (category < 1 || category > int(details.prizeCounts.size()))
        return {};
    return QString::number(details.prizeCounts[std::size_t(category - 1)]);
}

QString Wording::drawsPlayedText(const Summary::Details &details)
{
    return details.drawsPlayed ? QString::number(*details.drawsPlayed) : kDash;
}

QString Wording::effectivenessText(const Summary::Details &details)
{
    if (!details.effectiveness)
        return kDash;
    return percentText(details.effectiveness->numerator, details.effectiveness->denominator) + QStringLiteral(" %");
}
