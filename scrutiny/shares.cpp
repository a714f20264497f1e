#include "shares.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace
{
    // amount × shares must not overflow for any amount a file can hold.
    __extension__ typedef __int128 Wide;
}

namespace
{
    struct Scratch
    {
        std::vector<Wide> remainders;
        std::vector<std::size_t> order;
    };

    // The split into parts (sized like shares, all shares positive), with
    // the work vectors given so that a running split allocates nothing.
    void splitInto(std::int64_t amount, std::span<const int> shares, std::vector<std::int64_t> &parts, Scratch &scratch)
    {
        const bool negative = amount < 0;
        // Divided as its opposite; the most negative amount has none.
        const Wide whole = negative ? -Wide(amount) : Wide(amount);
        Wide total = 0;
        for (int share : shares)
            total += share;
        parts.resize(shares.size());
        scratch.remainders.resize(shares.size());
        scratch.order.resize(shares.size());
        Wide given = 0;
        if (whole <= Wide(std::numeric_limits<std::int64_t>::max()) / total) {
            // Every amount of real money: 64-bit division, far quicker.
            const auto small = std::int64_t(whole);
            const auto divisor = std::int64_t(total);
            for (std::size_t i = 0; i < shares.size(); ++i) {
                const std::int64_t exact = small * shares[i];
                parts[i] = exact / divisor;
                scratch.remainders[i] = exact % divisor;
                given += parts[i];
            }
        } else {
            for (std::size_t i = 0; i < shares.size(); ++i) {
                const Wide exact = whole * shares[i];
                parts[i] = std::int64_t(exact / total);
                scratch.remainders[i] = exact % total;
                given += parts[i];
            }
        }
        std::iota(scratch.order.begin(), scratch.order.end(), std::size_t(0));
        const auto &remainders = scratch.remainders;
        std::stable_sort(scratch.order.begin(), scratch.order.end(),
                         [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
        for (Wide left = whole - given, k = 0; left > 0; --left, ++k)
            ++parts[scratch.order[std::size_t(k)]];
        if (negative) {
            for (std::int64_t &part : parts)
                part = -part;
        }
    }

    bool usable(std::span<const int> shares)
    {
        return !shares.empty() && std::none_of(shares.begin(), shares.end(), [](int s) { return s <= 0; });
    }
}

std::vector<std::int64_t> Shares::split(std::int64_t amount, std::span<const int> shares)
{
    std::vector<std::int64_t> parts;
    if (!usable(shares))
        return parts;
    Scratch scratch;
    splitInto(amount, shares, parts, scratch);
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

struct Shares::RunningSplit::Work
{
    Scratch scratch;
    std::vector<std::int64_t> after;
};

Shares::RunningSplit::RunningSplit(std::span<const int> shares, std::int64_t before)
    : m_shares(shares.begin(), shares.end())
    , m_total(before)
    , m_parts(split(before, shares))
    , m_work(std::make_unique<Work>())
{
}

Shares::RunningSplit::~RunningSplit() = default;
Shares::RunningSplit::RunningSplit(RunningSplit &&) noexcept = default;

const std::vector<std::int64_t> &Shares::RunningSplit::add(std::int64_t amount)
{
    // Saturating, as every sum of money is: absurd amounts in a file must not wrap.
    if (__builtin_add_overflow(m_total, amount, &m_total))
        m_total = amount < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    m_step.assign(m_shares.size(), 0);
    if (!usable(m_shares))
        return m_step;
    splitInto(m_total, m_shares, m_work->after, m_work->scratch);
    for (std::size_t i = 0; i < m_step.size(); ++i)
        m_step[i] = m_work->after[i] - m_parts[i];
    std::swap(m_parts, m_work->after);
    return m_step;
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
