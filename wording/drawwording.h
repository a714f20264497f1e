#pragma once

#include "core/drawlist.h"
#include "store/drawrecord.h"

#include <QString>

// The texts of the draw list: the statistics tab's list and its total, and
// `quorvale-cli draws`.
namespace Wording
{
    // "TOTAL: 1114 sorteos."
    QString drawTotalText(const DrawList &list);
    // " 3-12-25-33-48  NÚM.CLAVE: 7": every number but the last padded below 10.
    QString drawNumbersText(const DrawRecord &draw);
    // "07/12/2026  Domingo".
    QString drawDateText(const DrawRecord &draw);
    // Chart labels: the number with one blank in front.
    QString chartLabel(int value);
}
