#include "dataaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace
{
    QString userName(uint id)
    {
        if (const passwd *entry = ::getpwuid(id); entry && entry->pw_name)
            return QString::fromLocal8Bit(entry->pw_name);
        return QString::number(id);
    }

    bool onReadOnlyFileSystem(const QString &path)
    {
        struct statvfs info
        {};
        return ::statvfs(QFile::encodeName(path).constData(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
    }

    bool mayWrite(const QString &path)
    {
        return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    }
}

QString readOnlyReason(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return {};
    if (onReadOnlyFileSystem(dir))
        return QStringLiteral("el sistema de archivos de %1 es de sólo lectura").arg(QDir::toNativeSeparators(dir));
    if (!mayWrite(dir)) {
        return QStringLiteral("el usuario %1 no tiene permiso para escribir en %2 (su dueño es %3)")
            .arg(userName(::geteuid()), QDir::toNativeSeparators(dir), QFileInfo(dir).owner());
    }
    return {};
}

QString permissionErrorText(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    QString cause;
    QString remedy;
    if (onReadOnlyFileSystem(file.absolutePath())) {
        cause = QStringLiteral("El sistema de archivos de %1 es de sólo lectura.").arg(folder);
        remedy = QStringLiteral("Móntelo con permiso de escritura, o copie la carpeta de datos a un disco donde pueda "
                                "escribir y abra Quorvale con --data-dir CARPETA.");
    } else {
        // The file itself refuses, or the folder that must take its new copy.
        const bool fileRefuses = file.exists() && !mayWrite(path);
        const QString refusing = fileRefuses ? QDir::toNativeSeparators(file.absoluteFilePath()) : folder;
        const QString owner = fileRefuses ? file.owner() : QFileInfo(file.absolutePath()).owner();
        cause = QStringLiteral("El usuario %1 no tiene permiso para escribir en %2 %3 (su dueño es %4).")
                    .arg(userName(::geteuid()), fileRefuses ? QStringLiteral("el archivo") : QStringLiteral("la carpeta"),
                         refusing, owner.isEmpty() ? QStringLiteral("otro usuario") : owner);
        remedy = QStringLiteral("Pida al dueño que le dé permiso de escritura (por ejemplo: chmod u+w o chown), "
                                "o abra Quorvale como un usuario que pueda escribir ahí.");
    }
    return QStringLiteral("Para modificar el archivo necesita permiso de Administrador.\n"
                          "Archivo: %1\n%2\n%3")
        .arg(QDir::toNativeSeparators(file.absoluteFilePath()), cause, remedy);
}

QString unusableDataDirText(const QString &dir)
{
    const QString name = QDir::toNativeSeparators(dir);
    const QFileInfo info(dir);
    QString why;
    if (dir.isEmpty()) {
        why = QStringLiteral("no hay una carpeta de datos para este usuario");
    } else if (info.exists() && !info.isDir()) {
        why = QStringLiteral("no es una carpeta");
    } else if (info.exists()) {
        why = QStringLiteral("el usuario %1 no tiene permiso para abrirla").arg(userName(::geteuid()));
    } else {
        // The nearest folder that exists is the one that refused it.
        QString parent = info.absolutePath();
        while (!QFileInfo::exists(parent) && QFileInfo(parent).absolutePath() != parent)
            parent = QFileInfo(parent).absolutePath();
        const QString refused = readOnlyReason(parent);
        why = QStringLiteral("no existe y no se ha podido crear") + (refused.isEmpty() ? QString() : QStringLiteral(" porque ") + refused);
    }
    return QStringLiteral("No se puede usar el directorio de datos %1: %2.").arg(name, why);
}
