#pragma once

#include "store/drawrecord.h"
#include "store/prizereport.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// The operator's results service answers with JSON: an array of draws (for
// one date, or for a range, newest first), or a JSON string when it found
// nothing. This reads one answer and checks every draw in it; nothing here
// touches a file.

// One draw as the service gives it.
struct ServiceDraw
{
    QDate date;
    // Numbers ascending, the key, the OLE date.
    DrawRecord draw;
    // Final when the answer carries the whole report, else Pending (draw
    // night, or a report that cannot be read: it will be asked for again).
    PrizeReport report;
    // Why the report the answer carries cannot be real (PrizeBounds: which
    // category, and why); its report is then Pending.
    QString reportProblem;
};

struct ServiceAnswer
{
    // Refused: not JSON, not an array (or a string), an element that is not
    // an object. Nothing of it may be used.
    bool refused = false;
    // The valid draws, oldest first, one per date.
    std::vector<ServiceDraw> draws;
    // The oldest date at which the answer holds a draw that cannot be taken
    // (another game, a day that is not a draw day,
    // numbers or key out of range, the same date twice with different
    // numbers); invalid when there is none.
    QDate firstInvalid;
    // A draw whose date cannot be read, or lies outside the dates asked
    // for: where it belongs is unknown. Also set, with draws empty, when the
    // answer lists one date twice: nothing of it can be trusted.
    bool undatedInvalid = false;
    // The first date the answer lists twice; invalid when none is.
    QDate duplicate;

    bool holdsInvalid() const { return firstInvalid.isValid() || undatedInvalid; }
};

// Reads the body of a 200 answer to a request for the dates from..to
// (inclusive; equal for one date). Draws after today are invalid.
ServiceAnswer readServiceAnswer(const QByteArray &body, QDate from, QDate to, QDate today);

// "06 - 27 - 33 - 34 - 39 R(8)": five distinct numbers 1 to 54 (in any
// order; stored ascending) and the key 0 to 9 in R(k). Blanks are free.
std::optional<DrawRecord> parseCombinacion(QStringView text);

// The date part of "2025-01-05 21:30:00" (or of a bare "2025-01-05").
QDate serviceDate(QStringView text);
