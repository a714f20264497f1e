#pragma once

#include "scrutiny/money.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <vector>

class Session;

// What the peñas won, draw by draw, as values: the "Premios" page of the
// manager tab and the box after a download that brought prizes (worded in
// wording/prizewording.h).
namespace PrizeList
{
    // A member's part of a draw's winnings (the running split the members'
    // table and the slips use); none while the draw is not priced.
    using MemberPart = std::optional<std::int64_t>;

    constexpr std::uint32_t kUnpriced = 0xFFFFFFFFu;

    // One peña's prizes in one draw.
    struct Line
    {
        int syndicate = 0; // record number
        Money::DrawOutcome outcome;
        // Into List::unitPrizes; kUnpriced while the draw is not priced.
        std::uint32_t prizes = kUnpriced;
        // The peña's members' parts: List::members from firstMember on, in
        // the order of List::memberNames; none for a peña without members
        // (it is its organiser's).
        std::uint32_t firstMember = 0;
        std::uint32_t memberCount = 0;
    };

    struct List
    {
        // Made peña by peña, oldest draw first; `order` puts them newest
        // draw first, peñas in record order within a draw.
        std::vector<Line> lines;
        std::vector<std::uint32_t> order;
        // What one winning bet of each category is paid, per priced draw.
        std::vector<std::array<std::int64_t, PrizeReport::kRows>> unitPrizes;
        // Every line's members' parts, one block per line.
        std::vector<MemberPart> members;
        // By record number - 1: the peña's name (trimmed), its members' names.
        std::vector<QString> names;
        std::vector<std::vector<QString>> memberNames;
        std::int64_t wonCents = 0; // of the priced lines
        int pendingLines = 0; // lines whose draw has no final report yet
        int unconfirmedPrizes = 0;

        std::span<const MemberPart> membersOf(const Line &line) const
        {
            return std::span(members).subspan(line.firstMember, line.memberCount);
        }
        std::size_t size() const { return order.size(); }
        // The i-th line, newest first.
        const Line &line(std::size_t i) const { return lines[order[i]]; }
        // What the category (1-9) brought the line: none while the draw is
        // not priced or when the report contradicts the prize.
        std::optional<std::int64_t> amount(const Line &line, int category) const;
        const QString &nameOf(const Line &line) const { return names[std::size_t(line.syndicate - 1)]; }
        const QString &memberName(const Line &line, std::size_t member) const
        {
            return memberNames[std::size_t(line.syndicate - 1)][member];
        }
    };

    // Every prize of every peña (or of record `syndicate` alone); with
    // dates, only those of these draws.
    List build(const Session &session, const std::set<QDate> *dates = nullptr, int syndicate = 0);
    // The same from ledgers already made (Session::ledgers(), by record).
    List build(const Session &session, const std::vector<std::vector<Money::DrawOutcome>> &ledgers,
               const std::set<QDate> *dates = nullptr);
}
