#include "datadir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

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

namespace
{
    // The name as the user can read it, each byte that is no part of a
    // character written \xNN (and listed in bad).
    QString escapedName(const QByteArray &raw, QStringList *bad)
    {
        QString shown;
        for (qsizetype i = 0; i < raw.size();) {
            const auto lead = uchar(raw[i]);
            const qsizetype length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4
                : lead >= 0xE0                                      ? 3
                : lead >= 0xC0                                      ? 2
                                                                    : 0;
            const QByteArray chunk = raw.mid(i, std::max<qsizetype>(length, 1));
            const QString text = QString::fromUtf8(chunk);
            if (length > 0 && chunk.size() == length && text.toUtf8() == chunk && !text.contains(QChar::ReplacementCharacter)) {
                shown += text;
                i += length;
                continue;
            }
            const QString byte = QStringLiteral("\\x") + QString::number(lead, 16).rightJustified(2, QLatin1Char('0')).toUpper();
            shown += byte;
            if (!bad->contains(byte))
                *bad << byte;
            ++i;
        }
        return shown;
    }
}

QString undecodableDataDirText(int argc, const char *const argv[])
{
    static const QByteArray option = "--data-dir";
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        QByteArray raw;
        if (argument == option && i + 1 < argc)
            raw = argv[++i];
        else if (argument.startsWith(option + '='))
            raw = argument.mid(option.size() + 1);
        else
            continue;
        if (QFile::encodeName(QFile::decodeName(raw)) == raw)
            continue;
        QStringList bad;
        const QString shown = escapedName(raw, &bad);
        return QStringLiteral("No se puede usar el directorio de datos \"%1\": su nombre tiene %2 que no se "
                              "%3 leer como texto (%4). Cambie el nombre del directorio o use la codificación "
                              "UTF-8 (por ejemplo, LANG=es_ES.UTF-8). No se ha creado nada.")
            .arg(shown, bad.size() == 1 ? QStringLiteral("un byte") : QStringLiteral("bytes"),
                 bad.size() == 1 ? QStringLiteral("puede") : QStringLiteral("pueden"), bad.join(QStringLiteral(", ")));
    }
    return {};
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
