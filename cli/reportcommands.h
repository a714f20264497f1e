#pragma once

#include <QStringList>

class QJsonObject;
class Session;

// prizes and ledger: the stored prize reports and what each peña staked and
// won, from the same figures the window shows.
namespace Cli
{
    // What is wrong with the options of prizes or ledger, found before any
    // file is opened; empty when nothing is.
    QString prizesUsageError(const QString &date, bool all);
    QString ledgerUsageError(const QString &syndicate, bool json, bool csv);
    // prizes [--date AAAA-MM-DD | --all] [--json]
    int runPrizes(Session &session, const QString &date, bool all, bool json);
    // ledger --syndicate R [--member NOMBRE] [--json | --csv]: the peña's
    // draws, or one member's part of each; without a format, a table.
    int runLedger(Session &session, const QString &syndicate, const QString &member, bool json, bool csv);
}
