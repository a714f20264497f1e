#include "status.h"

#include "base/calendar.h"
#include "store/oledate.h"

#include <cmath>

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

    if (newestDrawDate != 0.0) {
        s.lastUpdate = longSpanishDate(newest);
        s.historyEnabled = true;
    } else {
        s.lastUpdate = QStringLiteral("Fichero de datos vacío.");
    }

    s.scrollEnabled = storedDraws > 0;
    s.scrollMaximum = storedDraws > 0 ? storedDraws : 1;

    s.nextDraw = longSpanishDate(nextDrawDate(newest, today));

    // Whole days from the newest draw to today; a damaged date counts as
    // never updated rather than as a number of weeks nobody can read.
    const double days = OleDate::fromDate(today) - std::trunc(OleDate::isValid(newestDrawDate) ? newestDrawDate : 0.0);
    if (days <= 7) {
        s.missingWarning = false;
    } else {
        s.missingWarning = true;
        if (days < 15)
            s.missing = QStringLiteral("Falta 1 sorteo por actualizar");
        else if (newestDrawDate != 0.0 && OleDate::isValid(newestDrawDate))
            s.missing = QStringLiteral("Faltan %1 sorteos por actualizar").arg(qint64(days) / 7);
        else
            s.missing = QStringLiteral("No se ha actualizado nunca");
    }
    return s;
}
