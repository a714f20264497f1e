#pragma once

#include <QByteArray>
#include <QString>

// The file operations of the commands that rewrite a data file. Each rewrite
// writes a complete new file, flushed to the disk and checked, and renames it
// into place, so that a crash or a failed write leaves either the old file or
// the new one, whole. Tests put a failing implementation here to break each
// step in turn.
//
// Symbolic links: a data file that is a link stays a link; the new content
// replaces the link's target, atomically, beside it. Work files are never
// reached through a link: whatever stands under their name is removed and
// the file is created anew.
class FileOps
{
public:
    enum class Result
    {
        Ok,
        PermissionDenied,
        Failed,
        DiskFull, // no space left (or over quota)
        Unreadable, // exists but cannot be read
        NotRegular, // a pipe, a folder, a device: never replaced
        LinkRefused, // a link the program does not follow (linkRefusal says why)
    };

    virtual ~FileOps() = default;

    // Reads a whole file; false when it cannot be read.
    virtual bool read(const QString &path, QByteArray *bytes) = 0;
    // Writes bytes as the complete new content of path, replacing it at once.
    virtual Result write(const QString &path, const QByteArray &bytes) = 0;
    // Renames from over to, replacing to at once.
    virtual Result replace(const QString &from, const QString &to) = 0;
    virtual Result remove(const QString &path) = 0;

    // read() with the reason for a failure. A missing file reads as empty
    // only when missingIsEmpty is set.
    virtual Result readFile(const QString &path, QByteArray *bytes, bool missingIsEmpty = false);
    // A work file: created anew with exactly bytes, never through a link or
    // a file planted under its name.
    virtual Result createWorkFile(const QString &path, const QByteArray &bytes);
};

// The real thing: POSIX calls, every step checked, fsync before the rename.
class DiskFileOps final : public FileOps
{
public:
    bool read(const QString &path, QByteArray *bytes) override;
    Result write(const QString &path, const QByteArray &bytes) override;
    Result replace(const QString &from, const QString &to) override;
    Result remove(const QString &path) override;
    Result readFile(const QString &path, QByteArray *bytes, bool missingIsEmpty = false) override;
    Result createWorkFile(const QString &path, const QByteArray &bytes) override;
};

// Where a write to path really goes: the final target when path is a
// symbolic link (relative links resolved from the link's directory), path
// itself otherwise. A dangling link gives the file it names.
QString writeTarget(const QString &path);

// The link rule of the data files. A data file that is a symbolic link is
// followed only to a regular file of the user running the program inside a
// folder of that user (a dangling link, to a file that folder would get);
// any other link is left as it is: neither read nor written through.
struct LinkCheck
{
    enum class Kind
    {
        None, // not a link, or a link the rule follows
        Loop, // the links go round (or are too many to follow)
        NotRegular, // leads to a folder, a pipe, a device
        NotOwned, // leads to a file of another user
        FolderNotOwned, // leads into a folder of another user
    };
    Kind kind = Kind::None;
    QString target; // where the link leads, when known

    bool refused() const { return kind != Kind::None; }
};

// user is the one running the program; tests may name another.
LinkCheck checkLink(const QString &path, uint user);
LinkCheck checkLink(const QString &path);

// One line for the user: the file, where its link leads and why the
// program leaves it alone. Empty when the link is followed (or none).
QString linkRefusalText(const QString &path);

// Beside path, asideName, or asideName.2, .3 ... the first name not taken
// (a dangling link counts as taken).
QString freeAsidePath(const QString &path, const QString &asideName);

// An earlier copy of bytes set aside beside path under asideName (.2, .3
// ...), so that a damaged file is never copied aside twice; empty when none.
QString sameCopyAside(const QString &path, const QString &asideName, const QByteArray &bytes);

// Moves a damaged file out of the way, beside it under asideName (then
// asideName.2, .3 ... never over an earlier copy). Where it went, or empty
// when it could not be moved.
QString setFileAside(FileOps &files, const QString &path, const QString &asideName);

// The Spanish message for a failed operation on path, naming the file and
// the cause, for any front end to show. Empty for Ok.
QString fileErrorText(FileOps::Result result, const QString &path);
