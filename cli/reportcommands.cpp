#include "reportcommands.h"

#include "exitcodes.h"
#include "output.h"

#include "commands.h"

#include "core/membership.h"
#include "core/session.h"
#include "scrutiny/money.h"
#include "scrutiny/shares.h"
#include "store/cents.h"
#include "store/oledate.h"
#include "wording/moneywording.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cstdio>

namespace
{
    using Cli::printJson;
    using Cli::printLine;

    QString statusName(PrizeReport::Status status)
    {
        switch (status) {
        case PrizeReport::Status::Final: return QStringLiteral("final");
        case PrizeReport::Status::Pending: return QStringLiteral("pending");
        case PrizeReport::Status::Missing: break;
        }
        return QStringLiteral("missing");
    }

    QJsonValue count(std::int64_t value)
    {
        // Reports read off the classic pages carry amounts but no winners.
        return value < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(qint64(value));
    }

    QJsonObject reportJson(QDate date, const PrizeReport &report, const QString &problem)
    {
        QJsonArray rows;
        if (report.isFinal()) {
            for (int category = 1; category <= PrizeReport::kRows; ++category) {
                const PrizeRow &row = report.row(category);
                rows.append(QJsonObject {{QStringLiteral("category"), category},
                                         {QStringLiteral("winners"), count(row.winners)},
                                         {QStringLiteral("prizeCents"), count(row.prizeCents)}});
            }
        }
        QJsonObject object {{QStringLiteral("date"), date.toString(Qt::ISODate)},
                            {QStringLiteral("status"), statusName(report.status)},
                            {QStringLiteral("rows"), rows}};
        // A stored report whose figures cannot be real counts as pending.
        if (!problem.isEmpty())
            object.insert(QStringLiteral("problem"), problem);
        return object;
    }

    void printReportText(QDate date, const PrizeReport &report, const QString &problem)
    {
        static const char *const names[] = {"1ª (5 + 1)", "2ª (5 + 0)", "3ª (4 + 1)", "4ª (4 + 0)", "5ª (3 + 1)",
                                            "6ª (3 + 0)", "7ª (2 + 1)", "8ª (2 + 0)", "Reintegro"};
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        printLine(QStringLiteral("Sorteo del %1").arg(date.toString(QStringLiteral("dd/MM/yyyy"))));
        if (!problem.isEmpty()) {
            printLine(QStringLiteral("  El informe de premios guardado no es válido (%1): no se tiene en cuenta y se "
                                     "volverá a pedir.")
                          .arg(problem));
            return;
        }
        if (!report.isFinal()) {
            printLine(report.status == PrizeReport::Status::Pending
                          ? QStringLiteral("  Informe de premios pendiente: el operador aún no lo ha publicado.")
                          : QStringLiteral("  No hay informe de premios guardado para este sorteo."));
            return;
        }
        printLine(QStringLiteral("  %1 %2 %3").arg(QStringLiteral("Categoría"), -12).arg(QStringLiteral("Acertantes"), 12).arg(QStringLiteral("Premio (€)"), 16));
        for (int category = 1; category <= PrizeReport::kRows; ++category) {
            const PrizeRow &row = report.row(category);
            const QString winners = row.winners < 0 ? QStringLiteral("-") : spanish.toString(qlonglong(row.winners));
            const QString prize = row.prizeCents < 0 ? QStringLiteral("-") : Cents::format(row.prizeCents);
            printLine(QStringLiteral("  %1 %2 %3").arg(QString::fromUtf8(names[category - 1]), -12).arg(winners, 12).arg(prize, 16));
        }
    }
}

QString Cli::prizesUsageError(const QString &dateText, bool all)
{
    if (all && !dateText.isEmpty())
        return QStringLiteral("prizes: use --date o --all, no ambos.");
    if (!dateText.isEmpty() && !QDate::fromString(dateText, Qt::ISODate).isValid())
        return QStringLiteral("--date: fecha no válida (%1): use AAAA-MM-DD.").arg(dateText);
    return {};
}

