#include "membership.h"

#include "session.h"
#include "status.h"

#include "base/clock.h"
#include "store/oledate.h"

#include <algorithm>
#include <numeric>

namespace
{
    std::vector<int> sharesOf(const std::vector<Member> &members)
    {
        std::vector<int> shares;
        for (const Member &member : members)
            shares.push_back(member.shares);
        return shares;
    }

    // The member a typed name stands for: the one of exactly that name, else
    // the one whose name is the same once normalised and case-folded.
    template <typename List>
    auto findMember(List &list, const QString &name)
    {
        const QString kept = MemberFile::normalizedName(name);
        auto it = std::find_if(list.begin(), list.end(), [&](const Member &m) { return m.name == name || m.name == kept; });
        if (it == list.end())
            it = std::find_if(list.begin(), list.end(), [&](const Member &m) { return MemberFile::sameName(m.name, kept); });
        return it;
    }
}

Membership::Membership(Session &session)
    : m_session(session)
{
}

QString Membership::organiserName()
{
    return QStringLiteral("Organizador");
}

bool Membership::exists(int record) const
{
    return record >= 1 && record <= int(m_session.syndicates().records().size());
}

MemberFile::Key Membership::keyOf(int record) const
{
    return MemberFile::keysOf(m_session.syndicates().records())[std::size_t(record - 1)];
}

std::vector<Member> Membership::members(int record) const
{
    return exists(record) ? m_session.memberFile().members(keyOf(record)) : std::vector<Member> {};
}

std::vector<Member> Membership::sharers(int record) const
{
    std::vector<Member> list = members(record);
    if (list.empty())
        list.push_back({organiserName(), 1});
    return list;
}

int Membership::totalShares(int record) const
{
    const auto list = sharers(record);
    return std::accumulate(list.begin(), list.end(), 0, [](int sum, const Member &m) { return sum + m.shares; });
}

std::vector<Membership::Row> Membership::rows(int record) const
{
    if (!exists(record))
        return {};
    const std::vector<Member> list = sharers(record);
    const auto parts = Shares::parts(m_session.money().totals(record), sharesOf(list));
    std::vector<Row> rows;
    for (std::size_t i = 0; i < list.size() && i < parts.size(); ++i)
        rows.push_back({list[i], parts[i]});
    return rows;
}

std::vector<Shares::DrawPart> Membership::memberLedger(int record, const QString &name) const
{
    const std::vector<Member> list = sharers(record);
    const auto it = findMember(list, name);
    if (!exists(record) || it == list.end())
        return {};
    return Shares::memberLedger(m_session.money().ledger(record), sharesOf(list), std::size_t(it - list.begin()));
}

std::optional<Member> Membership::sharer(int record, const QString &name) const
{
    const std::vector<Member> list = sharers(record);
    const auto it = findMember(list, name);
    if (!exists(record) || it == list.end())
        return std::nullopt;
    return *it;
}

Outcome Membership::refuse(Outcome::Cause cause, int record, const QString &name)
{
    Outcome outcome = Outcome::refused(Outcome::Command::Members, cause);
    outcome.record = record;
    outcome.name = name;
    return outcome;
}

Outcome Membership::store(int record, std::vector<Member> members)
{
    MemberFile &file = m_session.memberFile();
    if (m_session.isReadOnly())
        return Outcome::problem(Outcome::Command::Members, m_session.readOnlyText());
    if (!file.writable())
        return refuse(Outcome::Cause::MemberFileNotWritable);
    const MemberFile::Key key = keyOf(record);
    const std::vector<Member> before = file.members(key);
    const QString name = m_session.syndicates().records()[std::size_t(record - 1)].name();
    file.setMembers(key, name, std::move(members));
    const FileOps::Result result = file.save();
    if (result != FileOps::Result::Ok) {
        // What is in memory stays what is on disk.
        file.setMembers(key, name, before);
        return Outcome::fileError(Outcome::Command::Members, result, file.path());
    }
    return Outcome::done(Outcome::Command::Members);
}

