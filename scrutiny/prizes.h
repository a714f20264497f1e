#pragma once

#include "categories.h"
#include "store/drawrecord.h"
#include "store/syndicaterecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// What a syndicate's bets win in one draw, and the prize counters kept from
// every draw it played. The passes, the counters and the money all read hits
// and categories from here, so they cannot disagree.
namespace Scrutiny
{
    // A kind no writer produces (not 0, 1 to 24 or 101 to 106): such a record
    // is left alone and never written.
    bool isDamaged(const SyndicateRecord &syndicate);

    // Adds to a prize counter, stopping at the largest value the record holds.
    void addPrizes(SyndicateRecord &syndicate, int categoryCode, int prizes);

    // The drawn numbers as bits.
    using NumberSet = std::uint64_t;
    NumberSet drawnSet(const DrawRecord &draw);

    // Drawn numbers among the first `numbers` slots of a bet, as a count and
    // as a mask over the slots.
    struct Hits
    {
        int count = 0;
        std::uint16_t mask = 0;
    };
    Hits checkBet(const std::array<std::int16_t, SyndicateRecord::kSlots> &bet, int numbers, NumberSet drawn);

    // A syndicate plays a draw dated on or after its creation day.
    bool plays(const SyndicateRecord &syndicate, double drawDate);

    // One draw's winning bets by category code (index 0 is code 1); for a
    // multiple bet the winning five-number combinations. Nothing for a
    // damaged record.
    struct DrawPrizes
    {
        std::array<std::int32_t, PrizeCategory::kCount> byCode {};
        bool keyMatched = false;
        bool operator==(const DrawPrizes &) const = default;
    };
    DrawPrizes drawPrizes(const SyndicateRecord &syndicate, const DrawRecord &draw);

    // The same over many draws: the bets are turned into bit sets once, and
    // a bet's hits are the bits it shares with the draw. A bet that holds a
    // number twice (no writer stores one) is checked slot by slot instead,
    // so the result is always checkBet's.
    // Keeps a reference to the record, which must outlive it.
    class BetSets
    {
    public:
        explicit BetSets(const SyndicateRecord &syndicate);
        DrawPrizes prizes(const DrawRecord &draw) const;

    private:
        // The draw's distinct numbers, at most five.
        struct Drawn
        {
            NumberSet set = 0;
            std::array<int, 5> numbers {};
            int count = 0;
        };
        int hits(int bet, const Drawn &drawn) const;

        const SyndicateRecord &m_syndicate;
        std::array<NumberSet, SyndicateRecord::kBets> m_sets {};
        std::uint32_t m_slotBySlot = 0; // bit b: bet b is checked slot by slot
        int m_bets = 0; // bets with numbers; 0 wins nothing
        int m_numbers = 0;
        int m_key = 0;
    };

    // The record with its prizeCounts made the prizes of every draw it played
    // (counters stop at 32767) and lastCountedDate the newest draw's date (0
    // with no draw). Draws oldest first. A damaged record comes back as it is.
    SyndicateRecord recounted(const SyndicateRecord &syndicate, std::span<const DrawRecord> draws);

    // Every record recounted in place; the indexes of those that changed, for
    // the caller to write back.
    std::vector<std::size_t> recount(std::vector<SyndicateRecord> &syndicates, std::span<const DrawRecord> draws);
}
