#include "drawcsv.h"

#include "oledate.h"

#include <QList>

#include <algorithm>

std::optional<std::vector<DrawRecord>> parseDrawCsv(QByteArrayView text)
{
    std::vector<DrawRecord> draws;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith("date"))
            continue;
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() != 7)
            return std::nullopt;
        const QDate date = QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        DrawRecord draw;
        bool ok = true;
        for (int i = 0; i < 5 && ok; ++i)
            draw.numbers[std::size_t(i)] = std::int16_t(fields[i + 1].toShort(&ok));
        if (ok)
            draw.clave = fields[6].toShort(&ok);
        if (!ok)
            return std::nullopt;
        std::sort(draw.numbers.begin(), draw.numbers.end());
        draw.date = OleDate::fromDate(date);
        if (!draw.inRange())
            return std::nullopt;
        draws.push_back(draw);
    }
    return draws;
}
