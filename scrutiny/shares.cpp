#include "shares.h"

#include <algorithm>
#include <limits>
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
    std::vector<Part> parts;
    for (std::size_t i = 0; i < stake.size(); ++i)
        parts.push_back({stake[i], won[i], won[i] - stake[i]});
    return parts;
}

Shares::RunningSplit::RunningSplit(std::span<const int> shares, std::int64_t before)
    : m_shares(shares.begin(), shares.end())
    , m_total(before)
    , m_parts(split(before, shares))
{
}

std::vector<std::int64_t> Shares::RunningSplit::add(std::int64_t amount)
{
    // Saturating, as every sum of money is: absurd amounts in a file must not wrap.
    if (__builtin_add_overflow(m_total, amount, &m_total))
        m_total = amount < 0 ? std::numeric_limits<std::int64_t>::min() + 1 : std::numeric_limits<std::int64_t>::max();
    std::vector<std::int64_t> after = split(m_total, m_shares);
    std::vector<std::int64_t> step(after.size());
    for (std::size_t i = 0; i < after.size() && i < m_parts.size(); ++i)
        step[i] = after[i] - m_parts[i];
    m_parts = std::move(after);
    return step;
}

std::vector<Shares::DrawPart> Shares::memberLedger(std::span<const Money::DrawOutcome> ledger, std::span<const int> shares,
                                                   std::size_t member)
{
    std::vector<DrawPart> rows;
    if (member >= shares.size() || split(0, shares).empty())
        return rows;
    RunningSplit stake(shares);
    RunningSplit won(shares);
    rows.reserve(ledger.size());
    for (const Money::DrawOutcome &draw : ledger) {
        DrawPart row {draw.date, stake.add(draw.stakeCents)[member], std::nullopt, draw.categories, draw.unconfirmed};
        if (draw.wonCents)
            row.wonCents = won.add(*draw.wonCents)[member];
        rows.push_back(row);
    }
    return rows;
}
