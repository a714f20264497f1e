#include "prizelist.h"

#include "session.h"

#include "scrutiny/shares.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <bit>

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

PrizeList::List PrizeList::build(const Session &session, const std::set<QDate> *dates, int syndicate)
{
    if (syndicate == 0)
        return build(session, session.ledgers(), dates);
    // One peña: the others' ledgers stay empty.
    std::vector<std::vector<Money::DrawOutcome>> ledgers(session.syndicates().size());
    if (syndicate >= 1 && syndicate <= int(ledgers.size()))
        ledgers[std::size_t(syndicate - 1)] = session.ledger(syndicate);
    return build(session, ledgers, dates);
}

PrizeList::List PrizeList::build(const Session &session, const std::vector<std::vector<Money::DrawOutcome>> &ledgers,
                                 const std::set<QDate> *dates)
{
    List list;
    const auto &syndicates = session.syndicates();
    const auto keys = MemberFile::keysOf(syndicates);
    // Lines are made peña by peña, oldest first (the members' running
    // split needs that order), then ordered newest first. Draw dates are
    // looked up by day in flat tables: a tree costs more than all the rest.
    qint64 firstDay = std::numeric_limits<qint64>::max();
    qint64 lastDay = std::numeric_limits<qint64>::min();
    std::size_t rows = 0;
    for (const auto &ledger : ledgers) {
        rows += ledger.size();
        for (const Money::DrawOutcome &row : ledger) {
            firstDay = std::min(firstDay, row.date.toJulianDay());
            lastDay = std::max(lastDay, row.date.toJulianDay());
        }
    }
    const std::size_t days = lastDay >= firstDay ? std::size_t(lastDay - firstDay + 1) : 0;
    constexpr std::uint32_t kNotRead = kUnpriced - 1;
    std::vector<std::uint32_t> pricesOfDay(days, kNotRead);
    std::vector<bool> wanted(days, dates == nullptr);
    list.lines.reserve(dates ? std::min(rows, dates->size() * ledgers.size()) : rows);
    if (dates) {
        for (const QDate &date : *dates) {
            if (date.toJulianDay() >= firstDay && date.toJulianDay() <= lastDay)
                wanted[std::size_t(date.toJulianDay() - firstDay)] = true;
        }
    }
    for (std::size_t s = 0; s < ledgers.size() && s < syndicates.size(); ++s) {
        const std::vector<Member> members = session.memberFile().members(keys[s]);
        list.names.push_back(syndicates[s].name().trimmed());
        list.memberNames.emplace_back();
        for (const Member &member : members)
            list.memberNames.back().push_back(member.name);
        // The members' parts of the winnings run over every priced draw, so
        // that the parts of the lines add up to the members' table.
        std::optional<Shares::RunningSplit> running;
        if (!members.empty())
            running.emplace(sharesOf(members));
        for (const Money::DrawOutcome &row : ledgers[s]) {
            const std::vector<std::int64_t> *parts = nullptr;
            if (running && row.wonCents && *row.wonCents != 0)
                parts = &running->add(*row.wonCents);
            const auto day = std::size_t(row.date.toJulianDay() - firstDay);
            if (!row.hasPrize() || !wanted[day])
                continue;
            Line line {int(s) + 1, row, kUnpriced, std::uint32_t(list.members.size()), std::uint32_t(members.size())};
            if (row.wonCents) {
                // Each draw's report is read once, however many peñas won in it.
                std::uint32_t &prizes = pricesOfDay[day];
                if (prizes == kNotRead) {
                    prizes = kUnpriced;
                    if (const auto unit = Money::unitPrizes(session.prizeReports().report(row.date))) {
                        prizes = std::uint32_t(list.unitPrizes.size());
                        list.unitPrizes.push_back(*unit);
                    }
                }
                line.prizes = prizes;
                list.wonCents = Money::addCents(list.wonCents, *row.wonCents);
            } else {
                ++list.pendingLines;
            }
            list.unconfirmedPrizes += std::popcount(row.unconfirmed);
            for (std::size_t m = 0; m < members.size(); ++m)
                list.members.push_back(row.wonCents ? MemberPart(parts ? (*parts)[m] : 0) : std::nullopt);
            list.lines.push_back(line);
        }
    }
    // Newest draw first, peñas in record order: keys of date and position.
    std::vector<std::uint64_t> keys64(list.lines.size());
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        const auto day = std::uint32_t(list.lines[i].outcome.date.toJulianDay());
        keys64[i] = (std::uint64_t(std::numeric_limits<std::uint32_t>::max() - day) << 32) | i;
    }
    std::sort(keys64.begin(), keys64.end());
    list.order.reserve(keys64.size());
    for (std::uint64_t key : keys64)
        list.order.push_back(std::uint32_t(key & 0xFFFFFFFFu));
    return list;
}

std::optional<std::int64_t> PrizeList::List::amount(const Line &line, int category) const
{
    const auto c = std::size_t(category - 1);
    if (line.prizes == kUnpriced || category < 1 || category > PrizeReport::kRows || line.outcome.unconfirmed & (1u << c))
        return std::nullopt;
    return line.outcome.categories[c] * unitPrizes[line.prizes][c];
}

QString PrizeList::amountsText(const List &list, const Line &line)
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
        if (const auto amount = list.amount(line, category))
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
    if (list.size() == 0)
        return {};
    QStringList text;
    text << QStringLiteral("Premios de esta descarga:");
    // Oldest first, as they happened.
    std::size_t shown = 0;
    for (; shown < list.size() && shown < kMaxBoxLines; ++shown) {
        const Line &line = list.line(list.size() - 1 - shown);
        text << QStringLiteral("%1  %2: %3").arg(line.outcome.date.toString(QStringLiteral("dd/MM/yyyy")), list.nameOf(line),
                                                 amountsText(list, line));
    }
    if (shown < list.size()) {
        const std::size_t more = list.size() - shown;
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
