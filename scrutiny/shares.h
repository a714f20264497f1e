#pragma once

#include "money.h"

#include "store/syndicaterecord.h"

#include <QDate>
#include <QString>

#include <cstdint>
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
        std::int64_t balanceCents = 0; // won, less the stake of the draws with a report
        bool operator==(const Part &) const = default;
    };
    // Each member's part of the peña's totals; every column adds up to the
    // peña's figure.
    std::vector<Part> parts(const Money::Totals &totals, std::span<const int> shares);

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
