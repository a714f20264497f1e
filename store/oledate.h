#pragma once

#include <QDate>

// OLE Automation dates: whole days counted from 30 December 1899 as a double.
namespace OleDate
{
    constexpr double kNone = 0.0;

    double fromDate(QDate date);

    // An invalid QDate for values that are not a calendar day between the
    // years 100 and 9999 (NaN, infinities, garbage from a damaged file).
    // A fractional part (a time of day) is dropped.
    QDate toDate(double ole);

    bool isValid(double ole);
}
