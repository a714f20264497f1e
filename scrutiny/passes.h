#pragma once

#include "resultlist.h"
#include "store/drawrecord.h"
#include "store/syndicaterecord.h"

#include <vector>

// The scrutiny passes: every syndicate against the newest draws, one row per
// bet shown, prizes counted into the records once per draw.
namespace Scrutiny
{
    // A kind no writer produces (not 0, 1 to 24 or 101 to 106): the passes
    // leave such a record alone and never write it.
    bool isDamaged(const SyndicateRecord &syndicate);

    // A draw counts into a syndicate's prizes once: when it is later than the
    // last draw counted and not earlier than the syndicate's creation.
    bool isCounted(double drawDate, const SyndicateRecord &syndicate);

    // Adds to a prize counter, stopping at the largest value the record holds.
    void addPrizes(SyndicateRecord &syndicate, int categoryCode, int prizes);

    // The prize notice: Label19 (a download has just stored draws), which of
    // the two list buttons flash (1 simple, 2 multiple, 3 both) and whether
    // they flash now.
    struct PrizeNotice
    {
        bool storedDraws = false;
        int prizeBlink = 0;
        bool running = false;
        bool operator==(const PrizeNotice &) const = default;
    };

    // What one pass reads and changes. The counters and lastCountedDate of
    // the records change in place; the caller writes back what changed.
    struct Pass
    {
        std::vector<DrawRecord> draws;           // every stored draw, oldest first
        std::vector<SyndicateRecord> syndicates; // every record, in file order
        bool historico = false;                  // Check1
        bool soloPremio = false;                 // Check2
        PrizeNotice notice;
    };

    // The newest drawCount draws (lowered to the stored ones) against every
    // simple syndicate, into a list of the simple layout. True when a
    // multiple-bet syndicate was met, whose pass is then due.
    bool scrutinizeSimpleSyndicates(Pass &pass, int drawCount, ResultList &list);

    // The same for the multiple bets, into a list of the multiple layout.
    void scrutinizeMultipleSyndicates(Pass &pass, int drawCount, ResultList &list);

    // A multiple bet with hits (2 or more) drawn: the breakdown lines into
    // the bet row (the list's last row) and rows after it, the prize notice,
    // and the combinations counted when the draw counts for the syndicate.
    void showMultipleBreakdown(Pass &pass, ResultList &list, int syndicate, const DrawRecord &draw, int hits,
                               bool keyMatched);
}
