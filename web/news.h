#pragma once

#include "base/endpoints.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QUrl>

class WebTransfer;

// The maker's news document, informe.dat in the data directory. It is
// fetched at start-up when the draws are at least three days behind, and
// offered in the news window when it changed and is long enough to read.
namespace News
{
    constexpr const char *kFileName = "informe.dat";

    // Shorter documents are never offered on their own.
    constexpr qint64 kMinOfferedLength = 301;

    QUrl documentUrl(const Endpoints &endpoints);

    // The newest stored draw is known and at least three days old.
    bool isDue(double newestDrawDate, QDate today);

    // Offered when the length changed and the new one is long enough; only
    // the lengths are compared.
    bool offerNews(qint64 lengthBefore, qint64 lengthAfter);

    enum class Outcome
    {
        Off, // no news server is configured
        NotDue, // the draws are up to date, or none is stored
        NoSyndicate, // nobody to tell
        Unreachable, // the document could not be fetched; the old one stays
        NothingNew, // fetched, but not worth offering
        Offer, // open the news window
    };

    struct CheckInput
    {
        double newestDrawDate = 0;
        QDate today;
        int syndicates = 0;
        QString dataDir;
        Endpoints endpoints;
    };

    // The start-up check: creates informe.dat when missing and fetches the
    // document when due. Every failure is silent. Without a news server
    // nothing is touched.
    Outcome checkNews(const CheckInput &input, WebTransfer &transfer);
    // The fetch itself, for a check that found the draws behind.
    Outcome fetchNews(const CheckInput &input, WebTransfer &transfer);

    // The news window shows the document only when it holds more than ten
    // bytes.
    bool worthShowing(const QString &filePath);

    // The document as text for the window: UTF-8 when it is valid UTF-8,
    // else the single-byte code page.
    QString documentText(const QByteArray &bytes);
}
