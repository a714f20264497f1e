#pragma once

#include "store/drawrecord.h"

#include <QDate>

#include <cstddef>
#include <span>

// Which of the stored draws the statistics and a tried bet look at: the
// newest N, the draws between two days, or all of them.
namespace Stats
{
    struct Window
    {
        enum class Kind
        {
            All,
            Last,
            Range
        };

        Kind kind = Kind::All;
        int last = 0; // Last: that many of the newest draws (all, when fewer are stored)
        QDate since, until; // Range: both days included; an invalid day leaves that end open

        static Window all() { return {}; }
        static Window lastDraws(int count) { return {Kind::Last, count, {}, {}}; }
        static Window between(QDate since, QDate until) { return {Kind::Range, 0, since, until}; }

        bool operator==(const Window &) const = default;
    };

    // Where the window's draws lie in a history given oldest first (the
    // order of numeros.dat): the index of the first one and how many.
    struct Slice
    {
        std::size_t first = 0;
        std::size_t count = 0;
        bool operator==(const Slice &) const = default;
    };
    Slice select(std::span<const DrawRecord> history, const Window &window);
}
