#include "datalock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QThread>

#include <algorithm>

namespace
{
    // The owner's process id, or 0 when the file holds none (empty, cut
    // short, garbage, or unreadable): QLockFile never finds such a lock
    // stale, whoever made it.
    qint64 ownerPid(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        bool ok = false;
        const qint64 pid = file.readLine(32).trimmed().toLongLong(&ok);
        return ok && pid > 0 ? pid : 0;
    }

    // Milliseconds since the lock file was last written; -1 when none.
    qint64 ageMs(const QString &path)
    {
        const QFileInfo info(path);
        if (!info.exists())
            return -1;
        // A date ahead of the clock (a clock set back) counts as far as it is.
        return qAbs(info.lastModified().msecsTo(QDateTime::currentDateTime()));
    }
}

DataDirLock::DataDirLock(const QString &dataDir)
    : m_dataDir(dataDir)
    , m_lock(std::make_unique<QLockFile>(QDir(dataDir).absoluteFilePath(QLatin1String(kFileName))))
{
    // A download can hold the directory for minutes; only a dead owner makes
    // the lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

DataDirLock::~DataDirLock()
{
    release();
}

DataDirLock::Result DataDirLock::acquire(int waitMs)
{
    const QString path = QDir(m_dataDir).absoluteFilePath(QLatin1String(kFileName));
    // A lock without an owner's id can only be a creation cut short (a
    // live owner writes its id at once): it may wait until it is old enough
    // to be sure, even when the caller would not wait at all.
    QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (m_lock->tryLock(0))
            return Result::Acquired;
        if (m_lock->error() != QLockFile::LockFailedError)
            break;
        const qint64 age = ownerPid(path) == 0 ? ageMs(path) : -1;
        if (age >= kOwnerlessStaleMs && takeOverOwnerless(path))
            continue;
        if (age >= 0 && age < kOwnerlessStaleMs)
            deadline = std::max(deadline, QDeadlineTimer(kOwnerlessStaleMs - age + 100));
        if (deadline.hasExpired())
            return Result::Busy;
        QThread::msleep(std::clamp<qint64>(deadline.remainingTime(), 1, 100));
    }
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        return Result::Busy;
    case QLockFile::NoError:
    case QLockFile::PermissionError:
    case QLockFile::UnknownError:
        break;
    }
    return Result::Failed;
}

bool DataDirLock::takeOverOwnerless(const QString &path)
{
    // Two newcomers must not both remove it, the second one the lock the
    // first has just made: one removes, under a lock of its own, and only
    // what is still ownerless and old.
    QLockFile removal(path + QStringLiteral(".rmlock"));
    if (!removal.tryLock(kOwnerlessStaleMs))
        return false;
    return ownerPid(path) == 0 && ageMs(path) >= kOwnerlessStaleMs && QFile::remove(path);
}

void DataDirLock::release()
{
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}

bool DataDirLock::isHeld() const
{
    return m_lock && m_lock->isLocked();
}

QString DataDirLock::busyText() const
{
    return QStringLiteral("Quorvale ya está abierto con los datos de %1. "
                          "Cierre la otra ventana o espere a que termine la otra orden.")
        .arg(QDir::toNativeSeparators(m_dataDir));
}

QString DataDirLock::failedText() const
{
    const QStorageInfo disk(m_dataDir);
    if (disk.isValid() && disk.bytesAvailable() == 0)
        return QStringLiteral("No queda espacio en el disco del directorio de datos %1: libere espacio y vuelva a "
                              "intentarlo. No se ha cambiado nada.")
            .arg(QDir::toNativeSeparators(m_dataDir));
    return QStringLiteral("No se puede bloquear el directorio de datos %1: compruebe que puede escribir en él.")
        .arg(QDir::toNativeSeparators(m_dataDir));
}
