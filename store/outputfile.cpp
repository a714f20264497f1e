#include "outputfile.h"

#include "fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace
{
    bool statOf(const QString &path, struct stat *info)
    {
        return ::stat(QFile::encodeName(path).constData(), info) == 0;
    }

    // Whether folder is the data directory or lies anywhere under it. The
    // folders are compared by device and inode, so neither a link on the way
    // nor a second mount of the same directory hides it.
    bool insideDataDir(const QString &folder, const QString &dataDir)
    {
        struct stat data
        {};
        if (dataDir.isEmpty() || !statOf(dataDir, &data))
            return false;
        QString at = QDir(folder).canonicalPath();
        if (at.isEmpty())
            at = folder;
        for (;;) {
            struct stat info
            {};
            if (statOf(at, &info) && info.st_dev == data.st_dev && info.st_ino == data.st_ino)
                return true;
            const QString up = QFileInfo(at).absolutePath();
            if (up == at)
                return false;
            at = up;
        }
    }

    OutputFile::Verdict kindOf(mode_t mode)
    {
        if (S_ISREG(mode))
            return OutputFile::Verdict::Existing;
        if (S_ISDIR(mode))
            return OutputFile::Verdict::Folder;
        if (S_ISFIFO(mode))
            return OutputFile::Verdict::Pipe;
        if (S_ISSOCK(mode))
            return OutputFile::Verdict::Socket;
        return OutputFile::Verdict::Device;
    }
}

OutputFile::Check OutputFile::check(const QString &path, const QString &dataDir)
{
    Check result;
    result.target = QDir::cleanPath(writeTarget(QFileInfo(path).absoluteFilePath()));
    const QString folder = QFileInfo(result.target).absolutePath();
    struct stat info
    {};
    if (!statOf(folder, &info)) {
        result.verdict = errno == ENOENT || errno == ENOTDIR ? Verdict::NoFolder : Verdict::Unreachable;
        return result;
    }
    if (!S_ISDIR(info.st_mode)) {
        result.verdict = Verdict::NoFolder;
        return result;
    }
    if (insideDataDir(folder, dataDir)) {
        result.verdict = Verdict::InDataDir;
        return result;
    }
    if (!statOf(result.target, &info)) {
        result.verdict = errno == ENOENT ? Verdict::New : Verdict::Unreachable;
        return result;
    }
    result.verdict = kindOf(info.st_mode);
    return result;
}

QString OutputFile::refusal(const Check &check, const QString &path, bool replaceAgreed)
{
    const QString shown = QDir::toNativeSeparators(path);
    const bool link = QDir::cleanPath(QFileInfo(path).absoluteFilePath()) != check.target;
    const QString named = link ? QStringLiteral("%1 (un enlace a %2)").arg(shown, QDir::toNativeSeparators(check.target))
                               : shown;
    const auto notAFile = [&named](const QString &kind) {
        return QStringLiteral("No se puede escribir %1: %2, no un fichero normal. Elija otro nombre.").arg(named, kind);
    };
    switch (check.verdict) {
    case Verdict::New:
        return {};
    case Verdict::Existing:
        return replaceAgreed ? QString() : QStringLiteral("%1 ya existe y no se ha sustituido.").arg(named);
    case Verdict::InDataDir:
        return QStringLiteral("No se puede escribir %1: está dentro del directorio de datos de Quorvale, donde sólo van "
                              "sus datos. Elija otra carpeta.")
            .arg(named);
    case Verdict::Folder:
        return notAFile(QStringLiteral("es una carpeta"));
    case Verdict::Pipe:
        return notAFile(QStringLiteral("es una tubería (FIFO)"));
    case Verdict::Device:
        return notAFile(QStringLiteral("es un dispositivo"));
    case Verdict::Socket:
        return notAFile(QStringLiteral("es un socket"));
    case Verdict::NoFolder:
        return QStringLiteral("No se puede escribir el fichero %1: no existe la carpeta %2.")
            .arg(named, QDir::toNativeSeparators(QFileInfo(check.target).absolutePath()));
    case Verdict::Unreachable:
        break;
    }
    return QStringLiteral("No se puede escribir %1: no se llega a él (un enlace en bucle, o una carpeta sin permiso "
                          "para entrar).")
        .arg(named);
}

QString OutputFile::write(FileOps &files, const QString &path, const QByteArray &bytes)
{
    return fileErrorText(files.write(path, bytes), path);
}

QString OutputFile::refusal(const QString &path, const QString &dataDir, bool replaceAgreed)
{
    return refusal(check(path, dataDir), path, replaceAgreed);
}
