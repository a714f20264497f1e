#include "status.h"

#include "base/calendar.h"
#include "store/oledate.h"

#include <cmath>
#include <optional>
#include <set>

QDate nextDrawDate(QDate newestDraw, QDate today)
{
    QDate day = (today == newestDraw) ? today.addDays(1) : today;
    while (day.dayOfWeek() != Qt::Sunday)
        day = day.addDays(1);
    return day;
}

DrawStatus describeDrawStatus(double newestDrawDate, int storedDraws, QDate today)
{
    DrawStatus s;
    const QDate newest = OleDate::toDate(newestDrawDate);
    s.hasNewestDraw = newestDrawDate != 0.0;
    s.newestDraw = s.hasNewestDraw ? newest : QDate();
    s.historyEnabled = s.hasNewestDraw;
    s.storedDraws = storedDraws;

    s.scrollEnabled = storedDraws > 0;
    s.scrollMaximum = storedDraws > 0 ? storedDraws : 1;

    s.nextDraw = nextDrawDate(newest, today);

    // Whole days from the newest draw to today; a damaged date counts as
    // never updated rather than as a number of weeks nobody can read.
    const double days = OleDate::fromDate(today) - std::trunc(OleDate::isValid(newestDrawDate) ? newestDrawDate : 0.0);
    s.missingWarning = days > 7;
    if (!s.missingWarning)
        s.missingDrawCount = 0;
    else if (days < 15)
        s.missingDrawCount = 1;
    else if (newestDrawDate != 0.0 && OleDate::isValid(newestDrawDate))
        s.missingDrawCount = qint64(days) / 7;
    else
        s.missingDrawCount = 0; // never brought up to date
    return s;
}

std::vector<ImplausibleDraw> findImplausibleDraws(const std::vector<double> &datesOldestFirst, QDate today)
{
    std::vector<ImplausibleDraw> found;
    std::set<double> seen;
    const double now = OleDate::fromDate(today);
    // One wrong date (a year typed as 2030) must not make the real draws
    // after it look as if they fell back: the order is judged against the
    // last date that passed every check.
    std::optional<double> lastGood;
    for (std::size_t i = 0; i < datesOldestFirst.size(); ++i) {
        const double date = datesOldestFirst[i];
        const int record = int(i) + 1;
        const std::size_t before = found.size();
        if (date > now)
            found.push_back({record, ImplausibleReason::Future});
        else if (!seen.insert(date).second)
            found.push_back({record, ImplausibleReason::RepeatedDate});
        else if (lastGood && date < *lastGood)
            found.push_back({record, ImplausibleReason::FallingDate});
        else if (!isDrawDay(OleDate::toDate(date)))
            found.push_back({record, ImplausibleReason::NotADrawDay});
        if (found.size() == before)
            lastGood = date;
    }
    return found;
}

namespace
{
    bool heldNoDraw(QDate date)
    {
        // The draws suspended in spring 2020.
        if (date >= QDate(2020, 3, 22) && date <= QDate(2020, 5, 24))
            return true;
        // A Sunday of the weeks whose draw was held on the Saturday before.
        const QDate saturday = date.addDays(-1);
        return date.dayOfWeek() == Qt::Sunday && isDrawDay(saturday) && saturday.dayOfWeek() == Qt::Saturday;
    }
}

std::vector<QDate> findHistoryHoles(const std::vector<QDate> &drawDatesOldestFirst, const std::set<QDate> &noDraw)
{
    std::vector<QDate> holes;
    for (std::size_t i = 1; i < drawDatesOldestFirst.size(); ++i) {
        const QDate before = drawDatesOldestFirst[i - 1];
        const QDate after = drawDatesOldestFirst[i];
        if (!before.isValid() || !after.isValid() || after <= before.addDays(7))
            continue;
        for (const QDate &date : expectedDrawDates(before, after.addDays(-1))) {
            if (!heldNoDraw(date) && noDraw.count(date) == 0)
                holes.push_back(date);
        }
    }
    return holes;
}
