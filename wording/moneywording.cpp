#include "moneywording.h"

#include "store/cents.h"

#include <QStringList>

QString Wording::noReportText()
{
    return QStringLiteral("sin informe");
}

QString Wording::unconfirmedPrizeText()
{
    return QStringLiteral("premio sin confirmar");
}

QString Wording::unconfirmedText(int prizes)
{
    return prizes == 1 ? QStringLiteral("1 premio sin confirmar") : QStringLiteral("%1 premios sin confirmar").arg(prizes);
}

QString Wording::provisionalText(const Money::Totals &totals)
{
    if (!totals.provisional())
        return {};
    QStringList why;
    if (totals.unpricedDraws == 1)
        why << QStringLiteral("falta 1 informe (%1 jugados en él)").arg(formatEuros(totals.unpricedStakeCents));
    else if (totals.unpricedDraws > 1)
        why << QStringLiteral("faltan %1 informes (%2 jugados en ellos)").arg(totals.unpricedDraws).arg(formatEuros(totals.unpricedStakeCents));
    if (totals.unconfirmedPrizes > 0)
        why << unconfirmedText(totals.unconfirmedPrizes);
    return QStringLiteral("provisional: ") + why.join(QStringLiteral(", "));
}

QString Wording::categoryHits(int category, QLatin1StringView plus)
{
    // Category c is code 9 - c: 5 + 1 for category 1, 2 + 0 for category 8.
    const int code = PrizeReport::kReintegro - category;
    return QString::number((code - 1) / 2 + 2) + plus + QString::number(code % 2 == 0 ? 1 : 0);
}

QString Wording::categoryLabel(int row)
{
    if (row == PrizeReport::kReintegro)
        return QStringLiteral("Reintegro");
    return QStringLiteral("%1ª (%2)").arg(row).arg(categoryHits(row, QLatin1StringView(" + ")));
}

QString Wording::categoryShortName(int category)
{
    if (category == PrizeReport::kReintegro)
        return QStringLiteral("reintegro");
    if (category < 1 || category > 8)
        return {};
    return QStringLiteral("%1ª (%2)").arg(category).arg(categoryHits(category, QLatin1StringView("+")));
}

QString Wording::hitsText(const Money::DrawOutcome &outcome)
{
    QStringList parts;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const std::int64_t count = outcome.categories[std::size_t(category - 1)];
        if (count == 0)
            continue;
        QString part = category == PrizeReport::kReintegro
            ? (count == 1 ? QStringLiteral("1 reintegro") : QStringLiteral("%1 reintegros").arg(count))
            : QStringLiteral("%1 × %2").arg(count).arg(categoryShortName(category));
        if (outcome.unconfirmed & (1u << (category - 1)))
            part += QStringLiteral(" (sin confirmar)");
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

QString Wording::wonText(const Money::DrawOutcome &outcome)
{
    if (!outcome.wonCents)
        return noReportText();
    const QString won = formatEuros(*outcome.wonCents);
    return outcome.unconfirmed ? won + QStringLiteral(" + ") + unconfirmedPrizeText() : won;
}
