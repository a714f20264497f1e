#include "recordfile.h"

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
    m_eof = false;
    m_file.setFileName(path);
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    // A read-only file still shows its records; writes report failure.
    return m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
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
    return m_file.write(record.data(), m_length) == m_length;
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
    QByteArray bytes = m_file.read(whole);
    bytes.truncate(bytes.size() - bytes.size() % m_length);
    return bytes;
}
