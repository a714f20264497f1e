#include "datadir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace
{
    QString usable(const QString &dir)
    {
        if (dir.isEmpty())
            return {};
        // A directory that exists but may not be written is still looked
        // at: the Session opens it read-only.
        QDir().mkpath(dir);
        const QFileInfo info(dir);
        if (!info.isDir() || !info.isReadable() || !info.isExecutable())
            return {};
        QString path = QDir(dir).absolutePath();
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        return path;
    }

    bool underSystemPrefix(const QString &canonical)
    {
        static const char *const prefixes[] = {"/usr", "/opt", "/bin", "/sbin", "/lib", "/lib64",
                                               "/etc", "/var", "/snap", "/boot", "/nix"};
        if (canonical == QLatin1String("/"))
            return true;
        for (const char *prefix : prefixes) {
            const QString p = QString::fromLatin1(prefix);
            if (canonical == p || canonical.startsWith(p + QLatin1Char('/')))
                return true;
        }
        return false;
    }

    // ~/.local/share/Quorvale/Quorvale: the organisation and the program
    // share one name, so earlier versions doubled it.
    QString legacyUserDataDir()
    {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        return base.isEmpty() ? QString() : base + QStringLiteral("/Quorvale/Quorvale");
    }
}

bool isPortableDir(const QString &programDir)
{
    const QFileInfo info(programDir);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !info.isDir() || !info.isWritable() || underSystemPrefix(canonical))
        return false;
    return info.ownerId() == uint(::geteuid());
}

QString userDataDir()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/quorvale");
}

QString resolveDataDir(const QString &explicitDir, const QString &programDir)
{
    if (!explicitDir.isEmpty())
        return usable(explicitDir);
    if (isPortableDir(programDir))
        return usable(programDir);

    const QString dir = userDataDir();
    const QString legacy = legacyUserDataDir();
    if (!dir.isEmpty() && !QFileInfo::exists(dir) && QFileInfo(legacy).isDir()) {
        // One rename on one file system: the files move together or not at all.
        if (QDir().rename(legacy, dir))
            QDir().rmdir(QFileInfo(legacy).absolutePath());
    }
    return usable(dir);
}

QString bundledDrawFile(const QString &programDir)
{
    const QString path = QDir(programDir).absoluteFilePath(QStringLiteral("../share/quorvale/numeros.dat"));
    return QFileInfo::exists(path) ? QDir::cleanPath(path) : QString();
}

QUrl installedGuide(const QString &programDir)
{
    const QString path = QDir(programDir).absoluteFilePath(QStringLiteral("../share/doc/quorvale/guia.html"));
    return QFileInfo::exists(path) ? QUrl::fromLocalFile(QDir::cleanPath(path)) : QUrl();
}
