#pragma once

#include "store/drawrecord.h"

#include <QByteArrayView>

#include <array>
#include <vector>

// The draw list of the statistics tab and the frequency tallies, newest first.
struct DrawList
{
    std::vector<DrawRecord> draws; // newest first
    std::array<int, 54> numberTally {}; // index 0 is number 1
    std::array<int, 10> keyTally {}; // index 0 is key 0

    int total() const { return int(draws.size()); }

    // Builds the list from the records of numeros.dat, oldest first in the
    // bytes. Returns false, with the list holding what was read before the
    // fault, when a record holds a number, key or date out of range.
    bool load(QByteArrayView fileBytes);
};
