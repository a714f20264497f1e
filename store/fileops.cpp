#include "fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    // Enough for any sane chain of links, short enough to stop a loop.
    constexpr int kMaxLinkHops = 40;

    FileOps::Result resultFor(int error)
    {
        switch (error) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileOps::Result::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileOps::Result::PermissionDenied;
        default:
            return FileOps::Result::Failed;
        }
    }

    QByteArray encoded(const QString &path)
    {
        return QFile::encodeName(path);
    }

    // Writes every byte, through short writes and signals; false with errno set.
    bool writeAll(int fd, const QByteArray &bytes)
    {
        const char *at = bytes.constData();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, at, std::size_t(left));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (n == 0) {
                errno = ENOSPC;
                return false;
            }
            at += n;
            left -= n;
        }
        return true;
    }

    // The whole content is on the disk, not only with the system, before a
    // rename makes it the file: a crash after the rename must not find it empty.
    FileOps::Result finish(int fd, const QByteArray &bytes)
    {
        if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
            const int error = errno;
            ::close(fd);
            return resultFor(error);
        }
        if (::close(fd) != 0)
            return resultFor(errno);
        return FileOps::Result::Ok;
    }

    void syncDirectory(const QString &dir)
    {
        const int fd = ::open(encoded(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    // What stands at an existing target that must not be replaced: a pipe,
    // a folder, a device, or a file the user may not write (rename(2) would
    // replace a read-only file as readily as any other).
    FileOps::Result checkTarget(const QString &target, struct stat *info, bool *exists)
    {
        *exists = ::stat(encoded(target).constData(), info) == 0;
        if (!*exists)
            return errno == ENOENT ? FileOps::Result::Ok : resultFor(errno);
        if (!S_ISREG(info->st_mode))
            return FileOps::Result::NotRegular;
        if (::access(encoded(target).constData(), W_OK) != 0)
            return FileOps::Result::PermissionDenied;
        return FileOps::Result::Ok;
    }

    mode_t newFileMode()
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }
}

QString writeTarget(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString next = info.symLinkTarget();
        if (next.isEmpty())
            return current;
        current = QDir::cleanPath(QDir(info.absolutePath()).absoluteFilePath(next));
    }
    return current;
}

LinkCheck checkLink(const QString &path, uint user)
{
    LinkCheck check;
    const QByteArray name = encoded(path);
    struct stat info
    {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return check;
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ELOOP) {
            check.kind = LinkCheck::Kind::Loop;
            return check;
        }
        // Dangling: a write would make the file in the folder it names.
        check.target = writeTarget(path);
        struct stat folder
        {};
        if (::stat(encoded(QFileInfo(check.target).absolutePath()).constData(), &folder) == 0 && folder.st_uid != user)
            check.kind = LinkCheck::Kind::FolderNotOwned;
        return check;
    }
    check.target = writeTarget(path);
    struct stat folder
    {};
    if (!S_ISREG(info.st_mode))
        check.kind = LinkCheck::Kind::NotRegular;
    else if (info.st_uid != user)
        check.kind = LinkCheck::Kind::NotOwned;
    else if (::stat(encoded(QFileInfo(check.target).absolutePath()).constData(), &folder) != 0 || folder.st_uid != user)
        check.kind = LinkCheck::Kind::FolderNotOwned;
    return check;
}

LinkCheck checkLink(const QString &path)
{
    return checkLink(path, uint(::geteuid()));
}

QString linkRefusalText(const QString &path)
{
    const LinkCheck check = checkLink(path);
    const QString name = QFileInfo(path).fileName();
    const QString target = QDir::toNativeSeparators(check.target);
    const QString kept = QStringLiteral("; se deja como está y no se escribirá en él.");
    switch (check.kind) {
    case LinkCheck::Kind::None:
        return {};
    case LinkCheck::Kind::Loop:
        return QStringLiteral("%1 es un enlace que no lleva a ningún archivo (sus enlaces forman un bucle)").arg(name) + kept;
    case LinkCheck::Kind::NotRegular:
        return QStringLiteral("%1 es un enlace a %2, que no es un archivo normal").arg(name, target) + kept;
    case LinkCheck::Kind::NotOwned:
        return QStringLiteral("%1 es un enlace a %2, un archivo que no es suyo").arg(name, target) + kept;
    case LinkCheck::Kind::FolderNotOwned:
        return QStringLiteral("%1 es un enlace a %2, en una carpeta que no es suya").arg(name, target) + kept;
    }
    return {};
}

FileOps::Result FileOps::readFile(const QString &path, QByteArray *bytes, bool missingIsEmpty)
{
    if (read(path, bytes))
        return Result::Ok;
    bytes->clear();
    if (missingIsEmpty && !QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return Result::Ok;
    return Result::Unreadable;
}

FileOps::Result FileOps::createWorkFile(const QString &path, const QByteArray &bytes)
{
    const Result removed = remove(path);
    return removed == Result::Ok ? write(path, bytes) : removed;
}

bool DiskFileOps::read(const QString &path, QByteArray *bytes)
{
    return readFile(path, bytes) == Result::Ok;
}

FileOps::Result DiskFileOps::readFile(const QString &path, QByteArray *bytes, bool missingIsEmpty)
{
    bytes->clear();
    // Non-blocking, so that a pipe planted under the name cannot hang us
    // before fstat says what it is.
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && missingIsEmpty)
            return Result::Ok;
        return Result::Unreadable;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return S_ISREG(info.st_mode) ? Result::Unreadable : Result::NotRegular;
    }
    QByteArray content;
    content.reserve(qsizetype(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return Result::Unreadable;
        }
        if (n == 0)
            break;
        content.append(chunk, n);
    }
    ::close(fd);
    *bytes = std::move(content);
    return Result::Ok;
}

