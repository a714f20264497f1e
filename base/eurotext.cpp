#include "eurotext.h"

#include <QLocale>

QString formatEuros(std::int64_t cents)
{
    // QLocale's Spanish data leaves four-digit amounts ungrouped ("1234");
    // the amounts are grouped by three here with the locale's own signs.
    static const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const bool negative = cents < 0;
    // Through unsigned arithmetic, so the most negative amount has a magnitude.
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(cents) : std::uint64_t(cents);
    const QString whole = QString::number(magnitude / 100);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += spanish.groupSeparator();
        grouped += whole[i];
    }
    const int fraction = int(magnitude % 100);
    return (negative ? spanish.negativeSign() : QString()) + grouped + spanish.decimalPoint()
        + QString::number(fraction).rightJustified(2, QLatin1Char('0')) + QStringLiteral(" €");
}
