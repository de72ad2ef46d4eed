#pragma once

#include "readaheadcache.h"
#include "recordfilter.h"

namespace kvor {

class DbfFile;

// The records of an open file as navigation sees them: read ahead, counted from
// the file's size, skipped when marked deleted or not matching the filter, and
// kept in step with what other processes add, remove or change.
class VisibleRecords {
public:
    void attach(const DbfFile *file, int headerLength, int recordLength, qint64 count, quint32 stamp);
    void detach();

    qint64 count() const { return m_count; }
    // Counts the records again from the file's size.
    void recount();
    quint32 stamp() const { return m_stamp; }
    void setStamp(quint32 stamp) { m_stamp = stamp; }

    // Record k (deletion mark first), or nullptr.
    const char *record(qint64 k) { return m_cache.record(k, m_count); }
    void invalidate() { m_cache.invalidate(); }

    bool isVisible(qint64 k, const char *record, bool useDeleted, bool filtered) const
    {
        if (!useDeleted && record[0] == '*')
            return false;
        return !(filtered && m_filter.isSet()) || m_filter.match(k);
    }
    // The first visible record from `from` on in steps of step (±1); 0 when none.
    qint64 scan(qint64 from, int step, bool useDeleted, bool filtered);
    // Takes in records other processes appended or removed, and, when the header's
    // change stamp moved, that any record may have changed.
    void refresh();

    RecordFilter &filter() { return m_filter; }
    const RecordFilter &filter() const { return m_filter; }

private:
    const DbfFile *m_file = nullptr;
    int m_headerLength = 0;
    int m_recordLength = 1;
    qint64 m_count = 0;
    quint32 m_stamp = 0;
    ReadAheadCache m_cache;
    RecordFilter m_filter;
};

} // namespace kvor
