#pragma once

#include <QStringList>

class Session;
class StreamPrompter;

// import, delete-draws, delete-draw and delete-syndicate: the window's
// maintenance commands, each question answered from the command line.
namespace Cli
{
    // -1 when the command is not one of these.
    int runMaintenance(Session &session, StreamPrompter &prompter, const QStringList &arguments,
                       bool yesDraws, bool yesReset, bool yes);
}
