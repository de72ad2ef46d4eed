#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace kvor {

class DbfTable;
class FilterExpression;

// A table's parsed filter and which of its records match it: a bit per record,
// for the records 1..matchedCount() it has looked at.
class RecordFilter {
public:
    RecordFilter();
    ~RecordFilter();

    bool isSet() const { return bool(m_expression); }
    // Whether the filter in force was parsed from this text.
    bool parsedFrom(const QString &text) const { return m_expression && m_parsedText == text; }
    // Parses text over the table's fields and forgets every match; throws on a bad expression.
    void parse(const QString &text, const DbfTable &table);
    // Drops the expression and every match.
    void clear();

    bool evaluate(const char *record) const;
    bool match(qint64 k) const
    {
        if (k < 1 || k > m_matchedCount)
            return false;
        return (m_matches[size_t((k - 1) / 64)] >> ((k - 1) % 64)) & 1u;
    }
    void setMatch(qint64 k, bool on);

    qint64 matchedCount() const { return m_matchedCount; }
    void setMatchedCount(qint64 count) { m_matchedCount = count; }
    // Forgets every match: records may have changed anywhere.
    void forgetMatches()
    {
        m_matchedCount = 0;
        m_matches.clear();
    }
    // Room for count records; new records start unmatched.
    void reserve(qint64 count) { m_matches.resize(size_t((count + 63) / 64), 0); }
    // Looks at the records after matchedCount() up to count, as records(k) gives
    // them; a record it cannot give ends the look.
    template <class Records>
    void matchUpTo(qint64 count, Records records)
    {
        reserve(count);
        for (qint64 k = m_matchedCount + 1; k <= count; ++k) {
            const char *record = records(k);
            if (!record)
                break;
            setMatch(k, evaluate(record));
        }
        m_matchedCount = count;
    }

private:
    std::unique_ptr<FilterExpression> m_expression;
    QString m_parsedText;
    std::vector<quint64> m_matches;
    qint64 m_matchedCount = 0;
};

} // namespace kvor
