#pragma once

#include <QString>

// "1 peña guardada", "3 peñas guardadas": a count with its words in the
// number it takes.
inline QString countText(qint64 count, const QString &one, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

inline QString savedSyndicatesText(qint64 count)
{
    return countText(count, QStringLiteral("peña guardada"), QStringLiteral("peñas guardadas"));
}
