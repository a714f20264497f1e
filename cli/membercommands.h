#pragma once

#include <QString>

class QCommandLineParser;
class Session;

// members and participation: the members of a peña, their shares and their
// parts of its money, and a member's participation as a PDF.
namespace Cli
{
    // What is wrong with the options of members or participation, found
    // before any file is opened; empty when nothing is.
    QString memberUsageError(const QCommandLineParser &parser, const QString &command);
    // members --syndicate R [--json] | --add NOMBRE --shares N | --set NOMBRE --shares N | --remove NOMBRE
    int runMembers(Session &session, const QCommandLineParser &parser, bool json);
    // participation --syndicate R [--member NOMBRE] [--date AAAA-MM-DD] --pdf FICHERO [--json]
    int runParticipation(Session &session, const QCommandLineParser &parser, bool json);
}
