#pragma once

#include <QByteArray>
#include <QDate>

#include <array>
#include <cstdint>

// One draw of numeros.dat: 24 bytes, little-endian, no padding.
struct DrawRecord
{
    static constexpr int kSize = 24;

    std::array<std::int16_t, 5> numbers {}; // ascending, 1 to 54
    std::int16_t clave = 0; // key number, 0 to 9
    std::array<std::int16_t, 2> reserved {};
    double date = 0.0; // OLE Automation date

    QByteArray toBytes() const;
    // Exactly kSize bytes expected; anything shorter gives a zeroed record.
    static DrawRecord fromBytes(QByteArrayView bytes);

    QDate qdate() const;
    bool isZero() const { return date == 0.0; }

    // Numbers 1 to 54 and a key 0 to 9: what the draw list accepts.
    bool inRange() const;

    bool operator==(const DrawRecord &) const = default;
};
