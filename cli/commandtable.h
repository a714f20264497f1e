#pragma once

#include <QString>

class QCommandLineParser;

// Every command of quorvale-cli with the words and options it takes and what
// it prints: the one table behind the parser, the help texts and the check
// that an option belongs to the command it is given with.
namespace Cli
{
    struct OptionInfo
    {
        const char *name;
        const char *valueName;    // nullptr for a flag
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
