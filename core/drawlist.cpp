#include "drawlist.h"

#include "base/calendar.h"
#include "store/oledate.h"
#include "store/recordfile.h"

QString DrawList::totalText() const
{
    return QStringLiteral("TOTAL: %1 sorteos.").arg(total());
}

bool DrawList::load(QByteArrayView fileBytes)
{
    draws.clear();
    numberTally.fill(0);
    keyTally.fill(0);

    const std::vector<DrawRecord> stored = decodeRecords<DrawRecord>(fileBytes, kAllRecords);
    draws.reserve(stored.size());
    // Newest first.
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        const DrawRecord &draw = *it;
        if (!draw.inRange() || !OleDate::isValid(draw.date))
            return false;
        for (auto number : draw.numbers)
            ++numberTally[std::size_t(number - 1)];
        ++keyTally[std::size_t(draw.clave)];
        draws.push_back(draw);
    }
    return true;
}

QString drawNumbersText(const DrawRecord &draw)
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

QString drawDateText(const DrawRecord &draw)
{
    const QDate date = draw.qdate();
    return shortSpanishDate(date) + QStringLiteral("  ") + diasemana(date);
}

QString chartLabel(int value)
{
    return QLatin1Char(' ') + QString::number(value);
}
