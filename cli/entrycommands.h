#pragma once

#include <QString>

class QCommandLineParser;
class Session;
class StreamPrompter;

// add-draw and prizes --set: a draw and a prize report typed by hand, through
// the same checks and writes as the window's forms (core/drawentry.h).
namespace Cli
{
    // What is wrong with the options, found before any file is opened; empty
    // when nothing is. Only the form of each value is checked here; whether
    // the draw can be a real one is for the engine to say.
    QString addDrawUsageError(const QCommandLineParser &parser);
    QString setPrizesUsageError(const QCommandLineParser &parser);

    int runAddDraw(Session &session, StreamPrompter &prompter, const QCommandLineParser &parser);
    int runSetPrizes(Session &session, StreamPrompter &prompter, const QCommandLineParser &parser);
}
