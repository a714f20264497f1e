#include "drawrecord.h"

#include "oledate.h"

#include <QtEndian>

#include <cstring>

QByteArray DrawRecord::toBytes() const
{
    QByteArray out(kSize, '\0');
    char *p = out.data();
    for (int i = 0; i < 5; ++i)
        qToLittleEndian<std::int16_t>(numbers[i], p + 2 * i);
    qToLittleEndian<std::int16_t>(clave, p + 10);
    qToLittleEndian<std::int16_t>(reserved[0], p + 12);
    qToLittleEndian<std::int16_t>(reserved[1], p + 14);
    qToLittleEndian<double>(date, p + 16);
    return out;
}

DrawRecord DrawRecord::fromBytes(QByteArrayView bytes)
{
    DrawRecord r;
    if (bytes.size() < kSize)
        return r;
    const char *p = bytes.data();
    for (int i = 0; i < 5; ++i)
        r.numbers[i] = qFromLittleEndian<std::int16_t>(p + 2 * i);
    r.clave = qFromLittleEndian<std::int16_t>(p + 10);
    r.reserved[0] = qFromLittleEndian<std::int16_t>(p + 12);
    r.reserved[1] = qFromLittleEndian<std::int16_t>(p + 14);
    r.date = qFromLittleEndian<double>(p + 16);
    return r;
}

QDate DrawRecord::qdate() const
{
    return OleDate::toDate(date);
}

bool DrawRecord::inRange() const
{
    for (auto n : numbers) {
        if (n < 1 || n > 54)
            return false;
    }
    return clave >= 0 && clave <= 9;
}