Outcome Membership::add(int record, const QString &name, int shares)
{
    if (!exists(record))
        return refuse(Outcome::Cause::NoSuchSyndicate, record);
    const QString kept = MemberFile::normalizedName(name);
    if (const NameRule rule = MemberFile::nameProblem(kept); rule != NameRule::Fits)
        return Outcome::nameRefused(Outcome::Command::Members, rule, kept);
    if (!MemberFile::isValidShares(shares))
        return refuse(Outcome::Cause::InvalidShares);
    std::vector<Member> list = members(record);
    if (const auto same = findMember(list, kept); same != list.end())
        return refuse(Outcome::Cause::DuplicateMember, 0, same->name);
    list.push_back({kept, shares});
    return store(record, std::move(list));
}

Outcome Membership::setShares(int record, const QString &name, int shares)
{
    if (!MemberFile::isValidShares(shares))
        return refuse(Outcome::Cause::InvalidShares);
    std::vector<Member> list = members(record);
    const auto it = findMember(list, name);
    if (it == list.end())
        return refuse(Outcome::Cause::NoSuchMember, record, name);
    if (it->shares == shares)
        return Outcome(Outcome::Status::Unchanged, Outcome::Command::Members);
    it->shares = shares;
    return store(record, std::move(list));
}

Outcome Membership::rename(int record, const QString &name, const QString &newName)
{
    std::vector<Member> list = members(record);
    const auto it = findMember(list, name);
    if (it == list.end())
        return refuse(Outcome::Cause::NoSuchMember, record, name);
    const QString kept = MemberFile::normalizedName(newName);
    if (kept == it->name)
        return Outcome(Outcome::Status::Unchanged, Outcome::Command::Members);
    if (const NameRule rule = MemberFile::nameProblem(kept); rule != NameRule::Fits)
        return Outcome::nameRefused(Outcome::Command::Members, rule, kept);
    // Only another member can hold the name: "jose" may become "José".
    const auto same = std::find_if(list.begin(), list.end(),
                                   [&](const Member &m) { return &m != &*it && MemberFile::sameName(m.name, kept); });
    if (same != list.end())
        return refuse(Outcome::Cause::DuplicateMember, 0, same->name);
    it->name = kept;
    return store(record, std::move(list));
}

Outcome Membership::remove(int record, const QString &name)
{
    std::vector<Member> list = members(record);
    const auto it = findMember(list, name);
    if (it == list.end())
        return refuse(Outcome::Cause::NoSuchMember, record, name);
    list.erase(it);
    return store(record, std::move(list));
}

Membership::Participations Membership::participations(int record, const QString &member, QDate date) const
{
    if (!exists(record)) {
        Outcome refused = refuse(Outcome::Cause::NoSuchSyndicateAmong, record);
        refused.count = qint64(m_session.syndicates().records().size());
        return {refused, {}};
    }
    const SyndicateRecord &syndicate = m_session.syndicates().records()[std::size_t(record - 1)];
    const std::int64_t bets = Money::betsPlayed(syndicate);
    if (bets == 0)
        return {refuse(Outcome::Cause::NoBetsToPrint, record), {}};
    const std::vector<Member> list = sharers(record);
    const QString wanted = MemberFile::normalizedName(member);
    const auto only = findMember(list, member);
    if (!wanted.isEmpty() && only == list.end())
        return {refuse(Outcome::Cause::NoSuchMember, record, wanted), {}};
    const PrizeReport report = m_session.prizeReports().report(date);
    const std::int64_t price = Money::betPriceCents(report);
    const std::int64_t stake = Money::stakeCents(syndicate, report);
    // The member's part through this draw less their part through the draw
    // before: the slips of any run of draws add up to the members' table.
    const std::vector<Money::DrawOutcome> ledger = m_session.money().ledger(record);
    const auto earlier = std::partition_point(ledger.begin(), ledger.end(), [date](const Money::DrawOutcome &row) { return row.date < date; });
    const std::int64_t before = Money::totals(std::span(ledger.begin(), earlier)).stakeCents;
    const auto parts = Shares::RunningSplit(sharesOf(list), before).add(stake);
    const int total = totalShares(record);
    std::vector<Shares::Participation> sheets;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!wanted.isEmpty() && std::size_t(only - list.begin()) != i)
            continue;
        sheets.push_back({syndicate.name(), list[i].name, list[i].shares, total, date, syndicate, bets, price, stake, parts[i]});
    }
    return {Outcome::done(Outcome::Command::Members), std::move(sheets)};
}
