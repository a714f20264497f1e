#include "wheelsyndicates.h"

#include "base/numberlist.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "store/nametext.h"
#include "wheel/combinatorics.h"

#include <algorithm>

QStringList WheelSyndicates::names(const QString &name, int betCount)
{
    const QString base = NameText::composed(name.trimmed().toUpper());
    const int count = (betCount + kBetsPerSyndicate - 1) / kBetsPerSyndicate;
    if (count <= 1)
        return {base};
    QStringList all;
    for (int i = 1; i <= count; ++i)
        all << QStringLiteral("%1 %2/%3").arg(base).arg(i).arg(count);
    return all;
}

Outcome WheelSyndicates::problem(const QString &name, int key, int betCount)
{
    using Cause = Outcome::Cause;
    constexpr auto kCommand = Outcome::Command::Create;
    if (name.trimmed().isEmpty())
        return Outcome::refused(kCommand, Cause::NoSyndicateName);
    if (key < 0 || key > 9)
        return Outcome::refused(kCommand, Cause::KeyOutOfRange);
    if (betCount < 1)
        return Outcome::refused(kCommand, Cause::NoBetsToSave);
    if (betCount > kMaxSyndicates * kBetsPerSyndicate) {
        Outcome refused = Outcome::refused(kCommand, Cause::TooManyBets);
        refused.count = betCount;
        return refused;
    }
    const QStringList all = names(name, betCount);
    for (const QString &each : all) {
        const NameRule rule = SyndicateCreation::nameProblem(each);
        if (rule == NameRule::TooLong) {
            Outcome refused = Outcome::refused(kCommand, Cause::ReductionNameTooLong);
            refused.name = each;
            return refused;
        }
        if (rule != NameRule::Fits)
            return Outcome::nameRefused(kCommand, rule, NameText::composed(each));
    }
    return {Outcome::Status::Unchanged, kCommand};
}

WheelSyndicates::Saved WheelSyndicates::save(SyndicateCreation &creation, const QString &name, int key,
                                             const std::vector<Wheel::Bet> &bets)
{
    Saved saved;
    saved.names = names(name, int(bets.size()));
    if (problem(name, key, int(bets.size())).status == Outcome::Status::Refused)
        return saved;
    creation.setMultipleSize(0);
    for (qsizetype i = 0; i < saved.names.size(); ++i) {
        std::vector<std::vector<int>> chunk;
        for (std::size_t b = std::size_t(i) * kBetsPerSyndicate; b < bets.size() && chunk.size() < kBetsPerSyndicate; ++b)
            chunk.emplace_back(bets[b].begin(), bets[b].end());
        creation.restart();
        if (creation.enter(key, chunk) != Outcome::Cause::None)
            return saved;
        const Outcome written = creation.save(saved.names.at(i));
        if (!written.isDone()) {
            saved.stopped = written;
            return saved;
        }
        saved.records.push_back(written.record);
    }
    saved.complete = true;
    return saved;
}

QString WheelSyndicates::parseRecords(const QString &text, std::vector<int> *records)
{
    records->clear();
    const std::optional<std::vector<int>> read = parseNumberList(text);
    if (!read || std::any_of(read->begin(), read->end(), [](int record) { return record < 1; }))
        return QStringLiteral("--syndicate: los números de peña son enteros desde 1, separados por comas (%1).").arg(text);
    *records = *read;
    return {};
}

std::vector<std::vector<int>> WheelSyndicates::betsOf(const Session &session, const std::vector<int> &records,
                                                      QString *problem)
{
    std::vector<std::vector<int>> bets;
    const auto &syndicates = session.syndicates().records();
    for (int record : records) {
        if (record < 1 || record > int(syndicates.size())) {
            *problem = QStringLiteral("No existe la peña %1: hay %2.").arg(record).arg(syndicates.size());
            return {};
        }
        const SyndicateRecord &s = syndicates[std::size_t(record - 1)];
        const int perBet = s.numbersPerBet();
        if (perBet == 0) {
            *problem = QStringLiteral("La peña %1 está dañada: no se puede comprobar.").arg(record);
            return {};
        }
        for (int b = 1; b <= s.storedBets(); ++b) {
            const auto numbers = s.betNumbers(b);
            std::uint32_t all = (1u << perBet) - 1;
            // A multiple bet plays every five of its numbers.
            Wheel::forEachSubsetOf(all, 5, [&](std::uint32_t pick) {
                std::vector<int> bet;
                for (; pick; pick &= pick - 1)
                    bet.push_back(numbers[std::size_t(std::countr_zero(pick))]);
                std::sort(bet.begin(), bet.end());
                bets.push_back(std::move(bet));
            });
        }
    }
    return bets;
}
