#pragma once

#include "drawlist.h"
#include "store/drawrecord.h"
#include "store/recordfile.h"

#include <QByteArray>
#include <QDate>

#include <vector>

class Clock;

// numeros.dat and what every reader takes from it. The file is read once per
// change (any open, close or write through file(), a change of its size, or
// reload() after the status scan) and the records are decoded once; every
// reader in the program gets them from here.
class StoredDraws
{
public:
    explicit StoredDraws(const Clock &clock);

    TypedRecordFile<DrawRecord> &file() { return m_file; }
    const TypedRecordFile<DrawRecord> &file() const { return m_file; }

    // Every whole record as the file has them, in one piece.
    const QByteArray &bytes() const;
    // Every record as stored, oldest first (at most kMaxRecords).
    const std::vector<DrawRecord> &all() const;
    // The stored draws held up to today, oldest first. A draw dated after
    // today was never held: no prize is counted from it and none becomes a
    // peña's last counted date.
    const std::vector<DrawRecord> &upToToday() const;
    // The draws of the list (its sound records) held up to today, oldest
    // first: what the statistics and the money count.
    const std::vector<DrawRecord> &listedUpToToday() const;
    // The draw list and its tallies, newest first.
    const DrawList &list() const;
    // Whether every record holds numbers, key and date in range (the list
    // then holds them all).
    bool isSound() const;

    // Reads the file again at the next question: after the status scan, so
    // a change made behind the program's back is seen then.
    void reload() { m_valid = false; }

private:
    void refresh() const;
    void filterToday() const;

    const Clock &m_clock;
    mutable TypedRecordFile<DrawRecord> m_file; // reading moves its position

    mutable bool m_valid = false;
    mutable quint64 m_changeCount = 0;
    mutable qint64 m_count = -1;
    mutable QByteArray m_bytes;
    mutable std::vector<DrawRecord> m_all;
    mutable DrawList m_list;
    mutable bool m_sound = false;
    mutable QDate m_today;
    mutable std::vector<DrawRecord> m_upToToday;
    mutable std::vector<DrawRecord> m_listedUpToToday;
};
