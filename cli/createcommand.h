#pragma once

#include <QStringList>

class Prompter;
class Session;

namespace Cli
{
    // What is wrong with the arguments of create, found without opening any
    // file: a missing or unknown option, a name, key or bet the slip could
    // not hold. Empty when nothing is.
    QString createUsageError(const QStringList &arguments);
    // create --name NAME --key K (--bet a,b,c,d,e ... | --multiple a,b,...,n):
    // the slip's own save, with its checks and messages. Prints the record
    // number written. Nothing is written on exit 2 (createUsageError), 3 (a
    // repeated bet answered No) or 1 (the save was stopped). arguments
    // start with "create". With json the record number is {"record": R}.
    int runCreate(Session &session, Prompter &prompter, const QStringList &arguments, bool json = false);
}
