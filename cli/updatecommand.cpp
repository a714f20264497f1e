#include "updatecommand.h"

#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "web/networktransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace
{
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

int Cli::runUpdate(Session &session, DownloadSession::Source source, bool json, QDate reportsSince)
{
    NetworkTransfer transfer;
    SessionDownloadHost host(session);
    DownloadSession download(host, transfer, session.endpoints());
    download.setSource(source);
    download.setReportsSince(reportsSince);
    const bool succeeded = download.runToCompletion();
    QByteArray out;
    if (json) {
        const DownloadSession::Outcome &outcome = download.outcome();
        QJsonObject object;
        object.insert(QLatin1String("source"), outcome.fromService ? QStringLiteral("service") : QStringLiteral("pages"));
        object.insert(QLatin1String("newDraws"), isoDates(outcome.newDraws));
        object.insert(QLatin1String("pendingReports"), isoDates(outcome.pendingReports));
        object.insert(QLatin1String("missing"), outcome.missing);
        out = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    } else {
        out = (download.statusText() + QLatin1Char('\n')).toUtf8();
    }
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    std::fflush(stdout);
    return succeeded ? 0 : 1;
}
