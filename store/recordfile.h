#pragma once

#include "fileops.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdint>

#include <limits>
#include <optional>
#include <vector>

// A file of fixed-length records without header, addressed from 1.
//
// Reading a record that does not lie wholly inside the file yields a zeroed
// record and sets the end-of-file condition, so a reader finds the end by
// reading, exactly as the stored files expect. A tail shorter than one record
// is never part of a record and is left alone. Writes are unbuffered: once
// write() returns, the bytes are with the operating system and survive the
// program being killed.
class RecordFile
{
public:
    explicit RecordFile(int recordLength);
    ~RecordFile();

    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Opens for reading and writing, creating the file when missing. When the
    // file cannot be written it is opened read-only, and writes fail. A file
    // that cannot be read, is not a regular file (a pipe, a folder) or is a
    // link the link rule refuses (checkLink), is not opened at all:
    // openResult() says why, and nothing reads or writes it.
    bool open(const QString &path);
    FileOps::Result openResult() const { return m_openResult; }
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }
    int recordLength() const { return m_length; }

    // Record n into buffer (resized to the record length). Returns false,
    // with a zeroed buffer, at or past the end.
    bool read(qint64 n, QByteArray &buffer);
    bool atEnd() const { return m_eof; }

    bool write(qint64 n, QByteArrayView record);
    // Whole records after the last one, all or none: on any failure the file
    // is cut back to its previous length. Refused while the file has a
    // partial tail, which must be set aside first. lastError() says why.
    bool append(QByteArrayView records);
    FileOps::Result lastError() const { return m_lastError; }
    void clearError() { m_lastError = FileOps::Result::Ok; }

    // Whole records in the file.
    qint64 count() const;
    // Bytes after the last whole record (a damaged or foreign file).
    bool hasPartialTail() const;
    // Every whole record, in order, in one read.
    QByteArray readAllRecords();
    // How many times readAllRecords() went to the file since construction.
    int wholeReads() const { return m_wholeReads; }
    // Goes up with every open, close and write through this object, so a
    // reader keeping decoded records knows when they are out of date.
    quint64 changeCount() const { return m_changes; }
    // The bytes after the last whole record, and cutting them off (once a
    // copy of them is safe elsewhere).
    QByteArray partialTail();
    bool dropPartialTail();

private:
    QFile m_file;
    int m_length;
    bool m_eof = false;
    FileOps::Result m_openResult = FileOps::Result::Ok;
    FileOps::Result m_lastError = FileOps::Result::Ok;
    int m_wholeReads = 0;
    quint64 m_changes = 0;
};

// Record numbers are signed 16-bit in the files' tradition; a longer (foreign
// or damaged) file is read up to there.
constexpr qsizetype kMaxRecords = std::numeric_limits<std::int16_t>::max() - 1;

// No limit: every whole record, for the checks and rewrites that must not
// lose one past kMaxRecords.
constexpr qsizetype kAllRecords = std::numeric_limits<qsizetype>::max();

// The whole records of bytes decoded, in order, at most limit of them.
template <typename Record>
std::vector<Record> decodeRecords(QByteArrayView bytes, qsizetype limit = kMaxRecords)
{
    const qsizetype count = std::min(bytes.size() / Record::kSize, limit);
    std::vector<Record> records;
    records.reserve(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        records.push_back(Record::fromBytes(bytes.sliced(i * Record::kSize, Record::kSize)));
    return records;
}

// The typed form used everywhere: reads decode, writes encode.
template <typename Record>
class TypedRecordFile : public RecordFile
{
public:
    TypedRecordFile()
        : RecordFile(Record::kSize)
    {}

    Record get(qint64 n)
    {
        QByteArray bytes;
        read(n, bytes);
        return Record::fromBytes(bytes);
    }
    bool put(qint64 n, const Record &record) { return write(n, record.toBytes()); }
};
