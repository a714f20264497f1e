#pragma once

#include "base/endpoints.h"

#include <QDate>
#include <QString>
#include <QUrl>

// The addresses on the lottery operator's site. Paths and query keys are
// fixed here; the scheme, host and port always come from Endpoints, so a
// mirror or a test server given with --operator-url receives every request,
// the report document's included.
namespace OperatorSite
{
    // The results of the game between two dates, newest first.
    QUrl searchUrl(QDate startDate, QDate endDate, const Endpoints &endpoints);
    // One draw's page, from the "year/number" path the search page links.
    // Empty when the path is not a safe path piece.
    QUrl drawPageUrl(const QString &drawPagePath, const Endpoints &endpoints);
    // The report document, from its path on the site (without ".pdf").
    // Empty unless the path starts with "/" and is a safe path piece.
    QUrl reportUrl(const QString &documentPath, const Endpoints &endpoints);

    // The dates of the search address: day/month/four-digit year.
    QString searchDate(QDate date);

    // A piece of a path taken from a page: only the characters a URL path
    // holds (letters beyond ASCII included, percent escapes well formed), no
    // scheme, no empty segment that could start a host, no ".." segment even
    // when percent-encoded. Anything else is treated as a missing link.
    bool isSafePathPiece(const QString &piece);
}
