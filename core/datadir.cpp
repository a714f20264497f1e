#include "datadir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
    QString usable(const QString &dir)
    {
        if (dir.isEmpty() || !QDir().mkpath(dir))
            return {};
        const QFileInfo info(dir);
        if (!info.isDir() || !info.isWritable())
            return {};
        QString path = QDir(dir).absolutePath();
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        return path;
    }
}

QString resolveDataDir(const QString &explicitDir, const QString &programDir)
{
    if (!explicitDir.isEmpty())
        return usable(explicitDir);
    const QString own = usable(programDir);
    if (!own.isEmpty())
        return own;
    return usable(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString bundledDrawFile(const QString &programDir)
{
    const QString path = QDir(programDir).absoluteFilePath(QStringLiteral("../share/quorvale/numeros.dat"));
    return QFileInfo::exists(path) ? QDir::cleanPath(path) : QString();
}
