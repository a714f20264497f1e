#pragma once

#include "core/prizelist.h"
#include "core/prizewatch.h"

#include <QString>

#include <vector>

class Notifier;

// The texts of the peñas' prizes: the "Premios" page's amounts, the box
// after a download that brought prizes and the desktop notice, for the
// window and `quorvale-cli update` alike.
namespace Wording
{
    // "3,00 € (8ª) + 6,00 € de reintegro": each category's euros, or why
    // they are not known.
    QString prizeAmountsText(const PrizeList::List &list, const PrizeList::Line &line);
    // The box after a download: a line per draw and peña ("06/12/2026  LOS
    // DEL BAR: 3,00 € (8ª) + 6,00 € de reintegro") and the total; empty
    // without prizes.
    QString prizeBoxText(const PrizeList::List &list);
    QString prizeBoxTitle(); // "Premios"

    // The desktop notice of a peña's prizes: the peña in the title, one line
    // per prize with its draw, category and amount.
    struct PrizeNotification
    {
        QString title;
        QString body;

        bool operator==(const PrizeNotification &) const = default;
    };

    // One notice per peña, in the order of the prizes.
    std::vector<PrizeNotification> prizeNotifications(const std::vector<PrizeWin> &prizes);
    // "5ª categoría (3 + 1)", "Reintegro".
    QString prizeCategoryName(int category);
    // Shows every notice; the reason of the first one that could not be shown,
    // empty when all were.
    QString sendPrizeNotifications(Notifier &notifier, const std::vector<PrizeWin> &prizes);
}
