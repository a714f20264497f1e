#include "shares.h"

#include <algorithm>
#include <numeric>

namespace
{
    // amount × shares must not overflow for any amount a file can hold.
    __extension__ typedef __int128 Wide;
}

std::vector<std::int64_t> Shares::split(std::int64_t amount, std::span<const int> shares)
{
    if (shares.empty() || std::any_of(shares.begin(), shares.end(), [](int s) { return s <= 0; }))
        return {};
    if (amount < 0) {
        std::vector<std::int64_t> parts = split(-amount, shares);
        for (std::int64_t &part : parts)
            part = -part;
        return parts;
    }
    const Wide total = std::accumulate(shares.begin(), shares.end(), Wide(0));
    std::vector<std::int64_t> parts(shares.size());
    std::vector<Wide> remainders(shares.size());
    std::int64_t given = 0;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const Wide exact = Wide(amount) * shares[i];
        parts[i] = std::int64_t(exact / total);
        remainders[i] = exact % total;
        given += parts[i];
    }
    std::vector<std::size_t> order(shares.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::int64_t left = amount - given, k = 0; left > 0; --left, ++k)
        ++parts[order[std::size_t(k)]];
    return parts;
}

std::vector<Shares::Part> Shares::parts(const Money::Totals &totals, std::span<const int> shares)
{
    const auto stake = split(totals.stakeCents, shares);
    const auto won = split(totals.wonCents, shares);
    // The balance counts only the stake of the draws with a final report.
    const auto pricedStake = split(totals.wonCents - totals.balanceCents, shares);
    std::vector<Part> parts;
    for (std::size_t i = 0; i < stake.size(); ++i)
        parts.push_back({stake[i], won[i], won[i] - pricedStake[i]});
    return parts;
}
