#include "passes.h"

#include "breakdown.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace
{
    using NumberSet = std::uint64_t;

    NumberSet drawnSet(const DrawRecord &draw)
    {
        NumberSet set = 0;
        for (auto n : draw.numbers) {
            if (n >= 0 && n < 64)
                set |= NumberSet(1) << n;
        }
        return set;
    }

    bool isDrawn(NumberSet set, int number)
    {
        return number >= 0 && number < 64 && ((set >> number) & 1) != 0;
    }

    // Drawn numbers among the first `numbers` slots of a bet, as a count and
    // as a mask over the slots.
    struct Hits
    {
        int count = 0;
        std::uint16_t mask = 0;
    };

    Hits checkBet(const std::array<std::int16_t, SyndicateRecord::kSlots> &bet, int numbers, NumberSet drawn)
    {
        Hits hits;
        for (int i = 0; i < numbers; ++i) {
            if (isDrawn(drawn, bet[std::size_t(i)])) {
                ++hits.count;
                hits.mask |= std::uint16_t(1u << i);
            }
        }
        return hits;
    }

    int rangeOf(const Scrutiny::Pass &pass, int drawCount)
    {
        const int stored = int(std::min<std::size_t>(pass.draws.size(), std::numeric_limits<std::uint16_t>::max()));
        return stored == 0 ? 0 : std::clamp(drawCount, 1, stored);
    }

    void prepareList(const Scrutiny::Pass &pass, int range, ResultList &list)
    {
        list.clear();
        list.setSyndicates(pass.syndicates);
        std::vector<double> dates;
        dates.reserve(std::size_t(range));
        for (int i = 0; i < range; ++i)
            dates.push_back(pass.draws[pass.draws.size() - 1 - std::size_t(i)].date);
        list.setDrawDates(std::move(dates));
    }

    void appendHeader(ResultList &list, int syndicate, int draw)
    {
        list.append({});
        ResultRow name;
        name.kind = RowKind::Name;
        name.syndicate = std::uint16_t(syndicate);
        list.append(name);
        ResultRow date;
        date.kind = RowKind::Date;
        date.draw = std::uint16_t(draw);
        list.append(date);
    }
}

bool Scrutiny::isDamaged(const SyndicateRecord &syndicate)
{
    const int kind = syndicate.kind;
    return !(kind == 0 || (kind >= 1 && kind <= 24) || (kind >= 101 && kind <= 106));
}

bool Scrutiny::isCounted(double drawDate, const SyndicateRecord &syndicate)
{
    return drawDate > syndicate.lastCountedDate && drawDate >= syndicate.createdOn;
}

void Scrutiny::addPrizes(SyndicateRecord &syndicate, int categoryCode, int prizes)
{
    if (categoryCode < 1 || categoryCode > PrizeCategory::kCount || prizes <= 0)
        return;
    auto &counter = syndicate.prizeCounts[std::size_t(categoryCode - 1)];
    counter = std::int16_t(std::min<int>(int(counter) + prizes, std::numeric_limits<std::int16_t>::max()));
}

