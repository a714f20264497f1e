#pragma once

#include "money.h"

#include "store/syndicaterecord.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// A peña's money divided among its members by their shares.
namespace Shares
{
    // amount × shares / total shares for each member, in whole cents, rounded
    // so that the parts add up exactly to amount: each member gets the whole
    // cents of its exact part, and the cents left over go one each to the
    // largest remainders (ties to the member listed first). A negative amount
    // is divided as its opposite. Empty when a share is not positive.
    std::vector<std::int64_t> split(std::int64_t amount, std::span<const int> shares);

    struct Part
    {
        std::int64_t stakeCents = 0;
        std::int64_t wonCents = 0;
        std::int64_t balanceCents = 0; // won less stake
        bool operator==(const Part &) const = default;
    };
    // Each member's part of the peña's totals; every column adds up to the
    // peña's figure.
    std::vector<Part> parts(const Money::Totals &totals, std::span<const int> shares);

    // A running total split draw after draw: each step's parts are the split
    // of the total after it less the split of the total before it, so the
    // parts of any run of steps add up to the split of their sum, and the odd
    // cent moves from member to member instead of always falling on one.
    class RunningSplit
    {
    public:
        explicit RunningSplit(std::span<const int> shares, std::int64_t before = 0);
        ~RunningSplit();
        RunningSplit(RunningSplit &&) noexcept;
        // The members' parts of amount, added to the running total; valid
        // until the next call.
        const std::vector<std::int64_t> &add(std::int64_t amount);
        std::int64_t total() const { return m_total; }

    private:
        struct Work;
        std::vector<int> m_shares;
        std::int64_t m_total = 0;
        std::vector<std::int64_t> m_parts;
        std::vector<std::int64_t> m_step;
        std::unique_ptr<Work> m_work;
    };

    // One member's part of each draw of a ledger (the same draws, in order).
    struct DrawPart
    {
        QDate date;
        std::int64_t stakeCents = 0;
        std::optional<std::int64_t> wonCents; // none while the draw is not priced
        Money::CategoryCounts categories {};
        std::uint16_t unconfirmed = 0;
    };
    // Member `member` (index into shares) of every draw; its parts add up to
    // that member's parts() of the ledger's totals.
    std::vector<DrawPart> memberLedger(std::span<const Money::DrawOutcome> ledger, std::span<const int> shares,
                                       std::size_t member);

    // What a member's participation in one draw says: the peña, the member
    // and their shares, the draw, its bets and who pays what of its stake.
    struct Participation
    {
        QString syndicateName;
        QString memberName;
        int shares = 1;
        int totalShares = 1;
        QDate drawDate;
        SyndicateRecord syndicate;
        std::int64_t betsPlayed = 0;
        std::int64_t betPriceCents = 0;
        std::int64_t stakeCents = 0;
        std::int64_t memberStakeCents = 0;
    };
}
