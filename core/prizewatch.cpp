#include "prizewatch.h"

#include "scrutiny/money.h"
#include "session.h"

namespace
{
    std::set<QDate> unfinishedReports(const Session &session)
    {
        std::set<QDate> dates;
        for (const DrawRecord &draw : session.draws().list().draws) {
            if (!session.prizeReports().report(draw.qdate()).isFinal())
                dates.insert(draw.qdate());
        }
        return dates;
    }
}

std::vector<PrizeWin> prizesIn(const Session &session, const std::set<QDate> &dates)
{
    std::vector<PrizeWin> prizes;
    if (dates.empty())
        return prizes;
    for (int record = 1; record <= int(session.syndicates().records().size()); ++record) {
        const QString name = session.syndicates().records()[std::size_t(record - 1)].name().trimmed();
        for (const Money::DrawOutcome &row : session.money().ledger(record)) {
            if (!dates.contains(row.date))
                continue;
            const PrizeReport report = session.prizeReports().report(row.date);
            for (int category = 1; category <= PrizeReport::kRows; ++category) {
                const std::int64_t count = row.categories[std::size_t(category - 1)];
                if (count == 0)
                    continue;
                const auto prize = Money::prizeCents(report, category);
                PrizeWin win {record, name, row.date, category, count, std::nullopt};
                // A prize the report contradicts has no amount yet.
                win.unconfirmed = (row.unconfirmed & (1u << (category - 1))) != 0;
                if (prize && !win.unconfirmed)
                    win.amountCents = count * *prize;
                prizes.push_back(win);
            }
        }
    }
    return prizes;
}

PrizeWatch::PrizeWatch(const Session &session)
    : m_unfinished(unfinishedReports(session))
{
}

std::set<QDate> PrizeWatch::touched(const Session &session, const std::vector<QDate> &newDraws) const
{
    std::set<QDate> dates(newDraws.begin(), newDraws.end());
    for (const QDate &date : m_unfinished) {
        if (session.prizeReports().report(date).isFinal())
            dates.insert(date);
    }
    return dates;
}

std::vector<PrizeWin> PrizeWatch::found(const Session &session, const std::vector<QDate> &newDraws) const
{
    return prizesIn(session, touched(session, newDraws));
}