bool Scrutiny::scrutinizeSimpleSyndicates(Pass &pass, int drawCount, ResultList &list)
{
    const int range = rangeOf(pass, drawCount);
    prepareList(pass, range, list);
    if (range == 0)
        return false;

    if (!pass.soloPremio) {
        // Every row is kept: reserve them all at once rather than regrow a
        // list of a million rows.
        qsizetype perDraw = 0;
        for (const SyndicateRecord &s : pass.syndicates) {
            if (!isDamaged(s) && !s.isMultiple())
                perDraw += 3 + s.kind;
        }
        list.reserve(perDraw * range);
    }

    const double newest = pass.draws.back().date;
    bool multipleSeen = false;
    for (int d = 0; d < range; ++d) {
        const DrawRecord &draw = pass.draws[pass.draws.size() - 1 - std::size_t(d)];
        const NumberSet drawn = drawnSet(draw);
        const bool oldestOfRange = d == range - 1;
        for (std::size_t k = 0; k < pass.syndicates.size(); ++k) {
            SyndicateRecord &s = pass.syndicates[k];
            if (isDamaged(s))
                continue;
            if (s.isMultiple()) {
                multipleSeen = true;
                continue;
            }
            if (!(s.createdOn > draw.date) || pass.historico) {
                const bool counted = isCounted(draw.date, s);
                appendHeader(list, int(k), d);
                const bool keyMatched = s.bets[0][5] == draw.clave;
                bool won = false;
                int previousHits = 0;
                for (int j = 0; j < s.kind; ++j) {
                    if (pass.soloPremio && j > 0 && previousHits < 2)
                        list.removeLast();
                    const Hits hits = checkBet(s.bets[std::size_t(j)], 5, drawn);
                    ResultRow row;
                    row.kind = RowKind::Bet;
                    row.bet = std::uint8_t(j);
                    row.hits = std::uint8_t(hits.count);
                    row.hitMask = hits.mask;
                    row.keyMatched = keyMatched;
                    row.syndicate = std::uint16_t(k);
                    list.append(row);
                    if (hits.count >= 2) {
                        won = true;
                        if (counted)
                            addPrizes(s, PrizeCategory::code(hits.count, keyMatched), 1);
                    }
                    if (pass.soloPremio && j == s.kind - 1) {
                        if (hits.count < 2)
                            list.removeLast();
                        if (!won)
                            list.removeLast(3);
                    }
                    previousHits = hits.count;
                }
                if (won && pass.notice.storedDraws && !pass.notice.running) {
                    pass.notice.prizeBlink = 1;
                    pass.notice.running = true;
                }
            }
            if (oldestOfRange && s.lastCountedDate != newest)
                s.lastCountedDate = newest;
        }
    }
    return multipleSeen;
}

void Scrutiny::scrutinizeMultipleSyndicates(Pass &pass, int drawCount, ResultList &list)
{
    const int range = rangeOf(pass, drawCount);
    prepareList(pass, range, list);
    if (range == 0)
        return;

    const double newest = pass.draws.back().date;
    for (int d = 0; d < range; ++d) {
        const DrawRecord &draw = pass.draws[pass.draws.size() - 1 - std::size_t(d)];
        const NumberSet drawn = drawnSet(draw);
        const bool oldestOfRange = d == range - 1;
        for (std::size_t k = 0; k < pass.syndicates.size(); ++k) {
            SyndicateRecord &s = pass.syndicates[k];
            if (isDamaged(s))
                continue;
            if (s.isMultiple() && (!(s.createdOn > draw.date) || pass.historico)) {
                appendHeader(list, int(k), d);
                const int numbers = s.numbersPerBet();
                const Hits hits = checkBet(s.bets[0], numbers, drawn);
                const bool keyMatched = s.key() == draw.clave;
                ResultRow row;
                row.kind = RowKind::Bet;
                row.hits = std::uint8_t(hits.count);
                row.hitMask = hits.mask;
                row.keyMatched = keyMatched;
                row.syndicate = std::uint16_t(k);
                list.append(row);
                if (hits.count >= 2)
                    showMultipleBreakdown(pass, list, int(k), draw, hits.count, keyMatched);
                else if (pass.soloPremio)
                    list.removeLast(4);
            }
            if (oldestOfRange && s.lastCountedDate != newest)
                s.lastCountedDate = newest;
        }
    }
}

void Scrutiny::showMultipleBreakdown(Pass &pass, ResultList &list, int syndicate, const DrawRecord &draw, int hits,
                                     bool keyMatched)
{
    PrizeNotice &notice = pass.notice;
    if (notice.storedDraws) {
        if (notice.prizeBlink == 0) {
            notice.running = true;
            notice.prizeBlink = 2;
        } else {
            notice.prizeBlink = notice.prizeBlink == 1 || notice.prizeBlink == 3 ? 3 : 2;
        }
    }

    SyndicateRecord &s = pass.syndicates[std::size_t(syndicate)];
    const auto lines = Breakdown::lines(s.numbersPerBet(), hits);
    if (lines.empty())
        return;
    ResultRow &betRow = list.last();
    betRow.lineHits = std::uint8_t(lines.front().hits);
    betRow.count = std::uint16_t(lines.front().count);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ResultRow row;
        row.kind = RowKind::Breakdown;
        row.hits = std::uint8_t(lines[i].hits);
        row.count = std::uint16_t(lines[i].count);
        row.keyMatched = keyMatched;
        row.syndicate = std::uint16_t(syndicate);
        list.append(row);
    }
    if (isCounted(draw.date, s)) {
        for (const Breakdown::Line &line : lines)
            addPrizes(s, PrizeCategory::code(line.hits, keyMatched), line.count);
    }
}
