#pragma once

#include "scrutiny/money.h"

#include <QString>

// The texts of the peñas' money: the winnings of a draw, what a peña hit,
// why a balance is provisional; the amounts themselves are formatEuros
// (store/cents.h).
namespace Wording
{
    // What a draw's winnings read while its report is not final.
    QString noReportText(); // "sin informe"

    // Beside a provisional balance: "provisional: faltan 3 informes (18,00 €
    // jugados en ellos)", "provisional: 1 premio sin confirmar"; empty when
    // the balance is final.
    QString provisionalText(const Money::Totals &totals);
    // "1 premio sin confirmar", "2 premios sin confirmar".
    QString unconfirmedText(int prizes);
    // "premio sin confirmar"
    QString unconfirmedPrizeText();

    // The winnings of a draw in euros, or "sin informe"; with a category the
    // report contradicts, " + premio sin confirmar".
    QString wonText(const Money::DrawOutcome &outcome);
    // The hits of category 1 to 8, numbers then key: "5+1" with plus "+",
    // "5 + 1" with " + ".
    QString categoryHits(int category, QLatin1StringView plus);
    // A prize row's label in the statistics: "1ª (5 + 1)" for row 1 ... "8ª (2 + 0)", "Reintegro" for row 9.
    QString categoryLabel(int row);
    // "3ª (4+1)", "reintegro"
    QString categoryShortName(int category);
    // What the peña hit, in words: "1 × 3ª (4+1), 4 reintegros"; empty
    // without a prize.
    QString hitsText(const Money::DrawOutcome &outcome);
}
