#pragma once

#include <QDate>
#include <QString>

#include <set>
#include <vector>

// What the status block of the main window says about the draw file.
struct DrawStatus
{
    QString lastUpdate;       // Label9 element 3
    QString nextDraw;         // Label9 element 5
    QString missing;          // Label9 element 6
    bool missingWarning = false; // the warning blinks; hidden otherwise
    bool historyEnabled = false; // Check1 and Check2
    bool scrollEnabled = false;  // HScroll1
    int scrollMaximum = 1;
    // Stored draws that cannot be real; shown in red, never blinking.
    QString implausible;
    bool implausibleWarning = false;
    // Draw days inside the stored history that have no draw; shown in red.
    QString holes;
    std::vector<QDate> holeDates;
};

// Why a stored draw cannot be real.
enum class ImplausibleReason { Future, RepeatedDate, FallingDate, NotADrawDay };

struct ImplausibleDraw
{
    int record = 0; // from 1, oldest first, as in the file
    ImplausibleReason reason = ImplausibleReason::Future;
};

// Every record of a draw file (its dates, oldest first) that cannot be a
// real draw: dated after today, dated as an earlier record, dated before the
// last record in front of it that is not itself one of these, or on a day no
// draw is held (isDrawDay).
std::vector<ImplausibleDraw> findImplausibleDraws(const std::vector<double> &datesOldestFirst, QDate today);

// The red line of the status block for those draws, with their positions
// in the draw list (1 = the newest of storedDraws); empty when none.
QString implausibleDrawsText(const std::vector<ImplausibleDraw> &draws, int storedDraws);

// newestDrawDate is the OLE date of the newest stored draw, 0 when the file is
// empty; storedDraws the number of draws.
DrawStatus describeDrawStatus(double newestDrawDate, int storedDraws, QDate today);

// The Sunday of the next draw: today if today is a Sunday that has no stored
// draw yet, else the coming Sunday.
QDate nextDrawDate(QDate newestDraw, QDate today);

// Draw days between two stored draws (dates oldest first, each a real
// draw) for which no draw is stored, leaving out the days no draw was held:
// the ten Sundays from 2020-03-22 to 2020-05-24 and the Sunday after each
// Saturday of the Saturday season (2005-10-22 to 2006-07-01), and the days
// the results service said had no draw (noDraw, kept in premios.json).
std::vector<QDate> findHistoryHoles(const std::vector<QDate> &drawDatesOldestFirst, const std::set<QDate> &noDraw = {});

// The red line for those holes; empty when none.
QString historyHolesText(const std::vector<QDate> &holes);