FileOps::Result DiskFileOps::write(const QString &path, const QByteArray &bytes)
{
    if (checkLink(path).refused())
        return Result::LinkRefused;
    const QString target = writeTarget(path);
    struct stat old
    {};
    bool exists = false;
    if (const Result refused = checkTarget(target, &old, &exists); refused != Result::Ok)
        return refused;

    // The new content is built beside the target (same file system, so the
    // rename is atomic) under a fresh name mkstemp creates exclusively.
    const QFileInfo info(target);
    QByteArray work = encoded(info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkstemp(work.data());
    if (fd < 0)
        return resultFor(errno);
    if (exists) {
        ::fchmod(fd, old.st_mode & 07777);
        // Run by root on a user's directory, the file keeps its owner.
        if (::geteuid() == 0)
            (void)::fchown(fd, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd, newFileMode());
    }
    Result result = finish(fd, bytes);
    if (result == Result::Ok && ::rename(work.constData(), encoded(target).constData()) != 0)
        result = resultFor(errno);
    if (result != Result::Ok) {
        ::unlink(work.constData());
        return result;
    }
    syncDirectory(info.absolutePath());
    return Result::Ok;
}

FileOps::Result DiskFileOps::replace(const QString &from, const QString &to)
{
    if (checkLink(to).refused())
        return Result::LinkRefused;
    const QString target = writeTarget(to);
    struct stat old
    {};
    bool exists = false;
    if (const Result refused = checkTarget(target, &old, &exists); refused != Result::Ok)
        return refused;
    if (::rename(encoded(from).constData(), encoded(target).constData()) == 0) {
        syncDirectory(QFileInfo(target).absolutePath());
        return Result::Ok;
    }
    if (errno != EXDEV)
        return resultFor(errno);
    // The link leads to another file system: the content goes over there
    // through the checked write, and the work file goes.
    QByteArray bytes;
    if (const Result read = readFile(from, &bytes); read != Result::Ok)
        return read;
    const Result written = write(target, bytes);
    if (written == Result::Ok)
        ::unlink(encoded(from).constData());
    return written;
}

FileOps::Result DiskFileOps::remove(const QString &path)
{
    // unlink(2) removes a link, never what it points at.
    if (::unlink(encoded(path).constData()) == 0 || errno == ENOENT)
        return Result::Ok;
    return errno == EISDIR ? Result::NotRegular : resultFor(errno);
}

FileOps::Result DiskFileOps::createWorkFile(const QString &path, const QByteArray &bytes)
{
    if (const Result removed = remove(path); removed != Result::Ok)
        return removed;
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return resultFor(errno);
    const Result result = finish(fd, bytes);
    if (result != Result::Ok)
        ::unlink(encoded(path).constData());
    return result;
}

QString fileErrorText(FileOps::Result result, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (result) {
    case FileOps::Result::Ok:
        return {};
    case FileOps::Result::DiskFull:
        return QStringLiteral("No queda espacio en el disco para guardar %1. El archivo sigue como estaba.").arg(name);
    case FileOps::Result::PermissionDenied:
        return QStringLiteral("Permiso denegado: no se puede modificar %1. El archivo sigue como estaba.").arg(name);
    case FileOps::Result::Unreadable:
        return QStringLiteral("No se puede leer %1. No se ha modificado ningún archivo.").arg(name);
    case FileOps::Result::NotRegular:
        return QStringLiteral("%1 no es un archivo normal (es una carpeta, una tubería o un dispositivo). "
                              "No se ha modificado ningún archivo.")
            .arg(name);
    case FileOps::Result::LinkRefused:
        if (const QString why = linkRefusalText(path); !why.isEmpty())
            return why;
        break;
    case FileOps::Result::Failed:
        break;
    }
    return QStringLiteral("No se ha podido guardar %1. El archivo sigue como estaba.").arg(name);
}

QString freeAsidePath(const QString &path, const QString &asideName)
{
    const QDir dir = QFileInfo(path).dir();
    QString aside = dir.filePath(asideName);
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = dir.filePath(asideName + QLatin1Char('.') + QString::number(n));
    return aside;
}

QString sameCopyAside(const QString &path, const QString &asideName, const QByteArray &bytes)
{
    const QDir dir = QFileInfo(path).dir();
    QString aside = dir.filePath(asideName);
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n) {
        const QFileInfo info(aside);
        if (!info.isSymLink() && info.isFile() && info.size() == bytes.size()) {
            QFile copy(aside);
            if (copy.open(QIODevice::ReadOnly) && copy.readAll() == bytes)
                return aside;
        }
        aside = dir.filePath(asideName + QLatin1Char('.') + QString::number(n));
    }
    return {};
}

QString setFileAside(FileOps &files, const QString &path, const QString &asideName)
{
    const QString aside = freeAsidePath(path, asideName);
    if (files.replace(path, aside) != FileOps::Result::Ok)
        return {};
    return aside;
}
