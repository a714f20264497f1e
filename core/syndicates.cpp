#include "syndicates.h"

#include "scrutiny/prizes.h"
#include "store/oledate.h"
#include "storeddraws.h"

QDate Syndicates::oldestCreation() const
{
    QDate oldest;
    for (const SyndicateRecord &syndicate : m_records) {
        const QDate created = OleDate::toDate(syndicate.createdOn);
        if (!Scrutiny::isDamaged(syndicate) && created.isValid() && (!oldest.isValid() || created < oldest))
            oldest = created;
    }
    return oldest;
}

std::vector<SyndicateRecord> Syndicates::readAll()
{
    return decodeRecords<SyndicateRecord>(m_file.readAllRecords());
}

void Syndicates::rebuild(const StoredDraws &draws, int drawsSinceFirstSyndicate, bool readOnly)
{
    m_records = readAll();
    std::vector<bool> changed(m_records.size(), false);
    // The counters are a function of the stored draws. A draw file about to
    // be set aside as invalid adds nothing: its rejection recounts over the
    // empty file that takes its place.
    if (draws.isSound() && !draws.file().hasPartialTail()) {
        for (std::size_t k : Scrutiny::recount(m_records, draws.upToToday()))
            changed[k] = true;
    }
    m_list = Summary::loadSyndicateList(m_records, drawsSinceFirstSyndicate);
    for (int record : m_list.rewritten)
        changed[std::size_t(record - 1)] = true;
    // One write per record, counters, dates and draw day together, so an
    // interrupted rebuild leaves each record wholly old or wholly new.
    // Read-only, the corrected figures are shown but not stored.
    for (std::size_t k = 0; k < changed.size() && !readOnly; ++k) {
        if (changed[k])
            m_file.put(qint64(k) + 1, m_records[k]);
    }
    m_nextRecord = int(m_records.size()) + 1;
    if (m_selected > int(m_records.size()))
        m_selected = 0;
}

int Syndicates::shown() const
{
    if (m_selected >= 1 && m_selected <= int(m_records.size()))
        return m_selected;
    const int record = m_details.record;
    if (m_details.damaged || record < 1 || record > int(m_records.size()))
        return 0;
    return record;
}

bool Syndicates::select(int record)
{
    if (record < 1 || record > int(m_records.size()))
        return false;
    m_selected = record;
    return true;
}

void Syndicates::setDetails(int record, const StoredDraws &draws)
{
    if (m_records.empty()) {
        m_details = Summary::emptyDetails();
    } else if (record >= 1 && record <= int(m_records.size())) {
        std::vector<double> dates;
        for (const DrawRecord &draw : draws.upToToday())
            dates.push_back(draw.date);
        m_details = Summary::showSyndicateDetails(record, m_records[std::size_t(record - 1)], dates);
    } else {
        m_details = Summary::emptyDetails();
        m_details.record = record;
        m_details.damaged = true;
    }
}
