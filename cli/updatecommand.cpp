#include "updatecommand.h"

#include "exitcodes.h"
#include "output.h"

#include "base/notifier.h"
#include "base/prompter.h"
#include "core/prizelist.h"
#include "core/prizewatch.h"
#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "web/networktransfer.h"
#include "wording/prizewording.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>

namespace
{
    QJsonArray prizesJson(const std::vector<PrizeWin> &prizes)
    {
        QJsonArray array;
        for (const PrizeWin &prize : prizes) {
            QJsonObject object {{QStringLiteral("syndicate"), prize.syndicate},
                                {QStringLiteral("name"), prize.name},
                                {QStringLiteral("date"), prize.date.toString(Qt::ISODate)},
                                {QStringLiteral("category"), prize.category},
                                {QStringLiteral("count"), qint64(prize.count)},
                                {QStringLiteral("amountCents"), prize.amountCents ? QJsonValue(qint64(*prize.amountCents)) : QJsonValue(QJsonValue::Null)}};
            // Only when the report contradicts the prize.
            if (prize.unconfirmed)
                object.insert(QStringLiteral("unconfirmed"), true);
            array.append(object);
        }
        return array;
    }

    QJsonArray isoDates(const std::vector<QDate> &dates)
    {
        QJsonArray array;
        for (const QDate &date : dates)
            array.append(date.toString(Qt::ISODate));
        return array;
    }
}

std::optional<DownloadSession::Source> Cli::updateSource(const QString &text)
{
    if (text == QLatin1String("auto"))
        return DownloadSession::Source::Auto;
    if (text == QLatin1String("service"))
        return DownloadSession::Source::Service;
    if (text == QLatin1String("pages"))
        return DownloadSession::Source::Pages;
    return std::nullopt;
}

int Cli::runUpdate(Session &session, DownloadSession::Source source, bool json, QDate reportsSince, bool exitOnPrize,
                   Notifier *notifier)
{
    const PrizeWatch watch(session);
    NetworkTransfer transfer;
    SessionDownloadHost host(session);
    if (reportsSince.isValid()) {
        // A fetch of older reports may take a request a second for a while:
        // its steps go to stderr, as the window's download area shows them.
        QObject::connect(&host, &SessionDownloadHost::progressChanged, &host, [&host, last = QString()]() mutable {
            if (const QString text = downloadActivityText(host.activity()); !text.isEmpty() && text != last) {
                last = text;
                Cli::printMessage(text);
            }
        });
    }
    DownloadSession download(host, transfer, session.endpoints());
    download.setSource(source);
    download.setReportsSince(reportsSince);
    const bool succeeded = download.runToCompletion();
    // Why nothing was asked or brought, if so, in the window's words.
    int refused = Cli::report(session.prompter(), download.refusal());
    if (const int ended = Cli::report(session.prompter(), download.result()); refused == Exit::kDone)
        refused = ended;
    const std::vector<PrizeWin> prizes = watch.found(session, download.outcome().newDraws);
    if (!prizes.empty()) {
        // The window's box after the download, on stderr like every box.
        const std::set<QDate> touched = watch.touched(session, download.outcome().newDraws);
        if (const PrizeList::List list = PrizeList::build(session, &touched); list.size() > 0)
            session.prompter().inform(Wording::prizeBoxTitle(), Wording::prizeBoxText(list));
    }
    if (json) {
        const DownloadSession::Outcome &outcome = download.outcome();
        QJsonObject object;
        object.insert(QLatin1String("source"), outcome.fromService ? QStringLiteral("service") : QStringLiteral("pages"));
        object.insert(QLatin1String("newDraws"), isoDates(outcome.newDraws));
        object.insert(QLatin1String("pendingReports"), isoDates(outcome.pendingReports));
        object.insert(QLatin1String("missing"), outcome.missing);
        object.insert(QLatin1String("reportsStored"), outcome.storedReports);
        object.insert(QLatin1String("prizes"), prizesJson(prizes));
        object.insert(QLatin1String("blocked"), outcome.blocked);
        object.insert(QLatin1String("browserUrl"), outcome.browserUrl.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(outcome.browserUrl.toString(QUrl::FullyEncoded)));
        Cli::printJsonLine(object);
    } else {
        Cli::printLine(downloadActivityText(download.activity()));
    }
    Cli::flushOut();
    if (notifier) {
        if (const QString failure = Wording::sendPrizeNotifications(*notifier, prizes); !failure.isEmpty())
            std::fprintf(stderr, "Aviso: no se ha podido avisar del premio en el escritorio (%s).\n", qUtf8Printable(failure));
    }
    if (refused != Exit::kDone)
        return refused;
    // Draws still missing are no success, whatever the transfers did.
    if (!succeeded || download.outcome().missing > 0)
        return Exit::kFailed;
    return exitOnPrize && !prizes.empty() ? Exit::kPrize : Exit::kDone;
}
