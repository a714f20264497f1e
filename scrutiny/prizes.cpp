#include "prizes.h"

#include "breakdown.h"

#include <algorithm>
#include <bit>
#include <limits>

bool Scrutiny::isDamaged(const SyndicateRecord &syndicate)
{
    const int kind = syndicate.kind;
    return !(kind == 0 || (kind >= 1 && kind <= 24) || (kind >= 101 && kind <= 106));
}

void Scrutiny::addPrizes(SyndicateRecord &syndicate, int categoryCode, int prizes)
{
    if (categoryCode < 1 || categoryCode > PrizeCategory::kCount || prizes <= 0)
        return;
    auto &counter = syndicate.prizeCounts[std::size_t(categoryCode - 1)];
    counter = std::int16_t(std::min<int>(int(counter) + prizes, std::numeric_limits<std::int16_t>::max()));
}

Scrutiny::NumberSet Scrutiny::drawnSet(const DrawRecord &draw)
{
    NumberSet set = 0;
    for (auto n : draw.numbers) {
        if (n >= 0 && n < 64)
            set |= NumberSet(1) << n;
    }
    return set;
}

Scrutiny::Hits Scrutiny::checkBet(const std::array<std::int16_t, SyndicateRecord::kSlots> &bet, int numbers,
                                  NumberSet drawn)
{
    Hits hits;
    for (int i = 0; i < numbers; ++i) {
        const int n = bet[std::size_t(i)];
        if (n >= 0 && n < 64 && ((drawn >> n) & 1) != 0) {
            ++hits.count;
            hits.mask |= std::uint16_t(1u << i);
        }
    }
    return hits;
}

bool Scrutiny::plays(const SyndicateRecord &syndicate, double drawDate)
{
    return drawDate >= syndicate.createdOn;
}

Scrutiny::BetSets::BetSets(const SyndicateRecord &syndicate)
    : m_syndicate(syndicate)
{
    if (isDamaged(syndicate) || syndicate.kind == 0)
        return;
    m_bets = syndicate.storedBets();
    m_numbers = syndicate.numbersPerBet();
    m_key = syndicate.key();
    for (int b = 0; b < m_bets; ++b) {
        NumberSet set = 0;
        int usable = 0;
        for (int i = 0; i < m_numbers; ++i) {
            const int n = syndicate.bets[std::size_t(b)][std::size_t(i)];
            if (n >= 0 && n < 64) {
                set |= NumberSet(1) << n;
                ++usable;
            }
        }
        m_sets[std::size_t(b)] = set;
        if (std::popcount(set) != usable)
            m_slotBySlot |= 1u << b;
    }
}

inline int Scrutiny::BetSets::hits(int bet, const Drawn &drawn) const
{
    if ((m_slotBySlot >> bet) & 1)
        return checkBet(m_syndicate.bets[std::size_t(bet)], m_numbers, drawn.set).count;
    // The bits the bet shares with the draw, read at the few drawn numbers:
    // a population count is a library call on the baseline processor.
    const NumberSet set = m_sets[std::size_t(bet)];
    int hits = 0;
    for (int i = 0; i < drawn.count; ++i)
        hits += int((set >> drawn.numbers[std::size_t(i)]) & 1);
    return hits;
}

Scrutiny::DrawPrizes Scrutiny::BetSets::prizes(const DrawRecord &draw) const
{
    DrawPrizes prizes;
    if (m_bets == 0)
        return prizes;
    // drawnSet(), keeping the distinct numbers as they are met.
    Drawn drawn;
    for (int n : draw.numbers) {
        if (n >= 0 && n < 64 && ((drawn.set >> n) & 1) == 0) {
            drawn.set |= NumberSet(1) << n;
            drawn.numbers[std::size_t(drawn.count++)] = n;
        }
    }
    prizes.keyMatched = m_key == draw.clave;
    if (m_syndicate.isMultiple()) {
        for (const Breakdown::Line &line : Breakdown::lines(m_numbers, hits(0, drawn)))
            prizes.byCode[std::size_t(PrizeCategory::code(line.hits, prizes.keyMatched) - 1)] += line.count;
    } else {
        // Bets by their hits (five slots: 0 to 5), then by category; the
        // common case of five distinct numbers drawn read without a loop.
        std::array<std::int32_t, 6> byHits {};
        if (m_slotBySlot == 0 && drawn.count == 5) {
            const auto &d = drawn.numbers;
            for (int b = 0; b < m_bets; ++b) {
                const NumberSet set = m_sets[std::size_t(b)];
                ++byHits[std::size_t(((set >> d[0]) & 1) + ((set >> d[1]) & 1) + ((set >> d[2]) & 1)
                                     + ((set >> d[3]) & 1) + ((set >> d[4]) & 1))];
            }
        } else {
            for (int b = 0; b < m_bets; ++b)
                ++byHits[std::size_t(hits(b, drawn))];
        }
        for (int h = 2; h <= 5; ++h)
            prizes.byCode[std::size_t(PrizeCategory::code(h, prizes.keyMatched) - 1)] += byHits[std::size_t(h)];
    }
    return prizes;
}

Scrutiny::DrawPrizes Scrutiny::drawPrizes(const SyndicateRecord &syndicate, const DrawRecord &draw)
{
    return BetSets(syndicate).prizes(draw);
}

SyndicateRecord Scrutiny::recounted(const SyndicateRecord &syndicate, std::span<const DrawRecord> draws)
{
    if (isDamaged(syndicate))
        return syndicate;
    SyndicateRecord s = syndicate;
    s.prizeCounts.fill(0);
    const BetSets sets(syndicate);
    for (const DrawRecord &draw : draws) {
        if (!plays(s, draw.date))
            continue;
        const DrawPrizes prizes = sets.prizes(draw);
        for (int code = 1; code <= PrizeCategory::kCount; ++code)
            addPrizes(s, code, prizes.byCode[std::size_t(code - 1)]);
    }
    s.lastCountedDate = draws.empty() ? 0.0 : draws.back().date;
    return s;
}

std::vector<std::size_t> Scrutiny::recount(std::vector<SyndicateRecord> &syndicates, std::span<const DrawRecord> draws)
{
    std::vector<std::size_t> changed;
    for (std::size_t k = 0; k < syndicates.size(); ++k) {
        SyndicateRecord s = recounted(syndicates[k], draws);
        // Compared as stored: a date that only differs in its bits must still
        // reach the file.
        if (s.toBytes() != syndicates[k].toBytes()) {
            syndicates[k] = s;
            changed.push_back(k);
        }
    }
    return changed;
}
