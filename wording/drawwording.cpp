#include "drawwording.h"

#include "base/calendar.h"

QString Wording::drawTotalText(const DrawList &list)
{
    return QStringLiteral("TOTAL: %1 sorteos.").arg(list.total());
}

QString Wording::drawNumbersText(const DrawRecord &draw)
{
    QString text;
    for (int i = 0; i < 4; ++i) {
        if (draw.numbers[i] < 10)
            text += QLatin1Char(' ');
        text += QString::number(draw.numbers[i]) + QLatin1Char('-');
    }
    text += QString::number(draw.numbers[4]);
    text += QStringLiteral("  NÚM.CLAVE: ") + QString::number(draw.clave);
    return text;
}

QString Wording::drawDateText(const DrawRecord &draw)
{
    const QDate date = draw.qdate();
    return shortSpanishDate(date) + QStringLiteral("  ") + diasemana(date);
}

QString Wording::chartLabel(int value)
{
    return QLatin1Char(' ') + QString::number(value);
}