int Cli::runPrizes(Session &session, const QString &dateText, bool all, bool json)
{
    if (const QString wrong = prizesUsageError(dateText, all); !wrong.isEmpty()) {
        Cli::printMessage(wrong);
        return Exit::kUsage;
    }
    const auto &draws = session.draws().list().draws; // newest first
    if (all) {
        QJsonArray reports;
        for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
            const PrizeReport report = session.prizeReports().report(it->qdate());
            const QString problem = session.prizeReports().problem(it->qdate());
            if (json)
                reports.append(reportJson(it->qdate(), report, problem));
            else
                printReportText(it->qdate(), report, problem);
        }
        if (json)
            printJson({{QStringLiteral("reports"), reports}});
        return Exit::kDone;
    }
    QDate date;
    if (!dateText.isEmpty()) {
        date = QDate::fromString(dateText, Qt::ISODate);
    } else if (!draws.empty()) {
        date = draws.front().qdate();
    } else {
        std::fprintf(stderr, "No hay sorteos guardados.\n");
        return Exit::kFailed;
    }
    // A date with no stored draw has no report either: "missing".
    bool stored = false;
    for (const DrawRecord &draw : draws)
        stored = stored || draw.qdate() == date;
    const PrizeReport report = stored ? session.prizeReports().report(date) : PrizeReport {};
    const QString problem = stored ? session.prizeReports().problem(date) : QString();
    if (json)
        printJson(reportJson(date, report, problem));
    else
        printReportText(date, report, problem);
    return Exit::kDone;
}

QString Cli::ledgerUsageError(const QString &syndicateText, bool json, bool csv)
{
    bool ok = false;
    const int record = syndicateText.trimmed().toInt(&ok);
    if (!ok || record < 1 || (json && csv))
        return QStringLiteral("Uso: quorvale-cli ledger --syndicate R [--member NOMBRE] [--json | --csv]");
    return {};
}

namespace
{
    QJsonArray unconfirmedJson(const Shares::DrawPart &row)
    {
        QJsonArray list;
        for (int category = 1; category <= PrizeReport::kRows; ++category) {
            if (row.unconfirmed & (1u << (category - 1)))
                list.append(category);
        }
        return list;
    }

    void printLedgerCsv(const std::vector<Shares::DrawPart> &rows)
    {
        printLine(QStringLiteral("date,stakeCents,wonCents,cat1,cat2,cat3,cat4,cat5,cat6,cat7,cat8,reintegro,unconfirmed"));
        for (const Shares::DrawPart &row : rows) {
            QStringList fields = {row.date.toString(Qt::ISODate), QString::number(row.stakeCents),
                                  row.wonCents ? QString::number(*row.wonCents) : QString()};
            for (std::int64_t n : row.categories)
                fields << QString::number(n);
            QStringList unconfirmed;
            for (const QJsonValue &category : unconfirmedJson(row))
                unconfirmed << QString::number(category.toInt());
            fields << unconfirmed.join(QLatin1Char(';'));
            printLine(fields.join(QLatin1Char(',')));
        }
    }

    QJsonArray ledgerJson(const std::vector<Shares::DrawPart> &rows)
    {
        QJsonArray out;
        for (const Shares::DrawPart &row : rows) {
            QJsonArray categories;
            for (std::int64_t n : row.categories)
                categories.append(qint64(n));
            out.append(QJsonObject {{QStringLiteral("date"), row.date.toString(Qt::ISODate)},
                                    {QStringLiteral("stakeCents"), qint64(row.stakeCents)},
                                    {QStringLiteral("wonCents"), row.wonCents ? QJsonValue(qint64(*row.wonCents)) : QJsonValue(QJsonValue::Null)},
                                    {QStringLiteral("categories"), categories},
                                    {QStringLiteral("unconfirmed"), unconfirmedJson(row)}});
        }
        return out;
    }

