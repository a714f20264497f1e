#pragma once

#include <QByteArray>

#include <cstdint>

// Record 1 of nums.ini: the printer offsets for official slips, 12 bytes.
struct PrintCalibration
{
    static constexpr int kSize = 12;

    std::int16_t reservedHead = 0; // kept as read
    float offsetX = 0.0f; // millimetres
    float offsetY = 0.0f; // millimetres
    std::int16_t reservedTail = 0; // kept as read

    QByteArray toBytes() const;
    static PrintCalibration fromBytes(QByteArrayView bytes);

    bool operator==(const PrintCalibration &) const = default;
};
