#pragma once

#include <QStringList>

class Prompter;
class Session;

namespace Cli
{
    // create --name NAME --key K (--bet a,b,c,d,e ... | --multiple a,b,...,n):
    // the slip's own save, with its checks and messages. Prints the record
    // number written; exit 1 with nothing written when the slip could not
    // have produced the syndicate or the save was stopped. arguments start
    // with "create". With json the record number is {"record": R}.
    int runCreate(Session &session, Prompter &prompter, const QStringList &arguments, bool json = false);
}
