#pragma once

// The scrutiny at its largest, shared by the benchmarks: the newest 1,100
// real draws, 50 simple syndicates of 24 bets and 10 multiple bets of 11
// numbers; with "Histórico" ticked and every draw shown, about 1.5 million
// result rows.

#include "store/drawrecord.h"
#include "store/prizereport.h"
#include "store/syndicaterecord.h"

#include <QString>

#include <map>
#include <vector>

namespace LargeCase
{
    constexpr int kDraws = 1100;

    std::vector<DrawRecord> draws();
    std::vector<SyndicateRecord> syndicates();
    // numeros.dat and apuestas.dat of the case, in dir.
    void prepare(const QString &dir);
    // A final report for each of draws, all with the amounts of 5 January
    // 2025 and one winner per category, so that every draw and prize is priced.
    std::map<QDate, PrizeReport> uniformReports(const std::vector<DrawRecord> &draws);
}
