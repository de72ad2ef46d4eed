#include "visiblerecords.h"

#include "dbffile.h"
#include "dbfheader.h"

namespace kvor {

void VisibleRecords::attach(const DbfFile *file, int headerLength, int recordLength, qint64 count, quint32 stamp)
{
    m_file = file;
    m_headerLength = headerLength;
    m_recordLength = recordLength;
    m_count = count;
    m_stamp = stamp;
    m_cache.setLayout(file, headerLength, recordLength);
}

void VisibleRecords::detach()
{
    m_file = nullptr;
    m_cache.invalidate();
    m_filter.clear();
    m_count = 0;
}

void VisibleRecords::recount()
{
    const qint64 size = m_file->size();
    m_count = size >= m_headerLength ? (size - m_headerLength) / m_recordLength : 0;
}

qint64 VisibleRecords::scan(qint64 from, int step, bool useDeleted, bool filtered)
{
    for (qint64 k = from; k >= 1 && k <= m_count; k += step) {
        const char *rec = record(k);
        if (!rec)
            return 0;
        if (isVisible(k, rec, useDeleted, filtered))
            return k;
    }
    return 0;
}

void VisibleRecords::refresh()
{
    const qint64 size = m_file->size();
    const qint64 count = size >= m_headerLength ? (size - m_headerLength) / m_recordLength : 0;
    quint32 stamp = 0;
    const bool stampRead = DbfHeader::readStamp(*m_file, &stamp);
    const bool changedByOthers = stampRead && stamp != m_stamp;
    if (count == m_count && !changedByOthers)
        return;
    m_cache.invalidate();
    if (stampRead)
        m_stamp = stamp;
    const qint64 previous = m_count;
    m_count = count;
    if (m_filter.isSet()) {
        if (changedByOthers || count < previous)
            m_filter.forgetMatches(); // records may have changed anywhere
        m_filter.matchUpTo(m_count, [this](qint64 k) { return record(k); });
    }
}

} // namespace kvor
