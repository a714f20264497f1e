#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One Quorvale at a time per data directory: a window and a command, or two
// commands, writing the same files would lose records. The lock is a
// QLockFile, "quorvale.lock", in the data directory; it holds the owner's
// process id, so a lock left by a crashed owner on this machine is taken over.
// So is a lock file without an owner's id (empty, cut short, unreadable) once
// it is a few seconds old: an owner killed between making the file and
// writing its id must not lock the user out.
class DataDirLock
{
public:
    static constexpr const char *kFileName = "quorvale.lock";

    enum class Result
    {
        Acquired,
        Busy,
        Failed
    };

    explicit DataDirLock(const QString &dataDir);
    ~DataDirLock();

    DataDirLock(const DataDirLock &) = delete;
    DataDirLock &operator=(const DataDirLock &) = delete;

    // How old a lock file without an owner's id must be to be taken over.
    static constexpr int kOwnerlessStaleMs = 3000;

    // Waits up to waitMs for another owner to let go (longer, up to
    // kOwnerlessStaleMs, while the lock file holds no owner's id).
    Result acquire(int waitMs);
    void release();
    bool isHeld() const;

    // What the front ends say when the directory is held or the lock cannot
    // be made.
    QString busyText() const;
    QString failedText() const;

private:
    // Removes an ownerless lock file old enough; false when it could not.
    bool takeOverOwnerless(const QString &path);

    QString m_dataDir;
    std::unique_ptr<QLockFile> m_lock;
};
