#pragma once

#include <QStringList>

class Session;
class StreamPrompter;

// import, delete-draws, delete-draw and delete-syndicate: the window's
// maintenance commands, each question answered from the command line.
namespace Cli
{
    // What is wrong with the words of delete-draw or delete-syndicate, found
    // before any file is opened; empty when nothing is.
    QString maintenanceUsageError(const QStringList &arguments);
    // -1 when the command is not one of these.
    int runMaintenance(Session &session, StreamPrompter &prompter, const QStringList &arguments,
                       bool yesDraws, bool yesReset, bool yes);
}
