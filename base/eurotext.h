#pragma once

#include <QString>

#include <cstdint>

// "1.234,56 €", "-0,50 €": an amount in whole cents with Spanish separators,
// thousands grouped by three.
QString formatEuros(std::int64_t cents);
