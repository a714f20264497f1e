#include "prizereport.h"

#include "cents.h"

namespace
{
    QString categoryName(int category)
    {
        return category == PrizeReport::kReintegro ? QStringLiteral("reintegro")
                                                   : QStringLiteral("categoría %1").arg(category);
    }
}

QString PrizeBounds::problem(const PrizeReport &report, std::int64_t betsReceived)
{
    if (!report.isFinal())
        return {};
    const bool pages = report.source == PrizeReport::Source::Pages;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const PrizeRow &row = report.row(category);
        const QString name = categoryName(category);
        const bool reintegro = category == PrizeReport::kReintegro;
        if (!(pages && reintegro)) {
            if (row.prizeCents < 0)
                return QStringLiteral("%1: falta el premio").arg(name);
            if (reintegro && (row.prizeCents < kMinBetPriceCents || row.prizeCents > kMaxBetPriceCents))
                return QStringLiteral("%1 de %2, fuera de %3 a %4 (el precio de la apuesta)")
                    .arg(name, formatEuros(row.prizeCents), formatEuros(kMinBetPriceCents), formatEuros(kMaxBetPriceCents));
            if (!reintegro && row.prizeCents > kMaxPrizeCents)
                return QStringLiteral("%1: premio de %2, por encima de %3")
                    .arg(name, formatEuros(row.prizeCents), formatEuros(kMaxPrizeCents));
        }
        if (pages && row.winners == PrizeRow::kUnknown)
            continue;
        if (row.winners < 0)
            return QStringLiteral("%1: faltan los acertantes").arg(name);
        if (betsReceived > 0 && row.winners > betsReceived)
            return QStringLiteral("%1: %2 acertantes, más que las %3 apuestas recibidas")
                .arg(name, Cents::formatCount(row.winners), Cents::formatCount(betsReceived));
    }
    return {};
}
