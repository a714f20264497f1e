#pragma once

#include <QByteArray>
#include <QString>

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

    // Flushes standard output. Empty when every byte went out; else the
    // Spanish message saying the output is incomplete, and why.
    QString lostOutputText();
}
