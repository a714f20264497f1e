#pragma once

#include <QDate>

#include <set>
#include <vector>

// Why a stored draw cannot be real.
enum class ImplausibleReason
{
    Future,
    RepeatedDate,
    FallingDate,
    NotADrawDay
};

struct ImplausibleDraw
{
    int record = 0; // from 1, oldest first, as in the file
    ImplausibleReason reason = ImplausibleReason::Future;
    bool operator==(const ImplausibleDraw &) const = default;
};

// What the draw file says about itself: the status block of the main window
// and `quorvale-cli status` word it (wording/statuswording.h).
struct DrawStatus
{
    // The newest stored draw that is not dated after today; hasNewestDraw is
    // false when there is none (the file is empty or holds only such draws).
    // A damaged stored date leaves newestDraw invalid.
    bool hasNewestDraw = false;
    QDate newestDraw;
    int storedDraws = 0; // every record of the file
    QDate nextDraw; // the Sunday the next draw falls on
    bool missingWarning = false; // more than a week without a draw
    // With missingWarning: draws held since the newest one; 0 when the file
    // was never brought up to date (no newest draw, or a damaged date).
    qint64 missingDrawCount = 0;
    bool historyEnabled = false; // the two view options may be used
    bool scrollEnabled = false; // the draw count may be moved
    int scrollMaximum = 1;
    // Stored draws that cannot be real, oldest first; shown in red.
    std::vector<ImplausibleDraw> implausibleDraws;
    // Draw days inside the stored history that have no draw; shown in red.
    std::vector<QDate> holeDates;
};

// Every record of a draw file (its dates, oldest first) that cannot be a
// real draw: dated after today, dated as an earlier record, dated before the
// last record in front of it that is not itself one of these, or on a day no
// draw is held (isDrawDay).
std::vector<ImplausibleDraw> findImplausibleDraws(const std::vector<double> &datesOldestFirst, QDate today);

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
