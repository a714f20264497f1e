#include "membercommands.h"

#include "commands.h"
#include "exitcodes.h"
#include "output.h"

#include "base/calendar.h"
#include "core/membership.h"
#include "core/session.h"
#include "print/participation.h"
#include "print/pdffileprinter.h"
#include "store/cents.h"
#include "wording/moneywording.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>

namespace
{
    const QString kSyndicate = QStringLiteral("syndicate");
    const QString kShares = QStringLiteral("shares");
    const QString kDate = QStringLiteral("date");
    const QString kChanges[] = {QStringLiteral("add"), QStringLiteral("set"), QStringLiteral("remove")};

    int recordOf(const QCommandLineParser &parser)
    {
        bool ok = false;
        const int record = parser.value(kSyndicate).trimmed().toInt(&ok);
        return ok && record >= 1 ? record : 0;
    }

    int sharesOf(const QCommandLineParser &parser)
    {
        bool ok = false;
        const int shares = parser.value(kShares).trimmed().toInt(&ok);
        return ok ? shares : 0;
    }
}

QString Cli::memberUsageError(const QCommandLineParser &parser, const QString &command)
{
    if (recordOf(parser) == 0)
        return QStringLiteral("%1: falta --syndicate R, el número de la peña (desde 1).").arg(command);
    if (command == QLatin1String("participation")) {
        if (parser.value(QStringLiteral("pdf")).isEmpty())
            return QStringLiteral("participation: falta --pdf FICHERO.");
        if (parser.isSet(kDate)) {
            const QDate date = QDate::fromString(parser.value(kDate), Qt::ISODate);
            if (!date.isValid())
                return QStringLiteral("--date: fecha no válida: use AAAA-MM-DD.");
            if (!isDrawDay(date))
                return QStringLiteral("--date: el %1 no hay sorteo; el juego se sortea los domingos.")
                    .arg(longSpanishDate(date));
        }
        return {};
    }
    int changes = 0;
    for (const QString &change : kChanges)
        changes += int(parser.values(change).size());
    if (changes > 1)
        return QStringLiteral("members: sólo un cambio cada vez (--add, --set o --remove).");
    const bool needsShares = parser.isSet(QStringLiteral("add")) || parser.isSet(QStringLiteral("set"));
    if (parser.isSet(kShares) != needsShares)
        return needsShares ? QStringLiteral("members: falta --shares N.")
                           : QStringLiteral("members: --shares sólo va con --add o --set.");
    if (needsShares && !MemberFile::isValidShares(sharesOf(parser)))
        return QStringLiteral("--shares: debe ser un número entero de 1 a %1.").arg(MemberFile::kMaxShares);
    if (changes > 0 && parser.isSet(QStringLiteral("json")))
        return QStringLiteral("members: --json sólo va con la lista, sin cambios.");
    return {};
}

int Cli::runMembers(Session &session, const QCommandLineParser &parser, bool json)
{
    const int record = recordOf(parser);
    if (!knownSyndicate(session, record))
        return Exit::kFailed;
    Membership membership(session);
    Outcome changed(Outcome::Status::Unchanged, Outcome::Command::Members);
    if (parser.isSet(QStringLiteral("add")))
        changed = membership.add(record, parser.value(QStringLiteral("add")), sharesOf(parser));
    else if (parser.isSet(QStringLiteral("set")))
        changed = membership.setShares(record, parser.value(QStringLiteral("set")), sharesOf(parser));
    else if (parser.isSet(QStringLiteral("remove")))
        changed = membership.remove(record, parser.value(QStringLiteral("remove")));
    if (const int code = report(session.prompter(), changed); code != Exit::kDone)
        return code;

    const auto rows = membership.rows(record);
    if (json) {
        QJsonArray members;
        for (const Membership::Row &row : rows) {
            members.append(QJsonObject {{QStringLiteral("name"), row.member.name},
                                        {QStringLiteral("shares"), row.member.shares},
                                        {QStringLiteral("stakeCents"), qint64(row.money.stakeCents)},
                                        {QStringLiteral("wonCents"), qint64(row.money.wonCents)},
                                        {QStringLiteral("balanceCents"), qint64(row.money.balanceCents)}});
        }
        printJson({{QStringLiteral("syndicate"), record},
                   {QStringLiteral("members"), members},
                   {QStringLiteral("totalShares"), membership.totalShares(record)},
                   {QStringLiteral("money"), moneyJson(session.money().totals(record))}});
        return Exit::kDone;
    }
    printLine(QStringLiteral("Socio\tParticipaciones\tJugado\tGanado\tBalance"));
    for (const Membership::Row &row : rows) {
        printLine(QStringList {row.member.name, QString::number(row.member.shares), formatEuros(row.money.stakeCents),
                               formatEuros(row.money.wonCents), formatEuros(row.money.balanceCents)}
                      .join(QLatin1Char('\t')));
    }
    const Money::Totals totals = session.money().totals(record);
    printLine(QStringList {QStringLiteral("Total"), QString::number(membership.totalShares(record)),
                           formatEuros(totals.stakeCents), formatEuros(totals.wonCents),
                           formatEuros(totals.balanceCents)}
                  .join(QLatin1Char('\t')));
    if (totals.provisional())
        printLine(QStringLiteral("Balance %1").arg(Wording::provisionalText(totals)));
    return Exit::kDone;
}

int Cli::runParticipation(Session &session, const QCommandLineParser &parser, bool json)
{
    const int record = recordOf(parser);
    if (!knownSyndicate(session, record))
        return Exit::kFailed;
    const QDate date = parser.isSet(kDate) ? QDate::fromString(parser.value(kDate), Qt::ISODate) : session.nextDrawDate();
    const Membership::Participations made = Membership(session).participations(record, parser.value(QStringLiteral("member")), date);
    if (!made.outcome.isDone())
        return report(session.prompter(), made.outcome);
    const auto &sheets = made.sheets;
    const QString pdf = parser.value(QStringLiteral("pdf"));
    if (const QString refused = outputFileRefusal(pdf, session.dataDir(), parser.isSet(QStringLiteral("yes")));
        !refused.isEmpty()) {
        Cli::printMessage(refused);
        return Exit::kFailed;
    }
    PdfFilePrinter printer(pdf, QStringLiteral("Participaciones de la peña %1").arg(sheets.front().syndicateName));
    int pages = 0;
    if (!printer.print([&](PrintSurface &surface) { pages = ParticipationSheet::print(surface, sheets); })) {
        Cli::printMessage(printer.errorString());
        return Exit::kFailed;
    }
    if (json)
        printJson({{QStringLiteral("pages"), pages}, {QStringLiteral("pdf"), pdf}, {QStringLiteral("date"), date.toString(Qt::ISODate)}});
    else
        printLine(QString::number(pages));
    return Exit::kDone;
}
