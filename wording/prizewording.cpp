#include "prizewording.h"

#include "moneywording.h"

#include "base/notifier.h"
#include "store/cents.h"

#include <QStringList>

namespace
{
    // More than this in one box would not fit a screen; the page has them all.
    constexpr std::size_t kMaxBoxLines = 30;

    QString prizeLine(const PrizeWin &prize)
    {
        QString line = prize.date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(", ")
            + (prize.category == PrizeReport::kReintegro ? QStringLiteral("reintegro") : Wording::prizeCategoryName(prize.category));
        if (prize.count > 1)
            line += QStringLiteral(", %1 apuestas").arg(prize.count);
        return line + QStringLiteral(": ")
            + (prize.amountCents       ? formatEuros(*prize.amountCents)
                   : prize.unconfirmed ? Wording::unconfirmedPrizeText()
                                       : QStringLiteral("importe pendiente"));
    }
}

QString Wording::prizeAmountsText(const PrizeList::List &list, const PrizeList::Line &line)
{
    QStringList parts;
    for (int category = 1; category <= PrizeReport::kRows; ++category) {
        const std::int64_t count = line.outcome.categories[std::size_t(category - 1)];
        if (count == 0)
            continue;
        const bool reintegro = category == PrizeReport::kReintegro;
        const QString what = reintegro ? Wording::categoryShortName(category)
            : count == 1               ? QStringLiteral("%1ª").arg(category)
                                       : QStringLiteral("%1 × %2ª").arg(count).arg(category);
        if (const auto amount = list.amount(line, category))
            parts << (reintegro ? QStringLiteral("%1 de reintegro").arg(formatEuros(*amount))
                                : QStringLiteral("%1 (%2)").arg(formatEuros(*amount), what));
        else if (line.outcome.unconfirmed & (1u << (category - 1)))
            parts << QStringLiteral("%1 (%2)").arg(Wording::unconfirmedPrizeText(), what);
        else
            parts << QStringLiteral("importe pendiente (%1)").arg(what);
    }
    return parts.join(QStringLiteral(" + "));
}

QString Wording::prizeBoxTitle()
{
    return QStringLiteral("Premios");
}

QString Wording::prizeBoxText(const PrizeList::List &list)
{
    if (list.size() == 0)
        return {};
    QStringList text;
    text << QStringLiteral("Premios de esta descarga:");
    // Oldest first, as they happened.
    std::size_t shown = 0;
    for (; shown < list.size() && shown < kMaxBoxLines; ++shown) {
        const PrizeList::Line &line = list.line(list.size() - 1 - shown);
        text << QStringLiteral("%1  %2: %3").arg(line.outcome.date.toString(QStringLiteral("dd/MM/yyyy")), list.nameOf(line), prizeAmountsText(list, line));
    }
    if (shown < list.size()) {
        const std::size_t more = list.size() - shown;
        text << (more == 1 ? QStringLiteral("… y 1 más en la página Premios del gestor de peñas.")
                           : QStringLiteral("… y %1 más en la página Premios del gestor de peñas.").arg(more));
    }
    QString total = QStringLiteral("Total: %1").arg(formatEuros(list.wonCents));
    QStringList besides;
    if (list.pendingLines > 0)
        besides << (list.pendingLines == 1 ? QStringLiteral("1 sorteo con el importe pendiente")
                                           : QStringLiteral("%1 sorteos con el importe pendiente").arg(list.pendingLines));
    if (list.unconfirmedPrizes > 0)
        besides << Wording::unconfirmedText(list.unconfirmedPrizes);
    if (!besides.isEmpty())
        total += QStringLiteral(" (y %1)").arg(besides.join(QStringLiteral(", ")));
    text << QString() << total;
    return text.join(QLatin1Char('\n'));
}

QString Wording::prizeCategoryName(int category)
{
    if (category == PrizeReport::kReintegro)
        return QStringLiteral("Reintegro");
    if (category < 1 || category > 8)
        return {};
    return QStringLiteral("%1ª categoría (%2)").arg(category).arg(categoryHits(category, QLatin1StringView(" + ")));
}

std::vector<Wording::PrizeNotification> Wording::prizeNotifications(const std::vector<PrizeWin> &prizes)
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

QString Wording::sendPrizeNotifications(Notifier &notifier, const std::vector<PrizeWin> &prizes)
{
    QString failure;
    for (const PrizeNotification &notice : prizeNotifications(prizes)) {
        if (!notifier.notify(notice.title, notice.body) && failure.isEmpty())
            failure = notifier.errorString();
    }
    return failure;
}
