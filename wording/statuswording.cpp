#include "statuswording.h"

#include "base/calendar.h"

#include <QStringList>

QString Wording::lastUpdateText(const DrawStatus &status)
{
    return status.hasNewestDraw ? longSpanishDate(status.newestDraw) : QStringLiteral("Fichero de datos vacío.");
}

QString Wording::nextDrawText(const DrawStatus &status)
{
    return longSpanishDate(status.nextDraw);
}

QString Wording::missingDrawsText(const DrawStatus &status)
{
    if (!status.missingWarning)
        return {};
    if (status.missingDrawCount == 0)
        return QStringLiteral("No se ha actualizado nunca");
    if (status.missingDrawCount == 1)
        return QStringLiteral("Falta 1 sorteo por actualizar");
    return QStringLiteral("Faltan %1 sorteos por actualizar").arg(status.missingDrawCount);
}

QString Wording::implausibleDrawsText(const std::vector<ImplausibleDraw> &draws, int storedDraws)
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

QString Wording::historyHolesText(const std::vector<QDate> &holes)
{
    if (holes.empty())
        return {};
    const QString first = shortSpanishDate(holes.front());
    if (holes.size() == 1)
        return QStringLiteral("Falta el sorteo del %1 en medio de los sorteos guardados. "
                              "Añádalo con \"Añadir sorteo a mano…\" o importando los sorteos.")
            .arg(first);
    return QStringLiteral("Faltan %1 sorteos en medio de los sorteos guardados (el primero, del %2). "
                          "Añádalos con \"Añadir sorteo a mano…\" o importando los sorteos.")
        .arg(holes.size())
        .arg(first);
}

QString Wording::redLinesText(const DrawStatus &status)
{
    QStringList red;
    for (const QString &line : {implausibleDrawsText(status.implausibleDraws, status.storedDraws), historyHolesText(status.holeDates)}) {
        if (!line.isEmpty())
            red << line;
    }
    return red.join(QLatin1Char('\n'));
}

QString Wording::storedDrawsText(int count)
{
    if (count <= 0)
        return {};
    return count == 1 ? QStringLiteral("1 sorteo") : QStringLiteral("%1 sorteos").arg(count);
}
