#pragma once

#include "web/prizereport.h"

#include <QString>
#include <QUrl>

// The texts of the report panel ("Último sorteo"): its title line, the
// prizes and winners of a stored report and the text shown when no
// document is.
namespace Wording
{
    // "-Informe del Domingo, 5 de enero del 2020"; the panel's caption
    // "Informe" when no draw is stored (0).
    QString reportHeading(double drawDate);
    // The title line while the panel is being rebuilt on a tab change.
    QString reportUpdatingHeading();

    // Category 1 to 8: the prize per winning bet ("3.565,21"), the draw
    // page's own words for it, or empty when not known.
    QString reportAmountText(const PrizeReportView &view, int category);
    // Category 1 to 8: "(61.201 acertantes)"; empty when not known.
    QString reportWinnersText(const PrizeReportView &view, int category);
    // "- Reintegro: 1,00 € a 258.090 acertantes"; empty when not known.
    QString reportReintegroText(const PrizeReportView &view);

    // The panel's text when no document is shown.
    QString reportMessage(const PrizeReportView &view);
    QString reportNotAvailableText();
    QString reportNoConnectionText();
    QString reportNoViewerText(const QUrl &readerPage);
    QString reportUnreadableText(const ReportUnreadable &reason);
}
