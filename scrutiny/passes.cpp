#include "passes.h"

#include "breakdown.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace
{
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

    bool multipleSeen = false;
    for (int d = 0; d < range; ++d) {
        const DrawRecord &draw = pass.draws[pass.draws.size() - 1 - std::size_t(d)];
        const NumberSet drawn = drawnSet(draw);
        for (std::size_t k = 0; k < pass.syndicates.size(); ++k) {
            const SyndicateRecord &s = pass.syndicates[k];
            if (isDamaged(s))
                continue;
            if (s.isMultiple()) {
                multipleSeen = true;
                continue;
            }
            if (!(s.createdOn > draw.date) || pass.historico) {
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
                    if (hits.count >= 2)
                        won = true;
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

    for (int d = 0; d < range; ++d) {
        const DrawRecord &draw = pass.draws[pass.draws.size() - 1 - std::size_t(d)];
        const NumberSet drawn = drawnSet(draw);
        for (std::size_t k = 0; k < pass.syndicates.size(); ++k) {
            const SyndicateRecord &s = pass.syndicates[k];
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
                    showMultipleBreakdown(pass, list, int(k), hits.count, keyMatched);
                else if (pass.soloPremio)
                    list.removeLast(4);
            }
        }
    }
}

void Scrutiny::showMultipleBreakdown(Pass &pass, ResultList &list, int syndicate, int hits, bool keyMatched)
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

    const SyndicateRecord &s = pass.syndicates[std::size_t(syndicate)];
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
}
