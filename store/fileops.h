#pragma once

#include <QByteArray>
#include <QString>

// The file operations of the commands that rewrite a data file. Each rewrite
// writes a complete new file and renames it into place, so that a crash or a
// failed write leaves either the old file or the new one, whole. Tests put a
// failing implementation here to break each step in turn.
class FileOps
{
public:
    enum class Result { Ok, PermissionDenied, Failed };

    virtual ~FileOps() = default;

    // Reads a whole file; false when it cannot be read.
    virtual bool read(const QString &path, QByteArray *bytes) = 0;
    // Writes bytes as the complete new content of path, replacing it at once.
    virtual Result write(const QString &path, const QByteArray &bytes) = 0;
    // Renames from over to, replacing to at once.
    virtual Result replace(const QString &from, const QString &to) = 0;
    virtual Result remove(const QString &path) = 0;
};

// The real thing: QSaveFile for writes, rename(2) for replacing.
class DiskFileOps final : public FileOps
{
public:
    bool read(const QString &path, QByteArray *bytes) override;
    Result write(const QString &path, const QByteArray &bytes) override;
    Result replace(const QString &from, const QString &to) override;
    Result remove(const QString &path) override;
};
