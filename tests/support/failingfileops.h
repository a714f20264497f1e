#pragma once

#include "store/fileops.h"

#include <functional>

// The disk, except that mutating step number failAt (from 0) fails with
// failure; steps counts the mutating steps taken. Reads always go through.
class FailingFileOps final : public FileOps
{
public:
    bool read(const QString &path, QByteArray *bytes) override { return m_disk.read(path, bytes); }
    Result write(const QString &path, const QByteArray &bytes) override
    {
        return step([&] { return m_disk.write(path, bytes); });
    }
    Result replace(const QString &from, const QString &to) override
    {
        return step([&] { return m_disk.replace(from, to); });
    }
    Result remove(const QString &path) override
    {
        return step([&] { return m_disk.remove(path); });
    }
    Result readFile(const QString &path, QByteArray *bytes, bool missingIsEmpty) override
    {
        return m_disk.readFile(path, bytes, missingIsEmpty);
    }
    Result createWorkFile(const QString &path, const QByteArray &bytes) override
    {
        return step([&] { return m_disk.createWorkFile(path, bytes); });
    }

    int failAt = -1;
    Result failure = Result::Failed;
    int steps = 0;

private:
    Result step(const std::function<Result()> &run)
    {
        return steps++ == failAt ? failure : run();
    }
    DiskFileOps m_disk;
};
