#pragma once

#include "base/clock.h"
#include "base/endpoints.h"

#include <QDate>
#include <QString>

class QCommandLineParser;

// The options both front ends accept before anything else runs.
struct StartOptions
{
    QString dataDir; // --data-dir; empty = the usual place
    QDate today; // --today; invalid = the system date
    Endpoints endpoints;

    static void addTo(QCommandLineParser &parser);
    // -h/--help and -v/--version with Spanish descriptions (Qt's own are
    // English); answered by answerHelpOrVersion.
    static void addHelpAndVersion(QCommandLineParser &parser);
    // Prints the help or the version and exits when one was asked for.
    static void answerHelpOrVersion(QCommandLineParser &parser);
    // Why parser.parse() refused the command line, in Spanish (Qt's own
    // texts are English): the unknown options, or Qt's reason.
    static QString parseErrorText(const QCommandLineParser &parser);
    // False with a Spanish message when an option's value is unusable.
    // realToday is the computer's date: --today may stand at most one day
    // after it (a later one would make every draw up to it "missing").
    bool readFrom(const QCommandLineParser &parser, QString *error, QDate realToday = SystemClock().today());
};
