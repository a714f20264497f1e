#include "recordfile.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

RecordFile::RecordFile(int recordLength)
    : m_length(recordLength)
{
}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::open(const QString &path)
{
    close();
    ++m_changes;
    m_eof = false;
    m_lastError = FileOps::Result::Ok;
    m_openResult = FileOps::Result::Ok;
    m_file.setFileName(path);
    // Through a link the rule follows is fine (records are written in place,
    // at the target); any other link is left alone, and so is a pipe, which
    // would block the first read, and a folder, which has no records.
    if (checkLink(path).refused()) {
        m_openResult = FileOps::Result::LinkRefused;
        return false;
    }
    struct stat info
    {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        m_openResult = FileOps::Result::NotRegular;
        return false;
    }
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    // A read-only file still shows its records; writes report failure.
    if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    m_openResult = exists ? FileOps::Result::Unreadable : FileOps::Result::Failed;
    if (!exists && m_file.error() == QFileDevice::PermissionsError)
        m_openResult = FileOps::Result::PermissionDenied;
    return false;
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
    ++m_changes;
}

bool RecordFile::read(qint64 n, QByteArray &buffer)
{
    buffer.fill('\0', m_length);
    m_eof = true;
    if (!m_file.isOpen() || n < 1)
        return false;
    const qint64 offset = (n - 1) * m_length;
    if (offset + m_length > m_file.size())
        return false;
    if (!m_file.seek(offset) || m_file.read(buffer.data(), m_length) != m_length) {
        buffer.fill('\0', m_length);
        return false;
    }
    m_eof = false;
    return true;
}

bool RecordFile::write(qint64 n, QByteArrayView record)
{
    if (!m_file.isOpen() || !m_file.isWritable() || n < 1 || record.size() != m_length)
        return false;
    const qint64 offset = (n - 1) * m_length;
    if (!m_file.seek(offset))
        return false;
    ++m_changes;
    return m_file.write(record.data(), m_length) == m_length;
}

bool RecordFile::append(QByteArrayView records)
{
    m_lastError = FileOps::Result::Failed;
    if (!m_file.isOpen() || records.isEmpty() || records.size() % m_length != 0 || hasPartialTail())
        return false;
    if (!m_file.isWritable()) {
        m_lastError = FileOps::Result::PermissionDenied;
        return false;
    }
    const qint64 before = m_file.size();
    if (!m_file.seek(before))
        return false;
    ++m_changes;
    // Unbuffered: a short count is the system's own answer, and errno with it.
    errno = 0;
    const qint64 written = m_file.write(records.data(), records.size());
    int error = errno;
    if (written == records.size() && ::fsync(m_file.handle()) != 0)
        error = errno;
    else if (written == records.size())
        error = 0;
    if (written == records.size() && error == 0) {
        m_lastError = FileOps::Result::Ok;
        return true;
    }
    // Half a record would be read as a damaged file: back to what it was.
    m_file.resize(before);
    if (error == 0 && m_file.error() == QFileDevice::ResourceError)
        error = ENOSPC;
    m_lastError = (error == ENOSPC || error == EDQUOT || error == EFBIG) ? FileOps::Result::DiskFull
        : (error == EACCES || error == EPERM || error == EROFS)          ? FileOps::Result::PermissionDenied
                                                                         : FileOps::Result::Failed;
    return false;
}

QByteArray RecordFile::partialTail()
{
    const qint64 whole = count() * m_length;
    if (!hasPartialTail() || !m_file.seek(whole))
        return {};
    return m_file.read(m_file.size() - whole);
}

bool RecordFile::dropPartialTail()
{
    if (!hasPartialTail())
        return true;
    ++m_changes;
    return m_file.isWritable() && m_file.resize(count() * m_length);
}

qint64 RecordFile::count() const
{
    return m_file.isOpen() ? m_file.size() / m_length : 0;
}

bool RecordFile::hasPartialTail() const
{
    return m_file.isOpen() && m_file.size() % m_length != 0;
}

QByteArray RecordFile::readAllRecords()
{
    const qint64 whole = count() * m_length;
    if (whole == 0 || !m_file.seek(0))
        return {};
    ++m_wholeReads;
    QByteArray bytes = m_file.read(whole);
    bytes.truncate(bytes.size() - bytes.size() % m_length);
    return bytes;
}
