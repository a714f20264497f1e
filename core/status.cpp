#include "status.h"

#include "base/calendar.h"
#include "store/oledate.h"

#include <QStringList>

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

QString implausibleDrawsText(const std::vector<ImplausibleDraw> &draws, int storedDraws)
{
    if (draws.empty())
        return {};
    QStringList positions;
    bool reasons[4] = {};
    // In list order, the newest first.
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        const ImplausibleDraw &draw = *it;
        positions << QString::number(storedDraws + 1 - draw.record);
        reasons[int(draw.reason)] = true;
    }
    QStringList why;
    if (reasons[int(ImplausibleReason::Future)])
        why << QStringLiteral("fecha posterior a hoy");
    if (reasons[int(ImplausibleReason::RepeatedDate)])
        why << QStringLiteral("fecha repetida");
    if (reasons[int(ImplausibleReason::FallingDate)])
        why << QStringLiteral("fecha anterior a la del sorteo previo");
    if (reasons[int(ImplausibleReason::NotADrawDay)])
        why << QStringLiteral("día sin sorteo");
    const QString count = draws.size() == 1 ? QStringLiteral("1 sorteo imposible")
                                            : QStringLiteral("%1 sorteos imposibles").arg(draws.size());
    return QStringLiteral("Hay %1 en numeros.dat (%2): n.º %3 de la lista de sorteos. "
                          "Haga clic en cada uno en la lista para borrarlo.")
        .arg(count, why.join(QStringLiteral(", ")), positions.join(QStringLiteral(", ")));
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

QString historyHolesText(const std::vector<QDate> &holes)
{
    if (holes.empty())
        return {};
    const QString first = shortSpanishDate(holes.front());
    if (holes.size() == 1)
        return QStringLiteral("Falta el sorteo del %1 en medio de los sorteos guardados. "
                              "Añádalo con \"Añadir sorteo a mano…\" o importando los sorteos.").arg(first);
    return QStringLiteral("Faltan %1 sorteos en medio de los sorteos guardados (el primero, del %2). "
                          "Añádalos con \"Añadir sorteo a mano…\" o importando los sorteos.")
        .arg(holes.size())
        .arg(first);
}
