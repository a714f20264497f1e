#include "datalock.h"

#include <QDir>
#include <QStorageInfo>

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
    if (m_lock->tryLock(waitMs))
        return Result::Acquired;
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
