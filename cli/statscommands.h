#pragma once

#include <QString>

class QCommandLineParser;
class Session;

// stats and try: the statistics of a window of draws and what a bet would
// have won in it, from the same engine the statistics tab reads.
namespace Cli
{
    // What is wrong with the options of stats or try (command), found before
    // any file is opened; empty when nothing is.
    QString statsUsageError(const QCommandLineParser &parser, const QString &command);
    // stats [--last N | --since D --until D] [--json]
    int runStats(Session &session, const QCommandLineParser &parser, bool json);
    // try --numbers LIST --key K [--last N | --since D --until D] [--json]
    int runTry(Session &session, const QCommandLineParser &parser, bool json);
}
