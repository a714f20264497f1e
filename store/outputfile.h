#pragma once

#include <QByteArray>
#include <QString>

class FileOps;

// A file the user names for the program to write (a PDF, a table in CSV):
// never one of the data directory, never anything but a regular file, and
// an existing one only once the user agreed to replace it. Both front ends
// ask here before they write, and write through the checked write path.
namespace OutputFile
{
    enum class Verdict
    {
        New, // nothing there yet
        Existing, // a regular file: replaced only once the user agreed
        InDataDir, // inside the data directory, by its name or through a link
        Folder,
        Pipe,
        Device,
        Socket,
        NoFolder, // the folder it would go in does not exist
        Unreachable, // a link loop, or a folder that may not be looked into
    };

    struct Check
    {
        Verdict verdict = Verdict::New;
        // Where the bytes would go: the final target of a link, else the
        // path itself, absolute.
        QString target;
    };

    Check check(const QString &path, const QString &dataDir);

    // Why path may not be written, in Spanish, or empty when it may:
    // New always, Existing when replaceAgreed.
    QString refusal(const Check &check, const QString &path, bool replaceAgreed);
    // The same for a path not yet checked: check(path, dataDir) first.
    QString refusal(const QString &path, const QString &dataDir, bool replaceAgreed);

    // The complete content of path, through a work file beside it and a
    // rename, so a failed write leaves the old file whole. The Spanish
    // reason when it failed, empty when it worked.
    QString write(FileOps &files, const QString &path, const QByteArray &bytes);
}
