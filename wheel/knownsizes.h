#pragma once

#include <string_view>

// What is known about the smallest sets: the La Jolla Covering Repository's
// table of coverings with five numbers per bet (data/coverings_k5.csv, built
// into the program and installed beside it), published figures for lotto
// designs, and the Schönheim bound.
namespace Wheel
{
    struct KnownSize
    {
        int bestKnown = 0; // the smallest set anyone published; 0: none
        int lowerBound = 0; // no set can be smaller; 0: none known
    };

    // The covering C(v, 5, t) (every t numbers together in some bet) for
    // v = 6..30, t = 2..4 from the table; t = 5 is every combination; other
    // pools get the Schönheim bound only.
    KnownSize knownCovering(int v, int t);
    // Coverings with fewer numbers per bet (what is left beside fixed
    // numbers): the Schönheim bound, and the plain answers of t = 1 and t = k.
    KnownSize knownCovering(int v, int k, int t);
    // Lotto designs, "t si p" with p > t, five numbers per bet: the published
    // figures for v = 7..16 (not verified by anyone; 0 where there is none).
    int publishedLotto(int v, int t, int p);

    // ceil(v/k ceil((v-1)/(k-1) ... ceil((v-t+1)/(k-t+1)))).
    long long schonheimBound(int v, int k, int t);

    // The table as shipped: "v,k,t,best_known,lower_bound" lines.
    std::string_view coveringTable();
}
