#include "prizelist.h"

#include "session.h"

#include "scrutiny/shares.h"

#include <QStringList>

#include <algorithm>

namespace
{
    // More than this in one box would not fit a screen; the page has them all.
    constexpr std::size_t kMaxBoxLines = 30;

    std::vector<int> sharesOf(const std::vector<Member> &members)
    {
        std::vector<int> shares;
        shares.reserve(members.size());
        for (const Member &member : members)
            shares.push_back(member.shares);
        return shares;
    }
}

PrizeList::List PrizeList::build(const Session &session, const std::set<QDate> *dates)
{
    return build(session, session.ledgers(), dates);
}

PrizeList::List PrizeList::build(const Session &session, const std::vector<std::vector<Money::DrawOutcome>> &ledgers,
                                 const std::set<QDate> *dates)
{
    List list;
    const auto &syndicates = session.syndicates();
    const auto keys = MemberFile::keysOf(syndicates);
    for (std::size_t s = 0; s < ledgers.size() && s < syndicates.size(); ++s) {
        const std::vector<Member> members = session.memberFile().members(keys[s]);
        const std::vector<int> shares = sharesOf(members);
        // The members' parts of the winnings run over every priced draw, so
        // that the parts of the lines add up to the members' table.
        std::optional<Shares::RunningSplit> running;
        if (!members.empty())
            running.emplace(shares);
        const QString name = syndicates[s].name().trimmed();
        for (const Money::DrawOutcome &row : ledgers[s]) {
            std::vector<std::int64_t> parts;
            if (running && row.wonCents && *row.wonCents != 0)
                parts = running->add(*row.wonCents);
            if (!row.hasPrize() || (dates && !dates->contains(row.date)))
                continue;
            Line line {int(s) + 1, name, row, {}, {}};
            if (row.wonCents) {
                const PrizeReport report = session.prizeReports().report(row.date);
                for (int category = 1; category <= PrizeReport::kRows; ++category) {
                    const std::int64_t count = row.categories[std::size_t(category - 1)];
                    const auto prize = Money::prizeCents(report, category);
                    if (count != 0 && prize && !(row.unconfirmed & (1u << (category - 1))))
                        line.amounts[std::size_t(category - 1)] = count * *prize;
                }
                list.wonCents = Money::addCents(list.wonCents, *row.wonCents);
            } else {
                ++list.pendingLines;
            }
            list.unconfirmedPrizes += int(row.unconfirmedCategories().size());
            for (std::size_t m = 0; m < members.size(); ++m) {
                std::optional<std::int64_t> part;
                if (row.wonCents)
                    part = parts.empty() ? 0 : parts[m];
                line.members.push_back({members[m].name, part});
            }
            list.lines.push_back(std::move(line));
        }
    }
    std::stable_sort(list.lines.begin(), list.lines.end(),
                     [](const Line &a, const Line &b) { return a.outcome.date > b.outcome.date; });
    return list;
}

QString PrizeList::amountsText(const Line &line)
{
    QStringList parts;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const std::int64_t count = line.outcome.categories[std::size_t(category - 1)];
        if (count == 0)
            continue;
        const bool reintegro = category == PrizeReport::kReintegro;
        const QString what = reintegro ? Money::categoryShortName(category)
                                       : count == 1 ? QStringLiteral("%1ª").arg(category)
                                                    : QStringLiteral("%1 × %2ª").arg(count).arg(category);
        if (const auto amount = line.amounts[std::size_t(category - 1)])
            parts << (reintegro ? QStringLiteral("%1 de reintegro").arg(Money::formatEuros(*amount))
                                : QStringLiteral("%1 (%2)").arg(Money::formatEuros(*amount), what));
        else if (line.outcome.unconfirmed & (1u << (category - 1)))
            parts << QStringLiteral("%1 (%2)").arg(Money::unconfirmedPrizeText(), what);
        else
            parts << QStringLiteral("importe pendiente (%1)").arg(what);
    }
    return parts.join(QStringLiteral(" + "));
}

QString PrizeList::boxTitle()
{
    return QStringLiteral("Premios");
}

QString PrizeList::boxText(const List &list)
{
    if (list.lines.empty())
        return {};
    QStringList text;
    text << QStringLiteral("Premios de esta descarga:");
    // Oldest first, as they happened.
    std::size_t shown = 0;
    for (auto it = list.lines.rbegin(); it != list.lines.rend() && shown < kMaxBoxLines; ++it, ++shown) {
        text << QStringLiteral("%1  %2: %3").arg(it->outcome.date.toString(QStringLiteral("dd/MM/yyyy")), it->name,
                                                 amountsText(*it));
    }
    if (shown < list.lines.size()) {
        const std::size_t more = list.lines.size() - shown;
        text << (more == 1 ? QStringLiteral("… y 1 más en la página Premios del gestor de peñas.")
                           : QStringLiteral("… y %1 más en la página Premios del gestor de peñas.").arg(more));
    }
    QString total = QStringLiteral("Total: %1").arg(Money::formatEuros(list.wonCents));
    QStringList besides;
    if (list.pendingLines > 0)
        besides << (list.pendingLines == 1 ? QStringLiteral("1 sorteo con el importe pendiente")
                                           : QStringLiteral("%1 sorteos con el importe pendiente").arg(list.pendingLines));
    if (list.unconfirmedPrizes > 0)
        besides << Money::unconfirmedText(list.unconfirmedPrizes);
    if (!besides.isEmpty())
        total += QStringLiteral(" (y %1)").arg(besides.join(QStringLiteral(", ")));
    text << QString() << total;
    return text.join(QLatin1Char('\n'));
}
