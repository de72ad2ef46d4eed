#pragma once

#include "reportdataset.h"
#include "storage/dbftable.h"

namespace kvor {

// The calculation record as the report forms walk it. A table's cursor stays on
// its last record when a walk runs past it, so bands laid out after the walk
// (the page footer) print that record, and bands laid out before it (a title
// band) print the record the walk starts from.
class WorkDataSet : public ReportDataSet {
public:
    explicit WorkDataSet(DbfTable &table)
        : m_table(table)
        , m_rows(table)
    {
        // Where the walk will start, for bands laid out before it; the move posts
        // a pending edit, as the walk's own first move would.
        if (m_table.active() && !m_table.isEmpty())
            m_table.first();
    }
    void first() override
    {
        m_past = false;
        m_rows.first();
    }
    void next() override
    {
        m_rows.next();
        if (m_rows.eof() && m_table.active() && !m_table.isEmpty()) {
            m_table.last();
            m_past = true;
        }
    }
    bool eof() const override { return m_past || m_rows.eof(); }
    QString displayText(const QString &field) const override { return m_rows.displayText(field); }
    int rowCount() const override { return m_rows.rowCount(); }

private:
    DbfTable &m_table;
    TableDataSet m_rows;
    bool m_past = false;
};

} // namespace kvor
