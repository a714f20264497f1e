#pragma once

#include "scrutiny/money.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

class Session;

// What the peñas won, draw by draw: the "Premios" page of the manager tab
// and the box after a download that brought prizes.
namespace PrizeList
{
    struct MemberPart
    {
        QString name;
        // The member's part of the draw's winnings (the running split the
        // members' table and the slips use); none while the draw is not priced.
        std::optional<std::int64_t> wonCents;
    };

    // One peña's prizes in one draw.
    struct Line
    {
        int syndicate = 0; // record number
        QString name;      // the peña's name, trimmed
        Money::DrawOutcome outcome;
        // What each category (index category - 1) brought; none while the
        // draw is not priced or when the report contradicts the prize.
        std::array<std::optional<std::int64_t>, PrizeReport::kRows> amounts {};
        // Empty for a peña without members (it is its organiser's).
        std::vector<MemberPart> members;
    };

    struct List
    {
        // Newest draw first; peñas in record order within a draw.
        std::vector<Line> lines;
        std::int64_t wonCents = 0; // of the priced lines
        int pendingLines = 0;      // lines whose draw has no final report yet
        int unconfirmedPrizes = 0;
    };

    // Every prize of every peña; with dates, only those of these draws.
    List build(const Session &session, const std::set<QDate> *dates = nullptr);
    // The same from ledgers already made (Session::ledgers()).
    List build(const Session &session, const std::vector<std::vector<Money::DrawOutcome>> &ledgers,
               const std::set<QDate> *dates = nullptr);

    // "3,00 € (8ª) + 6,00 € de reintegro": each category's euros, or why
    // they are not known.
    QString amountsText(const Line &line);
    // The box after a download: a line per draw and peña ("06/12/2026  LOS
    // DEL BAR: 3,00 € (8ª) + 6,00 € de reintegro") and the total; empty
    // without prizes.
    QString boxText(const List &list);
    QString boxTitle(); // "Premios"
}
