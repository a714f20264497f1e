#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Euro amounts as text and whole cents. Parsed digit by digit into a 64-bit
// integer: a binary floating-point value never stands between the text and
// the cents.
namespace Cents
{
    // The largest count kept: every integer up to it survives a JSON number
    // exactly, in any reader.
    constexpr std::int64_t kMaxExact = (std::int64_t(1) << 53) - 1;

    // "11509,11", "11509.11", "11509", "0,5": digits, then optionally a comma
    // or a point and one or two decimals. Blanks around it are ignored; no
    // sign, no grouping. nullopt for anything else or beyond kMaxExact cents.
    std::optional<std::int64_t> parse(QStringView text);

    // As the operator's pages write it: points between groups of three
    // digits, a decimal comma ("1.234.567,89", "3,00", "150911,01").
    std::optional<std::int64_t> parseGrouped(QStringView text);

    // A whole number ("2645160"), blanks around it ignored; nullopt beyond
    // kMaxExact.
    std::optional<std::int64_t> parseCount(QStringView text);

    // "1.234.567,89": the Spanish form with grouping, always two decimals.
    QString format(std::int64_t cents);
    // "2.580.907": a whole count grouped the same way.
    QString formatCount(std::int64_t n);
}

// "1.234,56 €", "-0,50 €": an amount as every text of the program shows it.
QString formatEuros(std::int64_t cents);
