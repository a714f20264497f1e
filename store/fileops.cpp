#include "fileops.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace
{
    // Whether a failure on path comes from the permissions of the file or
    // of its directory, which the user can do something about.
    FileOps::Result failureFor(const QString &path)
    {
        const QFileInfo file(path);
        const QFileInfo dir(file.absolutePath());
        if (!dir.isWritable() || (file.exists() && !file.isWritable()))
            return FileOps::Result::PermissionDenied;
        return FileOps::Result::Failed;
    }
}

bool DiskFileOps::read(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

FileOps::Result DiskFileOps::write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failureFor(path);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failureFor(path);
    return Result::Ok;
}

FileOps::Result DiskFileOps::replace(const QString &from, const QString &to)
{
    // rename(2) would replace a file the user may not write; refuse as a
    // write to it would be refused.
    const QFileInfo target(to);
    if (target.exists() && !target.isWritable())
        return Result::PermissionDenied;
    // QFile::rename refuses to overwrite; rename(2) replaces atomically.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return Result::Ok;
    return (errno == EACCES || errno == EPERM || errno == EROFS) ? Result::PermissionDenied : failureFor(to);
}

FileOps::Result DiskFileOps::remove(const QString &path)
{
    if (!QFile::exists(path) || QFile::remove(path))
        return Result::Ok;
    return failureFor(path);
}
