#include "syndicaterecord.h"

#include "cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace
{
    constexpr int kBetsOffset = 20;
    constexpr int kPrizeOffset = 596;
    constexpr int kDrawDayOffset = 612;
    constexpr int kKindOffset = 627;
    constexpr int kCreatedOffset = 629;
    constexpr int kCountedOffset = 637;

    template <std::size_t N>
    void storeText(std::array<char, N> &field, QStringView text)
    {
        const QByteArray bytes = Cp1252::encodeField(text, int(N));
        std::copy_n(bytes.constData(), N, field.begin());
    }
}

QByteArray SyndicateRecord::toBytes() const
{
    QByteArray out(kSize, '\0');
    char *p = out.data();
    std::memcpy(p, nameBytes.data(), kNameWidth);
    for (int b = 0; b < kBets; ++b) {
        for (int s = 0; s < kSlots; ++s)
            qToLittleEndian<std::int16_t>(bets[b][s], p + kBetsOffset + (b * kSlots + s) * 2);
    }
    for (int c = 0; c < 8; ++c)
        qToLittleEndian<std::int16_t>(prizeCounts[c], p + kPrizeOffset + c * 2);
    std::memcpy(p + kDrawDayOffset, drawDayBytes.data(), kDrawDayWidth);
    qToLittleEndian<std::int16_t>(kind, p + kKindOffset);
    qToLittleEndian<double>(createdOn, p + kCreatedOffset);
    qToLittleEndian<double>(lastCountedDate, p + kCountedOffset);
    return out;
}

SyndicateRecord SyndicateRecord::fromBytes(QByteArrayView bytes)
{
    SyndicateRecord r;
    if (bytes.size() < kSize)
        return r;
    const char *p = bytes.data();
    std::memcpy(r.nameBytes.data(), p, kNameWidth);
    for (int b = 0; b < kBets; ++b) {
        for (int s = 0; s < kSlots; ++s)
            r.bets[b][s] = qFromLittleEndian<std::int16_t>(p + kBetsOffset + (b * kSlots + s) * 2);
    }
    for (int c = 0; c < 8; ++c)
        r.prizeCounts[c] = qFromLittleEndian<std::int16_t>(p + kPrizeOffset + c * 2);
    std::memcpy(r.drawDayBytes.data(), p + kDrawDayOffset, kDrawDayWidth);
    r.kind = qFromLittleEndian<std::int16_t>(p + kKindOffset);
    r.createdOn = qFromLittleEndian<double>(p + kCreatedOffset);
    r.lastCountedDate = qFromLittleEndian<double>(p + kCountedOffset);
    return r;
}

QString SyndicateRecord::rawName() const
{
    return Cp1252::decode(QByteArrayView(nameBytes.data(), kNameWidth));
}

QString SyndicateRecord::name() const
{
    return rawName().trimmed();
}

void SyndicateRecord::setName(QStringView name)
{
    storeText(nameBytes, name);
}

QString SyndicateRecord::drawDay() const
{
    return Cp1252::decode(QByteArrayView(drawDayBytes.data(), kDrawDayWidth)).trimmed();
}

void SyndicateRecord::setDrawDay(QStringView day)
{
    storeText(drawDayBytes, day);
}

int SyndicateRecord::numbersPerBet() const
{
    if (kind >= 1 && kind <= 24)
        return 5;
    if (kind >= 101 && kind <= 106)
        return kind - 95;
    return 0;
}

int SyndicateRecord::storedBets() const
{
    if (kind >= 1 && kind <= 24)
        return kind;
    if (kind >= 101 && kind <= 106)
        return 1;
    return 0;
}

int SyndicateRecord::key() const
{
    const int n = numbersPerBet();
    return n > 0 ? bets[0][n] : 0;
}

std::span<const std::int16_t> SyndicateRecord::betNumbers(int bet) const
{
    if (bet < 1 || bet > kBets)
        return {};
    return std::span<const std::int16_t>(bets[bet - 1].data(), std::size_t(numbersPerBet()));
}
