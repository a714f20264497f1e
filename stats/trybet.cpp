#include "trybet.h"

#include "scrutiny/prizes.h"

#include <algorithm>

QString Stats::betProblem(const Bet &bet)
{
    const int size = int(bet.numbers.size());
    if (size < kMinBetNumbers || size > kMaxBetNumbers)
        return QStringLiteral("Elija de 5 a 11 números (lleva %1).").arg(size);
    std::vector<int> sorted = bet.numbers;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] < 1 || sorted[i] > 54)
            return QStringLiteral("El número %1 no está entre el 1 y el 54.").arg(sorted[i]);
        if (i > 0 && sorted[i] == sorted[i - 1])
            return QStringLiteral("El número %1 está repetido.").arg(sorted[i]);
    }
    if (bet.key < 0 || bet.key > 9)
        return QStringLiteral("El número clave debe ser del 0 al 9 (%1).").arg(bet.key);
    return {};
}

SyndicateRecord Stats::asSyndicate(const Bet &bet)
{
    SyndicateRecord record;
    std::vector<int> sorted = bet.numbers;
    std::sort(sorted.begin(), sorted.end());
    const int size = int(sorted.size());
    record.kind = std::int16_t(size == kMinBetNumbers ? 1 : 95 + size);
    for (int i = 0; i < size && i < SyndicateRecord::kSlots - 1; ++i)
        record.bets[0][std::size_t(i)] = std::int16_t(sorted[std::size_t(i)]);
    record.bets[0][std::size_t(std::min(size, SyndicateRecord::kSlots - 1))] = std::int16_t(bet.key);
    return record;
}

Stats::TryResult Stats::tryBet(const Bet &bet, std::span<const DrawRecord> draws, std::span<const PrizeReport> reports)
{
    TryResult result;
    if (!betProblem(bet).isEmpty())
        return result;
    result.draws = int(draws.size());
    if (!draws.empty()) {
        result.from = draws.front().qdate();
        result.to = draws.back().qdate();
    }
    const SyndicateRecord syndicate = asSyndicate(bet);
    // Played from the first draw on: the ledger keeps every draw, in order.
    const std::vector<Money::DrawOutcome> ledger = Money::ledgerWithReports(syndicate, draws, reports);
    result.totals = Money::totals(ledger);
    for (std::size_t i = 0; i < ledger.size() && i < draws.size(); ++i) {
        const Money::DrawOutcome &outcome = ledger[i];
        bool prized = false;
        for (std::size_t c = 0; c < outcome.categories.size(); ++c) {
            result.categories[c] += outcome.categories[c];
            prized = prized || outcome.categories[c] > 0;
        }
        if (!prized)
            continue;
        const DrawRecord &draw = draws[i];
        const int hits = Scrutiny::checkBet(syndicate.bets[0], syndicate.numbersPerBet(), Scrutiny::drawnSet(draw)).count;
        result.prized.push_back({draw, hits, syndicate.key() == draw.clave, outcome});
    }
    return result;
}
