#include "prizewatch.h"

#include "base/notifier.h"
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

    QString prizeLine(const PrizeWin &prize)
    {
        QString line = prize.date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(", ")
            + (prize.category == PrizeReport::kReintegro ? QStringLiteral("reintegro") : prizeCategoryName(prize.category));
        if (prize.count > 1)
            line += QStringLiteral(", %1 apuestas").arg(prize.count);
        return line + QStringLiteral(": ")
            + (prize.amountCents       ? Money::formatEuros(*prize.amountCents)
                   : prize.unconfirmed ? Money::unconfirmedPrizeText()
                                       : QStringLiteral("importe pendiente"));
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

QString prizeCategoryName(int category)
{
    static const char *const hits[] = {"5 + 1", "5 + 0", "4 + 1", "4 + 0", "3 + 1", "3 + 0", "2 + 1", "2 + 0"};
    if (category == PrizeReport::kReintegro)
        return QStringLiteral("Reintegro");
    if (category < 1 || category > 8)
        return {};
    return QStringLiteral("%1ª categoría (%2)").arg(category).arg(QLatin1String(hits[category - 1]));
}

std::vector<PrizeNotification> prizeNotifications(const std::vector<PrizeWin> &prizes)
{
    std::vector<PrizeNotification> notices;
    std::vector<int> records;
    for (const PrizeWin &prize : prizes) {
        std::size_t i = 0;
        while (i < records.size() && records[i] != prize.syndicate)
            ++i;
        if (i == records.size()) {
            records.push_back(prize.syndicate);
            notices.push_back({QStringLiteral("Premio en la peña %1").arg(prize.name), QString()});
        } else {
            notices[i].body += QLatin1Char('\n');
        }
        notices[i].body += prizeLine(prize);
    }
    return notices;
}

QString sendPrizeNotifications(Notifier &notifier, const std::vector<PrizeWin> &prizes)
{
    QString failure;
    for (const PrizeNotification &notice : prizeNotifications(prizes)) {
        if (!notifier.notify(notice.title, notice.body) && failure.isEmpty())
            failure = notifier.errorString();
    }
    return failure;
}
