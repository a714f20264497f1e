#include "breakdown.h"

#include <algorithm>

std::int64_t Breakdown::binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    k = std::min(k, n - k);
    std::int64_t result = 1;
    // Each partial product is itself a binomial coefficient, so the division
    // is always exact.
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

std::vector<Breakdown::Line> Breakdown::lines(int numbers, int hits)
{
    std::vector<Line> result;
    if (numbers < 6 || numbers > 11 || hits < 2 || hits > 5)
        return result;
    for (int j = 2; j <= hits; ++j) {
        const std::int64_t count = binomial(hits, j) * binomial(numbers - hits, 5 - j);
        if (count != 0)
            result.push_back({int(count), j});
    }
    return result;
}

QString Breakdown::text(int count, int hits, bool keyMatched)
{
    return QStringLiteral("¡¡ Premio !! Hay ") + QString::number(count)
        + (count == 1 ? QStringLiteral(" apuesta de ") : QStringLiteral(" apuestas de ")) + QString::number(hits)
        + (keyMatched ? QStringLiteral(" + Clave.") : QStringLiteral(" aciertos."));
}

Rgb Breakdown::colour(int hits, bool keyMatched)
{
    return PrizeCategory::colour(PrizeCategory::code(hits, keyMatched));
}
