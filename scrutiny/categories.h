#pragma once

#include <QString>

#include <cstdint>

// A colour as 0xRRGGBB; the engine has no QColor.
using Rgb = std::uint32_t;

namespace Colours
{
    constexpr Rgb kSyndicateName = 0x800000; // dark red
    constexpr Rgb kDrawDate = 0x008000; // dark green
    constexpr Rgb kHit = 0xFF0000; // drawn number, matched key
}

// The eight prize categories, coded 1 (2 hits) to 8 (5 hits and the key).
namespace PrizeCategory
{
    constexpr int kCount = 8;

    // 0 when the bet wins nothing (fewer than 2 hits).
    constexpr int code(int hits, bool keyMatched)
    {
        return hits < 2 || hits > 5 ? 0 : 2 * (hits - 2) + 1 + (keyMatched ? 1 : 0);
    }

    // The category as the operator numbers it in its prize reports: code 8
    // (5 + 1) is the 1ª categoría, code 1 (2 + 0) the 8ª.
    constexpr int rank(int code)
    {
        return code < 1 || code > kCount ? 0 : kCount + 1 - code;
    }

    // "Aciertos de 8ª categoría (2+0): " for code 1 ... "1ª ... (5+1)" for 8.
    QString caption(int code);
    Rgb colour(int code);
}
