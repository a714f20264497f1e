#pragma once

#include <QByteArray>
#include <QString>

class Outcome;
class Prompter;
class Session;
class QJsonObject;

#include <cstdio>
#include <string_view>

// What the command line writes for the user. Everything it prints goes
// through here, so that output which never arrived (a full disk, /dev/full,
// a reader that went away) is noticed: the first failure is remembered with
// its cause, and main turns it into a message on stderr and exit status 1.
namespace Cli
{
    // Why a file named on the command line (--pdf) may not be written, in
    // Spanish, or empty when it may: never inside the data directory, never
    // anything but a regular file, an existing one only with --yes.
    QString outputFileRefusal(const QString &path, const QString &dataDir, bool yes);

    // Writes every byte to out (standard output unless told otherwise).
    void writeOut(std::string_view bytes, std::FILE *out = stdout);
    void writeOut(const QByteArray &bytes);
    // A line of text; an indented JSON document; a JSON object on one line.
    // All on standard output, in UTF-8.
    void printLine(const QString &text);
    void printJson(const QJsonObject &object);
    void printJsonLine(const QJsonObject &object);
    // Hands what out holds to the system now.
    void flushOut(std::FILE *out = stdout);

    // A message of the command line's own, as a line on stderr.
    void printMessage(const QString &text);
    // Whether peña record (from 1) exists; when not, says so on stderr,
    // with how many there are.
    bool knownSyndicate(const Session &session, int record);

    // A message box of a run without a window: "TITLE: TEXT" on stderr.
    void printBox(const QString &title, const QString &text);

    // The box a command's outcome calls for, shown on the run's prompter
    // (a StreamPrompter prints it as printBox does; nothing when it has no
    // words); returns the exit status it ends the run with.
    int report(Prompter &surface, const Outcome &outcome);

    // Flushes standard output. Empty when every byte went out; else the
    // Spanish message saying the output is incomplete, and why.
    QString lostOutputText();
}
