#include "printcalibration.h"

#include <QtEndian>

QByteArray PrintCalibration::toBytes() const
{
    QByteArray out(kSize, '\0');
    char *p = out.data();
    qToLittleEndian<std::int16_t>(reservedHead, p);
    qToLittleEndian<float>(offsetX, p + 2);
    qToLittleEndian<float>(offsetY, p + 6);
    qToLittleEndian<std::int16_t>(reservedTail, p + 10);
    return out;
}

PrintCalibration PrintCalibration::fromBytes(QByteArrayView bytes)
{
    PrintCalibration c;
    if (bytes.size() < kSize)
        return c;
    const char *p = bytes.data();
    c.reservedHead = qFromLittleEndian<std::int16_t>(p);
    c.offsetX = qFromLittleEndian<float>(p + 2);
    c.offsetY = qFromLittleEndian<float>(p + 6);
    c.reservedTail = qFromLittleEndian<std::int16_t>(p + 10);
    return c;
}
