#include "participation.h"

#include "printsurface.h"
#include "sliplayout.h"

#include "base/calendar.h"
#include "store/cents.h"

namespace
{
    constexpr qreal kLeft = 20.0;
    constexpr qreal kTop = 20.0;
    constexpr qreal kWidth = 170.0;
    constexpr qreal kLine = 6.5; // 11 pt lines
    constexpr qreal kBetLine = 6.0; // the bets, a little closer
    constexpr qreal kTitleSize = 18.0;
    constexpr qreal kTextSize = 11.0;
    constexpr qreal kBetSize = 12.0;

    QString twoDigits(int number)
    {
        return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    }

    QString numbersText(const SyndicateRecord &syndicate, int bet)
    {
        QStringList numbers;
        for (std::int16_t n : syndicate.betNumbers(bet))
            numbers << twoDigits(n);
        return numbers.join(QStringLiteral("  "));
    }

    QString sharesText(int shares, int total)
    {
        return QStringLiteral("%1 %2 de %3").arg(shares).arg(shares == 1 ? QStringLiteral("participación") : QStringLiteral("participaciones")).arg(total);
    }

    // A member's name may have 40 characters: a long value gets a smaller
    // type so that it ends inside the 130 mm after its caption, even in
    // capitals as wide as "W".
    qreal valueSize(const QString &value)
    {
        constexpr int kFitsAtTextSize = 30;
        const qsizetype length = value.size();
        return length <= kFitsAtTextSize ? kTextSize : kTextSize * kFitsAtTextSize / qreal(length);
    }

    void page(PrintSurface &surface, const Shares::Participation &p)
    {
        qreal y = kTop;
        surface.setFont(SlipLayout::kFontFamily, kTitleSize, true);
        surface.drawText({kLeft, y}, QStringLiteral("PARTICIPACIÓN"));
        surface.setFont(SlipLayout::kFontFamily, kTextSize, false);
        surface.drawText({kLeft + 95, y + 2}, QStringLiteral("El Gordo de la Primitiva"));
        y += 12;
        surface.drawRect(QRectF(kLeft, y, kWidth, 0.1));
        y += 4;

        const auto line = [&](const QString &caption, const QString &value) {
            surface.setFont(SlipLayout::kFontFamily, kTextSize, false);
            surface.drawText({kLeft, y}, caption);
            surface.setFont(SlipLayout::kFontFamily, valueSize(value), true);
            surface.drawText({kLeft + 40, y}, value);
            y += kLine;
        };
        line(QStringLiteral("Peña:"), p.syndicateName);
        line(QStringLiteral("Socio:"), p.memberName);
        line(QStringLiteral("Participa con:"), sharesText(p.shares, p.totalShares));
        line(QStringLiteral("Sorteo del:"), longSpanishDate(p.drawDate));
        y += 3;

        surface.setFont(SlipLayout::kFontFamily, kTextSize, true);
        surface.drawText({kLeft, y}, QStringLiteral("Apuestas jugadas"));
        y += kLine + 1;
        surface.setFont(SlipLayout::kFontFamily, kBetSize, true);
        for (const ParticipationSheet::BetLine &bet : ParticipationSheet::betLines(p)) {
            // The numbers start at one x whatever the caption's width, so
            // that the columns of digits line up from bet to bet.
            surface.drawText({kLeft + 5, y}, bet.caption);
            if (!bet.numbers.isEmpty())
                surface.drawText({kLeft + (bet.wideCaption ? 72 : 32), y}, bet.numbers);
            y += kBetLine;
        }
        y += 5;

        line(QStringLiteral("Importe del sorteo:"),
             QStringLiteral("%1  (%2 × %3)").arg(formatEuros(p.stakeCents)).arg(p.betsPlayed).arg(formatEuros(p.betPriceCents)));
        line(QStringLiteral("Su parte:"), formatEuros(p.memberStakeCents));
        surface.setFont(SlipLayout::kFontFamily, 9.0, false);
        surface.drawText({kLeft, y + 1},
                         QStringLiteral("Los premios de la peña se reparten en proporción a las participaciones."));

        const qreal sign = y + 28;
        surface.drawRect(QRectF(kLeft + 95, sign, 75, 0.1));
        surface.setFont(SlipLayout::kFontFamily, kTextSize, false);
        surface.drawText({kLeft + 95, sign + 2}, QStringLiteral("Firma del organizador"));
    }
}

std::vector<ParticipationSheet::BetLine> ParticipationSheet::betLines(const Shares::Participation &p)
{
    const SyndicateRecord &syndicate = p.syndicate;
    std::vector<BetLine> lines;
    if (syndicate.isMultiple()) {
        lines.push_back({QStringLiteral("Apuesta múltiple de %1 números (%2 apuestas):").arg(syndicate.numbersPerBet()).arg(p.betsPlayed), {}, false});
        lines.push_back({numbersText(syndicate, 1), {}, false});
    } else {
        for (int bet = 1; bet <= syndicate.storedBets(); ++bet)
            lines.push_back({QStringLiteral("Apuesta %1:").arg(bet), numbersText(syndicate, bet), false});
    }
    lines.push_back({QStringLiteral("Número clave (reintegro):"), QString::number(syndicate.key()), true});
    return lines;
}

int ParticipationSheet::print(PrintSurface &surface, std::span<const Shares::Participation> participations)
{
    if (participations.empty())
        return 0;
    int pages = 0;
    for (const Shares::Participation &p : participations) {
        if (pages > 0)
            surface.newPage();
        page(surface, p);
        ++pages;
    }
    surface.end();
    return pages;
}
