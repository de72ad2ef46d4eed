#include "readaheadcache.h"

#include "dbffile.h"

#include <algorithm>

namespace kvor {

namespace {

constexpr qint64 kReadAheadBytes = 256 * 1024;

} // namespace

void ReadAheadCache::setLayout(const DbfFile *file, int headerLength, int recordLength)
{
    m_file = file;
    m_headerLength = headerLength;
    m_recordLength = recordLength;
    invalidate();
}

const char *ReadAheadCache::fill(qint64 k, qint64 count)
{
    const qint64 chunk = std::max<qint64>(1, kReadAheadBytes / m_recordLength);
    // Backward walks read the chunk that ends at k.
    qint64 firstRec = k;
    if (k < m_first && m_count > 0)
        firstRec = std::max<qint64>(1, k - chunk + 1);
    const qint64 n = std::min(chunk, count - firstRec + 1);
    if (m_bytes.size() < n * m_recordLength)
        m_bytes.resize(n * m_recordLength);
    qint64 got = 0;
    m_file->readAt(m_headerLength + (firstRec - 1) * qint64(m_recordLength), m_bytes.data(), n * m_recordLength, &got);
    m_first = firstRec;
    m_count = got / m_recordLength;
    if (k >= m_first + m_count)
        return nullptr; // the file shrank under us
    return m_bytes.constData() + (k - m_first) * m_recordLength;
}

} // namespace kvor
