#include "knownsizes.h"
#include "combinatorics.h"

#include <charconv>

extern const char kCoveringsK5Csv[]; // generated from data/coverings_k5.csv

namespace
{
    // v, "3 si 4", "3 si 5", "4 si 5" (0: no figure).
    constexpr int kLotto[][4] = {
        {7, 3, 1, 3},
        {8, 3, 2, 5},
        {9, 5, 2, 9},
        {10, 7, 2, 14},
        {11, 9, 5, 22},
        {13, 0, 8, 48},
        {14, 19, 10, 69},
        {15, 24, 13, 95},
        {16, 31, 14, 132},
    };

    bool readInt(std::string_view &line, int &value)
    {
        const auto comma = line.find(',');
        const std::string_view field = line.substr(0, comma);
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc() || end != field.data() + field.size())
            return false;
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
        return true;
    }
}

std::string_view Wheel::coveringTable()
{
    return kCoveringsK5Csv;
}

long long Wheel::schonheimBound(int v, int k, int t)
{
    if (t <= 0 || k <= 0 || v < k || t > k)
        return 0;
    long long bound = 1;
    for (int i = t - 1; i >= 0; --i) {
        const long long n = v - i;
        const long long m = k - i;
        bound = (n * bound + m - 1) / m;
    }
    return bound;
}

Wheel::KnownSize Wheel::knownCovering(int v, int k, int t)
{
    KnownSize known;
    known.lowerBound = int(schonheimBound(v, k, t));
    if (t == k) {
        known.bestKnown = int(binomial(v, k));
        known.lowerBound = known.bestKnown;
    } else if (t == 1) {
        known.bestKnown = known.lowerBound;
    }
    if (k != 5 || t < 2 || t > 4)
        return known;
    std::string_view rest = coveringTable();
    while (!rest.empty()) {
        const auto eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
        int fields[5];
        bool ok = true;
        for (int &f : fields)
            ok = ok && readInt(line, f);
        if (ok && fields[0] == v && fields[1] == 5 && fields[2] == t) {
            known.bestKnown = fields[3];
            known.lowerBound = fields[4];
            break;
        }
    }
    return known;
}

Wheel::KnownSize Wheel::knownCovering(int v, int t)
{
    return knownCovering(v, 5, t);
}

int Wheel::publishedLotto(int v, int t, int p)
{
    const int column = t == 3 && p == 4 ? 1 : t == 3 && p == 5 ? 2
        : t == 4 && p == 5                                     ? 3
                                                               : 0;
    if (column == 0)
        return 0;
    for (const auto &row : kLotto)
        if (row[0] == v)
            return row[column];
    return 0;
}