    // The totals of rows, as Money::totals counts them.
    Money::Totals totalsOf(const std::vector<Shares::DrawPart> &rows)
    {
        std::vector<Money::DrawOutcome> outcomes;
        outcomes.reserve(rows.size());
        for (const Shares::DrawPart &row : rows)
            outcomes.push_back({row.date, row.stakeCents, row.wonCents, row.categories, row.unconfirmed});
        return Money::totals(outcomes);
    }

    void printLedgerText(const QString &heading, const std::vector<Shares::DrawPart> &rows, const Money::Totals &totals)
    {
        printLine(heading);
        const auto line = [](const QString &date, const QString &stake, const QString &won, const QString &hits) {
            printLine(QStringLiteral("%1 %2 %3  %4").arg(date, -10).arg(stake, 12).arg(won, 22).arg(hits).trimmed());
        };
        line(QStringLiteral("Fecha"), QStringLiteral("Jugado"), QStringLiteral("Ganado"), QStringLiteral("Aciertos"));
        for (const Shares::DrawPart &row : rows) {
            const Money::DrawOutcome outcome {row.date, row.stakeCents, row.wonCents, row.categories, row.unconfirmed};
            line(row.date.toString(QStringLiteral("dd/MM/yyyy")), formatEuros(row.stakeCents), Wording::wonText(outcome),
                 Wording::hitsText(outcome));
        }
        line(QStringLiteral("Total"), formatEuros(totals.stakeCents), formatEuros(totals.wonCents), QString());
        QString balance = QStringLiteral("Balance: %1").arg(formatEuros(totals.balanceCents));
        if (totals.provisional())
            balance += QStringLiteral(" (%1)").arg(Wording::provisionalText(totals));
        printLine(balance);
    }
}

int Cli::runLedger(Session &session, const QString &syndicateText, const QString &member, bool json, bool csv)
{
    if (const QString wrong = ledgerUsageError(syndicateText, json, csv); !wrong.isEmpty()) {
        Cli::printMessage(wrong);
        return Exit::kUsage;
    }
    const int record = syndicateText.trimmed().toInt();
    if (!knownSyndicate(session, record))
        return Exit::kFailed;
    const QString name = session.syndicates().records()[std::size_t(record - 1)].name().trimmed();
    std::vector<Shares::DrawPart> rows;
    Membership membership(session);
    Member sharer;
    if (!member.isEmpty()) {
        const std::optional<Member> found = membership.sharer(record, member);
        if (!found) {
            std::fprintf(stderr, "No hay ningún socio llamado %s en la peña %d.\n",
                         qUtf8Printable(MemberFile::normalizedName(member)), record);
            return Exit::kFailed;
        }
        sharer = *found;
        rows = membership.memberLedger(record, sharer.name);
    } else {
        for (const Money::DrawOutcome &row : session.money().ledger(record))
            rows.push_back({row.date, row.stakeCents, row.wonCents, row.categories, row.unconfirmed});
    }
    const Money::Totals totals = totalsOf(rows);
    if (csv) {
        printLedgerCsv(rows);
        return Exit::kDone;
    }
    if (!json) {
        const QString heading = member.isEmpty()
            ? QStringLiteral("Peña %1: %2").arg(record).arg(name)
            : QStringLiteral("%1, socio de la peña %2: %3 (%4 de %5 participaciones)")
                  .arg(sharer.name)
                  .arg(record)
                  .arg(name)
                  .arg(sharer.shares)
                  .arg(membership.totalShares(record));
        printLedgerText(heading, rows, totals);
        return Exit::kDone;
    }
    QJsonObject object {{QStringLiteral("syndicate"), record},
                        {QStringLiteral("name"), name},
                        {QStringLiteral("rows"), ledgerJson(rows)},
                        {QStringLiteral("totals"), moneyJson(totals)}};
    if (!member.isEmpty()) {
        object.insert(QStringLiteral("member"), sharer.name);
        object.insert(QStringLiteral("shares"), sharer.shares);
        object.insert(QStringLiteral("totalShares"), membership.totalShares(record));
    }
    printJson(object);
    return Exit::kDone;
}
