#pragma once

#include <QByteArray>

namespace kvor {

class DbfFile;

// Records read from the file a chunk at a time: a walk over a table makes one
// read per chunk, not one per record.
class ReadAheadCache {
public:
    void setLayout(const DbfFile *file, int headerLength, int recordLength);
    void invalidate()
    {
        m_first = 0;
        m_count = 0;
    }

    // Record k of the count the file holds (deletion mark first), or nullptr.
    const char *record(qint64 k, qint64 count)
    {
        if (k < 1 || k > count)
            return nullptr;
        if (k >= m_first && k < m_first + m_count)
            return m_bytes.constData() + (k - m_first) * m_recordLength;
        return fill(k, count);
    }

private:
    const char *fill(qint64 k, qint64 count);

    const DbfFile *m_file = nullptr;
    int m_headerLength = 0;
    int m_recordLength = 1;
    QByteArray m_bytes;
    qint64 m_first = 0;
    qint64 m_count = 0;
};

} // namespace kvor
