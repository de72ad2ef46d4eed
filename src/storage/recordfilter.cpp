#include "recordfilter.h"

#include "filterexpression.h"

namespace kvor {

RecordFilter::RecordFilter() = default;
RecordFilter::~RecordFilter() = default;

void RecordFilter::parse(const QString &text, const DbfTable &table)
{
    m_expression.reset();
    m_matches.clear();
    m_matchedCount = 0;
    m_parsedText.clear();
    m_expression = FilterExpression::parse(text, table);
    m_parsedText = text;
}

void RecordFilter::clear()
{
    m_expression.reset();
    m_parsedText.clear();
    m_matches.clear();
    m_matchedCount = 0;
}

bool RecordFilter::evaluate(const char *record) const
{
    return m_expression->evaluate(record);
}

void RecordFilter::setMatch(qint64 k, bool on)
{
    const size_t word = size_t((k - 1) / 64);
    if (word >= m_matches.size())
        m_matches.resize(word + 1, 0);
    const quint64 bit = quint64(1) << ((k - 1) % 64);
    if (on)
        m_matches[word] |= bit;
    else
        m_matches[word] &= ~bit;
}

} // namespace kvor
