#include "prizelist.h"

#include "session.h"

#include "scrutiny/shares.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace
{
    std::vector<int> sharesOf(const std::vector<Member> &members)
    {
        std::vector<int> shares;
        shares.reserve(members.size());
        for (const Member &member : members)
            shares.push_back(member.shares);
        return shares;
    }
}

namespace
{
    // Takes the peñas' ledgers one at a time, each oldest first (the
    // members' running split needs that order). Draw dates are looked up by
    // day in flat tables: a tree costs more than all the rest.
    class Builder
    {
    public:
        Builder(const Session &session, const std::set<QDate> *dates)
            : m_session(session)
            , m_keys(MemberFile::keysOf(session.syndicates().records()))
        {
            const auto &draws = session.draws().list().draws;
            for (const DrawRecord &draw : draws) {
                m_firstDay = std::min(m_firstDay, draw.qdate().toJulianDay());
                m_lastDay = std::max(m_lastDay, draw.qdate().toJulianDay());
            }
            const std::size_t days = m_lastDay >= m_firstDay ? std::size_t(m_lastDay - m_firstDay + 1) : 0;
            m_pricesOfDay.assign(days, kNotRead);
            m_wanted.assign(days, dates == nullptr);
            if (dates) {
                for (const QDate &date : *dates) {
                    if (inRange(date))
                        m_wanted[std::size_t(date.toJulianDay() - m_firstDay)] = true;
                }
            }
            m_list.names.resize(session.syndicates().records().size());
            m_list.memberNames.resize(session.syndicates().records().size());
            // Room for a line per draw and peña, touched only where used.
            m_list.lines.reserve(dates ? std::min(draws.size(), dates->size()) * session.syndicates().records().size()
                                       : draws.size() * session.syndicates().records().size());
        }

        void add(int record, const std::vector<Money::DrawOutcome> &ledger)
        {
            using PrizeList::kUnpriced;
            const auto s = std::size_t(record - 1);
            if (s >= m_keys.size())
                return;
            const std::vector<Member> members = m_session.memberFile().members(m_keys[s]);
            m_list.names[s] = m_session.syndicates().records()[s].name().trimmed();
            for (const Member &member : members)
                m_list.memberNames[s].push_back(member.name);
            // The members' parts of the winnings run over every priced draw,
            // so that the parts of the lines add up to the members' table.
            std::optional<Shares::RunningSplit> running;
            if (!members.empty())
                running.emplace(sharesOf(members));
            for (const Money::DrawOutcome &row : ledger) {
                const std::vector<std::int64_t> *parts = nullptr;
                if (running && row.wonCents && *row.wonCents != 0)
                    parts = &running->add(*row.wonCents);
                if (!row.hasPrize() || !inRange(row.date))
                    continue;
                const auto day = std::size_t(row.date.toJulianDay() - m_firstDay);
                if (!m_wanted[day])
                    continue;
                PrizeList::Line line {record, row, kUnpriced, std::uint32_t(m_list.members.size()), std::uint32_t(members.size())};
                if (row.wonCents) {
                    // Each draw's report is read once, however many peñas won in it.
                    std::uint32_t &prizes = m_pricesOfDay[day];
                    if (prizes == kNotRead) {
                        prizes = kUnpriced;
                        if (const auto unit = Money::unitPrizes(m_session.prizeReports().report(row.date))) {
                            prizes = std::uint32_t(m_list.unitPrizes.size());
                            m_list.unitPrizes.push_back(*unit);
                        }
                    }
                    line.prizes = prizes;
                    m_list.wonCents = Money::addCents(m_list.wonCents, *row.wonCents);
                } else {
                    ++m_list.pendingLines;
                }
                m_list.unconfirmedPrizes += std::popcount(row.unconfirmed);
                for (std::size_t m = 0; m < members.size(); ++m)
                    m_list.members.push_back(row.wonCents ? PrizeList::MemberPart(parts ? (*parts)[m] : 0) : std::nullopt);
                m_list.lines.push_back(line);
            }
        }

        // Newest draw first, peñas in record order: keys of date and position.
        PrizeList::List finish()
        {
            std::vector<std::uint64_t> keys(m_list.lines.size());
            for (std::size_t i = 0; i < m_list.lines.size(); ++i) {
                const auto day = std::uint32_t(m_list.lines[i].outcome.date.toJulianDay());
                keys[i] = (std::uint64_t(std::numeric_limits<std::uint32_t>::max() - day) << 32) | i;
            }
            std::sort(keys.begin(), keys.end());
            m_list.order.reserve(keys.size());
            for (std::uint64_t key : keys)
                m_list.order.push_back(std::uint32_t(key & 0xFFFFFFFFu));
            return std::move(m_list);
        }

    private:
        static constexpr std::uint32_t kNotRead = PrizeList::kUnpriced - 1;

        bool inRange(QDate date) const { return date.toJulianDay() >= m_firstDay && date.toJulianDay() <= m_lastDay; }

        const Session &m_session;
        const std::vector<MemberFile::Key> m_keys;
        qint64 m_firstDay = std::numeric_limits<qint64>::max();
        qint64 m_lastDay = std::numeric_limits<qint64>::min();
        std::vector<std::uint32_t> m_pricesOfDay;
        std::vector<bool> m_wanted;
        PrizeList::List m_list;
    };
}

PrizeList::List PrizeList::build(const Session &session, const std::set<QDate> *dates, int syndicate)
{
    Builder builder(session, dates);
    if (syndicate != 0)
        builder.add(syndicate, session.money().ledger(syndicate));
    else
        session.money().forEachLedger([&builder](int record, const std::vector<Money::DrawOutcome> &ledger) { builder.add(record, ledger); });
    return builder.finish();
}

PrizeList::List PrizeList::build(const Session &session, const std::vector<std::vector<Money::DrawOutcome>> &ledgers,
                                 const std::set<QDate> *dates)
{
    Builder builder(session, dates);
    for (std::size_t s = 0; s < ledgers.size(); ++s)
        builder.add(int(s) + 1, ledgers[s]);
    return builder.finish();
}

std::optional<std::int64_t> PrizeList::List::amount(const Line &line, int category) const
{
    const auto c = std::size_t(category - 1);
    if (line.prizes == kUnpriced || category < 1 || category > PrizeReport::kRows || line.outcome.unconfirmed & (1u << c))
        return std::nullopt;
    return line.outcome.categories[c] * unitPrizes[line.prizes][c];
}
