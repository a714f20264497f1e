#pragma once

#include <QStringList>

class Session;
class StreamPrompter;

// import, delete-draws, delete-draw and delete-syndicate: the window's
// maintenance commands, each question answered from the command line.
// Each returns the exit status.
namespace Cli
{
    // What is wrong with the words of delete-draw or delete-syndicate (the
    // command and one number from 1), found before any file is opened; empty
    // when nothing is.
    QString maintenanceUsageError(const QStringList &arguments);

    int runImport(Session &session, StreamPrompter &prompter, const QString &path);
    // Both questions are always asked, with these answers.
    int runDeleteDraws(Session &session, StreamPrompter &prompter, bool yesDraws, bool yesReset);
    // position 1 is the newest draw.
    int runDeleteDraw(Session &session, StreamPrompter &prompter, int position, bool yes);
    int runDeleteSyndicate(Session &session, StreamPrompter &prompter, int record, bool yes);
}
