#include "oledate.h"

#include <cmath>

namespace
{
    const QDate kEpoch(1899, 12, 30);
    // 1 January 100 and 31 December 9999, the range of the format.
    constexpr double kMin = -657434.0;
    constexpr double kMax = 2958465.0;
}

double OleDate::fromDate(QDate date)
{
    return date.isValid() ? static_cast<double>(kEpoch.daysTo(date)) : kNone;
}

bool OleDate::isValid(double ole)
{
    return std::isfinite(ole) && ole >= kMin && ole < kMax + 1.0;
}

QDate OleDate::toDate(double ole)
{
    if (!isValid(ole))
        return {};
    return kEpoch.addDays(static_cast<qint64>(std::trunc(ole)));
}
