#pragma once

#include <QStringList>

class QCommandLineParser;

namespace Cli
{
    // Whether the command (arguments.first()) would change a data file. In
    // a read-only data directory these are refused before they start; the
    // commands that only read (status, draws, check, syndicates, prizes,
    // ledger, export, members without a change, and print and participation,
    // which write their PDF elsewhere) run as usual.
    bool writesData(const QCommandLineParser &parser, const QStringList &arguments);
}
