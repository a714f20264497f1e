#include "calendar.h"

#include <QLocale>

#include <array>

QString diasemana(QDate date)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("Domingo"),
        QStringLiteral("Lunes"),
        QStringLiteral("Martes"),
        QStringLiteral("Miércoles"),
        QStringLiteral("Jueves"),
        QStringLiteral("Viernes"),
        QStringLiteral("Sábado"),
    };
    if (!date.isValid())
        return {};
    return names[date.dayOfWeek() % 7]; // Qt counts Monday = 1 .. Sunday = 7
}

QString longSpanishDate(QDate date)
{
    if (!date.isValid())
        return {};
    static const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    return QStringLiteral("%1, %2 de %3 del %4")
        .arg(diasemana(date))
        .arg(date.day())
        .arg(spanish.monthName(date.month(), QLocale::LongFormat).toLower())
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString shortSpanishDate(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

int cuantos(int code)
{
    static constexpr std::array<int, 12> table = {6, 7, 8, 9, 10, 11, 6, 21, 56, 126, 252, 462};
    if (code < 101 || code > 112)
        return 0;
    return table[code - 101];
}

namespace
{
    const QDate kSaturdaysFrom(2005, 10, 22);
    const QDate kSaturdaysTo(2006, 7, 1);
}

bool isDrawDay(QDate date)
{
    if (!date.isValid())
        return false;
    const bool saturdays = date >= kSaturdaysFrom && date <= kSaturdaysTo;
    return date.dayOfWeek() == (saturdays ? Qt::Saturday : Qt::Sunday);
}

std::vector<QDate> expectedDrawDates(QDate after, QDate upTo)
{
    std::vector<QDate> dates;
    if (!after.isValid() || !upTo.isValid())
        return dates;
    for (QDate day = after.addDays(1); day <= upTo; day = day.addDays(1)) {
        if (isDrawDay(day))
            dates.push_back(day);
    }
    return dates;
}
