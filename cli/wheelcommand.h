#pragma once

#include <QString>

class QCommandLineParser;
class Prompter;
class Session;

// wheel: a reduction of a pool of numbers with a guarantee, its check, and
// the set saved as peñas.
namespace Cli
{
    // What is wrong with the options of wheel, found before any file is
    // opened; empty when nothing is.
    QString wheelUsageError(const QCommandLineParser &parser);
    // True for --check and --save, which read or write the peñas; a plain
    // wheel needs no data directory.
    bool wheelNeedsData(const QCommandLineParser &parser);
    // wheel --numbers LIST --guarantee T/P [--fixed LIST] [--seconds S] [--seed N] [--json]
    //       [--save NOMBRE --key K]
    // wheel --check --syndicate R[,R...] --numbers LIST --guarantee T/P [--fixed LIST] [--json]
    // session is null when wheelNeedsData is false.
    int runWheel(Session *session, Prompter *prompter, const QCommandLineParser &parser);
}
