#pragma once

#include "store/drawrecord.h"

#include <QString>

#include <array>
#include <vector>

// The draw list of the statistics tab and the frequency tallies, newest first.
struct DrawList
{
    std::vector<DrawRecord> draws; // newest first
    std::array<int, 54> numberTally {}; // index 0 is number 1
    std::array<int, 10> keyTally {}; // index 0 is key 0

    int total() const { return int(draws.size()); }
    QString totalText() const; // "TOTAL: N sorteos."

    // Builds the list from the records of numeros.dat, oldest first in the
    // bytes. Returns false, with the list holding what was read before the
    // fault, when a record holds a number, key or date out of range.
    bool load(QByteArrayView fileBytes);
};

// " 3-12-25-33-48  NÚM.CLAVE: 7": every number but the last padded below 10.
QString drawNumbersText(const DrawRecord &draw);

// "07/12/2026  Domingo".
QString drawDateText(const DrawRecord &draw);

// Chart labels: the number with one blank in front.
QString chartLabel(int value);
