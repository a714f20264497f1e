#include "cents.h"

namespace
{
    // "2.580.907": points between groups of three digits.
    QString groupedByThree(std::uint64_t n)
    {
        const QString digits = QString::number(n);
        QString grouped;
        for (qsizetype i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0)
                grouped += QLatin1Char('.');
            grouped += digits[i];
        }
        return grouped;
    }

    bool isDigit(QChar c)
    {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }

    // Appends one digit; false once the value would pass the cap.
    bool push(std::int64_t &value, QChar digit)
    {
        const int d = digit.unicode() - '0';
        if (value > (Cents::kMaxExact - d) / 10)
            return false;
        value = value * 10 + d;
        return true;
    }

    // Whole euros and up to two decimals into cents.
    std::optional<std::int64_t> toCents(std::int64_t euros, QStringView decimals)
    {
        if (decimals.size() > 2)
            return std::nullopt;
        std::int64_t cents = euros;
        for (int i = 0; i < 2; ++i) {
            if (!push(cents, i < decimals.size() ? decimals[i] : QLatin1Char('0')))
                return std::nullopt;
        }
        return cents;
    }
}

std::optional<std::int64_t> Cents::parseCount(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    std::int64_t value = 0;
    for (QChar c : text) {
        if (!isDigit(c) || !push(value, c))
            return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> Cents::parse(QStringView text)
{
    text = text.trimmed();
    qsizetype separator = text.indexOf(QLatin1Char(','));
    if (separator < 0)
        separator = text.indexOf(QLatin1Char('.'));
    if (separator < 0) {
        const auto euros = parseCount(text);
        return euros ? toCents(*euros, {}) : std::nullopt;
    }
    const QStringView decimals = text.sliced(separator + 1);
    if (decimals.isEmpty())
        return std::nullopt;
    for (QChar c : decimals) {
        if (!isDigit(c))
            return std::nullopt;
    }
    const auto euros = parseCount(text.first(separator));
    if (!euros || text.first(separator) != text.first(separator).trimmed())
        return std::nullopt;
    return toCents(*euros, decimals);
}

std::optional<std::int64_t> Cents::parseGrouped(QStringView text)
{
    text = text.trimmed();
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QStringView whole = comma < 0 ? text : text.first(comma);
    const QStringView decimals = comma < 0 ? QStringView() : text.sliced(comma + 1);
    if (comma >= 0 && decimals.isEmpty())
        return std::nullopt;
    for (QChar c : decimals) {
        if (!isDigit(c))
            return std::nullopt;
    }
    // Groups: the first of one to three digits, every later one of three.
    QString digits;
    qsizetype group = 0;
    bool grouped = false;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        const QChar c = whole[i];
        if (c == QLatin1Char('.')) {
            if (group == 0 || (grouped && group != 3) || group > 3)
                return std::nullopt;
            grouped = true;
            group = 0;
            continue;
        }
        if (!isDigit(c))
            return std::nullopt;
        digits += c;
        ++group;
    }
    if (digits.isEmpty() || (grouped && group != 3))
        return std::nullopt;
    const auto euros = parseCount(digits);
    return euros ? toCents(*euros, decimals) : std::nullopt;
}

QString Cents::format(std::int64_t cents)
{
    const bool negative = cents < 0;
    // Negated as unsigned so the lowest value cannot overflow.
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(cents) : std::uint64_t(cents);
    return (negative ? QStringLiteral("-") : QString()) + groupedByThree(magnitude / 100) + QLatin1Char(',')
        + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString Cents::formatCount(std::int64_t n)
{
    const bool negative = n < 0;
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(n) : std::uint64_t(n);
    return (negative ? QStringLiteral("-") : QString()) + groupedByThree(magnitude);
}

QString formatEuros(std::int64_t cents)
{
    return Cents::format(cents) + QStringLiteral(" €");
}
