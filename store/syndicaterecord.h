#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

// One syndicate (peña) of apuestas.dat: 645 bytes, little-endian, no padding.
//
// kind 1..24 is a simple syndicate with that many five-number bets;
// kind 101..106 is one multiple bet of kind - 95 numbers held in bet 1.
// The key number sits once, in bet 1 right after the last number.
struct SyndicateRecord
{
    static constexpr int kSize = 645;
    static constexpr int kNameWidth = 20;
    static constexpr int kDrawDayWidth = 15;
    static constexpr int kBets = 24;
    static constexpr int kSlots = 12;

    std::array<char, kNameWidth> nameBytes {};
    std::array<std::array<std::int16_t, kSlots>, kBets> bets {};
    std::array<std::int16_t, 8> prizeCounts {}; // index 0 is category code 1
    std::array<char, kDrawDayWidth> drawDayBytes {};
    std::int16_t kind = 0;
    double createdOn = 0.0; // OLE Automation date
    double lastCountedDate = 0.0; // OLE Automation date, 0 = nothing counted yet

    QByteArray toBytes() const;
    static SyndicateRecord fromBytes(QByteArrayView bytes);

    // The name as stored, blanks included, and trimmed.
    QString rawName() const;
    QString name() const;
    void setName(QStringView name); // cut to 20 characters, padded with blanks

    QString drawDay() const; // trimmed
    void setDrawDay(QStringView day);

    bool isMultiple() const { return kind >= 101; }
    // Numbers of each bet: 5 for a simple syndicate, 6..11 for a multiple one,
    // 0 for a kind no writer produces.
    int numbersPerBet() const;
    // Bets that hold numbers: kind for a simple syndicate, 1 for a multiple one.
    int storedBets() const;
    // The key number, in bet 1 after its last number.
    int key() const;
    std::span<const std::int16_t> betNumbers(int bet) const; // bet from 1

    bool operator==(const SyndicateRecord &) const = default;
};
