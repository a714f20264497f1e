#pragma once

#include "scrutiny/summary.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>

// The texts of the peñas: the list, the overall effectiveness and
// the details of one syndicate, as the window shows them and
// `quorvale-cli syndicates` prints them.
namespace Wording
{
    // numerator * 100 / denominator rounded to one decimal, a tie going to
    // the even digit, with a decimal comma and no ",0": "12,5", "0", "100".
    QString percentText(std::int64_t numerator, std::int64_t denominator);
    // The same percentage as a number, for scripts: 12.5.
    double percentValue(Summary::Fraction fraction);

    // " 3-12-25- 7-48": blank before a one-digit number.
    QString betText(std::span<const std::int16_t> numbers);

    // The list's columns: bets played ("Dañada" for a damaged record),
    // creation date "01/03/2026".
    QString listBetsText(const Summary::ListItem &item);
    QString createdOnText(const Summary::ListItem &item);
    // Name, bets, creation date, draw day.
    QStringList listItemTexts(const Summary::ListItem &item);

    QString totalPrizesText(const Summary::SyndicateList &list);
    // "7,5% de efectividad en premios", or "¡Nunca has acertado nada!"
    QString overallText(const Summary::SyndicateList &list);
    // "en 40 sorteos"; empty with no syndicate.
    QString overallDrawsText(const Summary::SyndicateList &list);

    // The key number line, then one line per bet.
    QStringList detailLines(const Summary::Details &details);
    QString prizeCountText(const Summary::Details &details, int category); // 1 to 8
    // "8", or "-" with no figure.
    QString drawsPlayedText(const Summary::Details &details);
    // "37,5 %", or "-" with no figure.
    QString effectivenessText(const Summary::Details &details);
}
