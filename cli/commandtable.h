#pragma once

#include "web/downloadsession.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class Session;
class StreamPrompter;

// Every command of quorvale-cli with the words and options it takes, what
// it prints, what it needs and how it runs: the one table behind the parser,
// the help texts, the check that an option belongs to the command it is
// given with, and the run itself. main looks a command up once and asks its
// entry everything else.
namespace Cli
{
    struct Options;

    // One run of a command: the command line as read, and the started
    // session and its prompter, both null for a command that needs no data.
    struct Invocation
    {
        Invocation(const QCommandLineParser &parser, const QStringList &arguments, const Options &options)
            : parser(parser)
            , arguments(arguments)
            , options(options)
        {
        }

        const QCommandLineParser &parser;
        const QStringList &arguments; // the command and its words
        const Options &options;
        DownloadSession::Source source = DownloadSession::Source::Auto;
        QDate reportsSince; // --reports-since as a date
        bool reportsForSyndicates = false; // --reports-since auto
        Session *session = nullptr;
        StreamPrompter *prompter = nullptr;
    };

    // A question about the options a command is given with.
    using OptionTest = bool (*)(const QCommandLineParser &parser);

    struct OptionInfo
    {
        const char *name;
        const char *valueName; // nullptr for a flag
        const char *defaultValue; // nullptr when none
        const char *help;
    };

    struct CommandInfo
    {
        const char *name;
        int minWords; // the command itself included
        int maxWords;
        const char *arguments; // "FICHERO", "N" or ""
        const char *summary;
        const char *options[10]; // names, ending at the first nullptr
        const char *prints;
        // Lays out text (a PDF), which needs fonts and so a GUI application.
        bool laysOutText;
        // Whether it opens the data directory; a command that does not runs
        // with no session.
        OptionTest needsData;
        // Whether it would change a data file: a read-only data directory
        // refuses it before it starts. The PDFs of print and participation
        // go elsewhere.
        OptionTest writesData;
        // What is wrong with its command line, found before any file is
        // opened; empty when nothing is. nullptr when there is nothing to
        // check beyond the table's words and options.
        QString (*usageError)(const Invocation &invocation);
        // Runs it; returns the exit code (cli/exitcodes.h).
        int (*run)(const Invocation &invocation);
    };

    const CommandInfo *findCommand(const QString &name);
    // The options of the commands, for the parser; the start options
    // (--data-dir, --today ...) and --help/--version are added apart.
    void addCommandOptions(QCommandLineParser &parser);
    // The text before the option list of `quorvale-cli --help`.
    QString commandList();
    // `quorvale-cli COMMAND --help`.
    QString commandHelp(const CommandInfo &command);
    // The first option given that the command does not take, empty if none.
    QString foreignOption(const QCommandLineParser &parser, const CommandInfo &command);
}
