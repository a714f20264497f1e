#pragma once

#include "scrutiny/shares.h"

#include <QStringList>

#include <span>
#include <vector>

class PrintSurface;

// A member's participation on plain A4 paper, one page each: the peña, the
// member and their shares, the draw, every bet written in digits, the stake
// and the member's part of it, and a line for the organiser's signature.
namespace ParticipationSheet
{
    // A line of the bets: its caption ("Apuesta 1:") and the numbers in
    // digits ("03  12  25  37  48"), which start at one x for every bet.
    struct BetLine
    {
        QString caption;
        QString numbers;
        bool wideCaption; // the key's line, whose caption is longer
    };
    // The bets as the page writes them, or for a multiple bet its size and
    // combinations first; the key last.
    std::vector<BetLine> betLines(const Shares::Participation &participation);
    // Every participation onto surface, a page each, ended. The pages printed;
    // 0, with nothing drawn, when there is none.
    int print(PrintSurface &surface, std::span<const Shares::Participation> participations);
}
