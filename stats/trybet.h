#pragma once

#include "scrutiny/money.h"
#include "store/drawrecord.h"
#include "store/prizereport.h"
#include "store/syndicaterecord.h"

#include <QDate>
#include <QString>

#include <span>
#include <vector>

// "Comprobar combinación": what a bet would have won in every draw of a
// window. The bet is checked and priced as a peña of one bet played from
// the first draw on, so hits, categories, the breakdown of a multiple bet
// and the money follow the very rules the peñas do. No peña is touched.
namespace Stats
{
    constexpr int kMinBetNumbers = 5;
    constexpr int kMaxBetNumbers = 11;

    struct Bet
    {
        std::vector<int> numbers; // 5 (a simple bet) to 11 (the largest multiple)
        int key = 0;
    };

    // What keeps the bet from being played, in Spanish; empty when nothing does.
    QString betProblem(const Bet &bet);
    // The bet as a syndicate record: a simple bet of five numbers, or a
    // multiple bet of 6 to 11, the numbers in ascending order, key after them.
    SyndicateRecord asSyndicate(const Bet &bet);

    struct TriedDraw
    {
        DrawRecord draw;
        int hits = 0; // the bet's numbers among the drawn ones
        bool keyMatched = false;
        Money::DrawOutcome outcome; // stake, winnings (none while the report is not final), prizes by category
    };

    struct TryResult
    {
        int draws = 0;
        QDate from, to; // the window's oldest and newest draw; invalid with none
        // Prizes won over the window, in the report's order: index 0 the 1ª
        // categoría (5 + 1) ... index 7 the 8ª (2 + 0), index 8 the reintegro.
        Money::CategoryCounts categories {};
        // The stake of every draw; won and balance of the draws whose report
        // is final only.
        Money::Totals totals;
        int unpricedDraws() const { return totals.drawsPlayed - totals.drawsPriced; }
        // The draws that paid any prize, the reintegro included, oldest first.
        std::vector<TriedDraw> prized;
    };

    // draws oldest first, reports[i] the report of draws[i] (Missing when none).
    // Nothing for a bet betProblem refuses.
    TryResult tryBet(const Bet &bet, std::span<const DrawRecord> draws, std::span<const PrizeReport> reports);
}
