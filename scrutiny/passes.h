#pragma once

#include "prizes.h"
#include "resultlist.h"
#include "store/drawrecord.h"
#include "store/syndicaterecord.h"

#include <vector>

// The scrutiny passes: every syndicate against the newest draws, one row per
// bet shown. They only show: what the lists show (the range, "Histórico",
// the filter) must never change what a syndicate has won, so the counters
// are kept by recount() (prizes.h) over every stored draw.
namespace Scrutiny
{
    // The prize notice: a download has just stored draws, which of
    // the two result lists has a prize to flag (1 simple, 2 multiple, 3 both) and whether
    // they flash now.
    struct PrizeNotice
    {
        bool storedDraws = false;
        int prizeBlink = 0;
        bool running = false;
        bool operator==(const PrizeNotice &) const = default;
    };

    // What one pass reads; only the prize notice changes.
    struct Pass
    {
        std::vector<DrawRecord> draws; // every stored draw, oldest first
        std::vector<SyndicateRecord> syndicates; // every record, in file order
        bool historico = false; // every draw since each peña's creation
        bool soloPremio = false; // only the rows with a prize
        PrizeNotice notice;
    };

    // The newest drawCount draws (lowered to the stored ones) against every
    // simple syndicate, into a list of the simple layout. True when a
    // multiple-bet syndicate was met, whose pass is then due.
    bool scrutinizeSimpleSyndicates(Pass &pass, int drawCount, ResultList &list);

    // The same for the multiple bets, into a list of the multiple layout.
    void scrutinizeMultipleSyndicates(Pass &pass, int drawCount, ResultList &list);

    // A multiple bet with hits (2 or more) drawn: the breakdown lines into
    // the bet row (the list's last row) and rows after it, and the prize notice.
    void showMultipleBreakdown(Pass &pass, ResultList &list, int syndicate, int hits, bool keyMatched);
}
