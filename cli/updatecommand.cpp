#include "updatecommand.h"

#include "exitcodes.h"

#include "core/session.h"
#include "core/sessiondownloadhost.h"
#include "web/networktransfer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <set>

namespace
{
    // Stored draws whose report is not final yet: those a session may complete.
    std::set<QDate> unfinishedReports(const Session &session)
    {
        std::set<QDate> dates;
        for (const DrawRecord &draw : session.drawList().draws) {
            if (!session.prizeReports().report(draw.qdate()).isFinal())
                dates.insert(draw.qdate());
        }
        return dates;
    }

    // Every prize the peñas won in the given draws: one entry per peña,
    // draw and category (9 = the reintegro), with its amount when the
    // draw's report is final.
    QJsonArray prizesIn(const Session &session, const std::set<QDate> &dates)
    {
        QJsonArray prizes;
        for (int record = 1; record <= int(session.syndicates().size()); ++record) {
            const QString name = session.syndicates()[std::size_t(record - 1)].name().trimmed();
            for (const Money::DrawOutcome &row : session.ledger(record)) {
                if (!dates.contains(row.date))
                    continue;
                const PrizeReport report = session.prizeReports().report(row.date);
                for (int category = 1; category <= PrizeReport::kRows; ++category) {
                    const std::int64_t count = row.categories[std::size_t(category - 1)];
                    if (count == 0)
                        continue;
                    const std::int64_t prize = report.row(category).prizeCents;
                    const QJsonValue amount = report.isFinal() && prize >= 0 ? QJsonValue(qint64(count * prize))
                                                                             : QJsonValue(QJsonValue::Null);
                    prizes.append(QJsonObject {{QStringLiteral("syndicate"), record},
                                               {QStringLiteral("name"), name},
                                               {QStringLiteral("date"), row.date.toString(Qt::ISODate)},
                                               {QStringLiteral("category"), category},
                                               {QStringLiteral("count"), qint64(count)},
                                               {QStringLiteral("amountCents"), amount}});
                }
            }
        }
        return prizes;
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

int Cli::runUpdate(Session &session, DownloadSession::Source source, bool json, QDate reportsSince, bool exitOnPrize)
{
    const std::set<QDate> unfinishedBefore = unfinishedReports(session);
    NetworkTransfer transfer;
    SessionDownloadHost host(session);
    DownloadSession download(host, transfer, session.endpoints());
    download.setSource(source);
    download.setReportsSince(reportsSince);
    const bool succeeded = download.runToCompletion();
    // The draws this session added, and those whose report it completed.
    std::set<QDate> touched(download.outcome().newDraws.begin(), download.outcome().newDraws.end());
    for (const QDate &date : unfinishedBefore) {
        if (session.prizeReports().report(date).isFinal())
            touched.insert(date);
    }
    const QJsonArray prizes = prizesIn(session, touched);
    QByteArray out;
    if (json) {
        const DownloadSession::Outcome &outcome = download.outcome();
        QJsonObject object;
        object.insert(QLatin1String("source"), outcome.fromService ? QStringLiteral("service") : QStringLiteral("pages"));
        object.insert(QLatin1String("newDraws"), isoDates(outcome.newDraws));
        object.insert(QLatin1String("pendingReports"), isoDates(outcome.pendingReports));
        object.insert(QLatin1String("missing"), outcome.missing);
        object.insert(QLatin1String("prizes"), prizes);
        out = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    } else {
        out = (download.statusText() + QLatin1Char('\n')).toUtf8();
    }
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    std::fflush(stdout);
    if (!succeeded)
        return Exit::kFailed;
    return exitOnPrize && !prizes.isEmpty() ? Exit::kPrize : Exit::kDone;
}
