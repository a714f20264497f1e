#pragma once

#include "categories.h"

#include <QString>

#include <cstdint>
#include <vector>

// A multiple bet of n numbers (6 to 11) is played as all its five-number
// combinations. With h of its numbers drawn, C(h, j) * C(n - h, 5 - j) of
// those combinations hold exactly j drawn numbers.
namespace Breakdown
{
    // C(n, k); 0 outside 0 <= k <= n.
    std::int64_t binomial(int n, int k);

    struct Line
    {
        int count = 0; // winning combinations
        int hits = 0; // 2 to 5
        bool operator==(const Line &) const = default;
    };

    // The winning lines of a bet of n numbers with h drawn, ascending hits,
    // lines with no combination left out. Empty unless 6 <= n <= 11 and
    // 2 <= h <= 5.
    std::vector<Line> lines(int numbers, int hits);

    // "¡¡ Premio !! Hay 24 apuestas de 2 + Clave.", "... Hay 1 apuesta de 5 aciertos."
    QString text(int count, int hits, bool keyMatched);
    Rgb colour(int hits, bool keyMatched);
}
