#include "smalldisk.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

SmallDisk::SmallDisk(int kibibytes)
{
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k";
    m_mounted = m_dir.isValid()
        && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill(qint64 leave)
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("relleno"))).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const char block[512] = {};
    // Down to single bytes, so that not even a partial page is left.
    for (std::size_t size = sizeof block; size > 0; size /= 2) {
        while (::write(fd, block, size) == ssize_t(size)) {
        }
    }
    if (leave > 0) {
        const off_t size = ::lseek(fd, 0, SEEK_END);
        if (size > leave && ::ftruncate(fd, size - leave) != 0)
            return void(::close(fd));
    }
    ::close(fd);
}

bool SmallDisk::makeReadOnly()
{
    return m_mounted
        && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
