#pragma once

#include "scrutiny/summary.h"
#include "store/recordfile.h"
#include "store/syndicaterecord.h"

#include <QDate>
#include <QString>

#include <vector>

class StoredDraws;

// The peñas of apuestas.dat: their records as the last rebuild left them,
// the list and its count, the details panel and which one is selected.
// The Session changes them (its commands emit the signals); every front end
// and command reads them here.
class Syndicates
{
public:
    TypedRecordFile<SyndicateRecord> &file() { return m_file; }
    const TypedRecordFile<SyndicateRecord> &file() const { return m_file; }

    // Every record, in file order, as the last rebuild read and corrected them.
    const std::vector<SyndicateRecord> &records() const { return m_records; }
    int nextRecord() const { return m_nextRecord; }
    // The creation date of the oldest sound peña, from which their money
    // needs prize reports; invalid with none.
    QDate oldestCreation() const;

    const Summary::SyndicateList &list() const { return m_list; }
    // The records of apuestas.dat, damaged ones included.
    int count() const { return m_list.count; }
    const Summary::Details &details() const { return m_details; }
    // The one clicked in the list; 0 for none.
    int selected() const { return m_selected; }
    // The syndicate whose details are shown, which printing and deletion
    // act on: the one clicked, else the one shown first; 0 for none.
    int shown() const;

    // Every record in the file now, in one read.
    std::vector<SyndicateRecord> readAll();

private:
    friend class Session;

    // Reads the records, brings every prize counter and lastCountedDate to
    // the stored draws, rebuilds the list and writes each changed record
    // once (not when readOnly).
    void rebuild(const StoredDraws &draws, int drawsSinceFirstSyndicate, bool readOnly);
    // The details of one record (from 1): empty with no syndicate, damaged
    // for a record that cannot be shown.
    void setDetails(int record, const StoredDraws &draws);
    // False for a record that does not exist.
    bool select(int record);
    void clearSelected() { m_selected = 0; }

    TypedRecordFile<SyndicateRecord> m_file;
    std::vector<SyndicateRecord> m_records;
    int m_nextRecord = 0;
    Summary::SyndicateList m_list;
    Summary::Details m_details = Summary::emptyDetails();
    int m_selected = 0;
};
