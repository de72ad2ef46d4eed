#pragma once

#include <QByteArray>
#include <QDate>
#include <QVariant>

namespace kvor {

class DbfField;

// The test Locate applies to each raw record: a value in the stored form of one
// field, compared as that field's kind compares.
class RecordLocator {
public:
    RecordLocator(const DbfField &field, const QVariant &value, bool caseInsensitive, bool translateAscii);

    // False when no stored value can equal the one sought.
    bool possible() const { return m_possible; }
    bool matches(const char *record) const;

private:
    const DbfField &m_field;
    bool m_caseInsensitive;
    bool m_translateAscii;
    bool m_possible = true;
    QByteArray m_text;
    double m_number = 0;
    bool m_truth = false;
    QDate m_date;
};

} // namespace kvor
