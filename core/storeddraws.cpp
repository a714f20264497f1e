#include "storeddraws.h"

#include "base/clock.h"
#include "store/oledate.h"

#include <algorithm>
#include <iterator>

StoredDraws::StoredDraws(const Clock &clock)
    : m_clock(clock)
{
}

void StoredDraws::refresh() const
{
    const quint64 changes = m_file.changeCount();
    const qint64 count = m_file.count();
    if (m_valid && changes == m_changeCount && count == m_count)
        return;
    m_bytes = m_file.readAllRecords();
    m_all = decodeRecords<DrawRecord>(m_bytes);
    m_sound = m_list.load(m_bytes);
    m_changeCount = changes;
    m_count = count;
    m_valid = true;
    m_today = QDate();
}

void StoredDraws::filterToday() const
{
    refresh();
    const QDate today = m_clock.today();
    if (m_today == today && m_today.isValid())
        return;
    const double last = OleDate::fromDate(today);
    const auto held = [last](const DrawRecord &draw) { return draw.date <= last; };
    m_upToToday.clear();
    std::copy_if(m_all.begin(), m_all.end(), std::back_inserter(m_upToToday), held);
    m_listedUpToToday.clear();
    std::copy_if(m_list.draws.rbegin(), m_list.draws.rend(), std::back_inserter(m_listedUpToToday), held);
    m_today = today;
}

const QByteArray &StoredDraws::bytes() const
{
    refresh();
    return m_bytes;
}

const std::vector<DrawRecord> &StoredDraws::all() const
{
    refresh();
    return m_all;
}

const std::vector<DrawRecord> &StoredDraws::upToToday() const
{
    filterToday();
    return m_upToToday;
}

const std::vector<DrawRecord> &StoredDraws::listedUpToToday() const
{
    filterToday();
    return m_listedUpToToday;
}

const DrawList &StoredDraws::list() const
{
    refresh();
    return m_list;
}

bool StoredDraws::isSound() const
{
    refresh();
    return m_sound;
}
