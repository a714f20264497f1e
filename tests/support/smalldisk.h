#pragma once

#include <QString>
#include <QTemporaryDir>

// A real, tiny file system (tmpfs) for the tests of a full disk. Mounting
// needs root (or CAP_SYS_ADMIN); mounted() says whether it worked, so the
// test can skip. Unmounted when it goes, even with files still open.
class SmallDisk
{
public:
    explicit SmallDisk(int kibibytes = 64);
    ~SmallDisk();

    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Takes every free byte (a filler file grown until the disk refuses),
    // then gives back `leave` bytes of it: a nearly full disk.
    void fill(qint64 leave = 0);
    // Mounts it again read-only, as a write-protected disk: even root gets
    // EROFS. False when that is refused.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
