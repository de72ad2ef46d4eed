#pragma once

#include <QMap>
#include <QString>

#include <algorithm>
#include <map>
#include <vector>

namespace kvor {

class DbfTable;

// What a band walks: a cursor over rows whose fields print as display texts.
class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // "" when the set has no rows. Past the end of a walk the last row stays
    // current, as a table does, so a page footer after the last record still
    // prints its fields.
    virtual QString displayText(const QString &field) const = 0;
    // Rows the walk will visit, when known cheaply; -1 otherwise (progress only).
    virtual int rowCount() const { return -1; }
};

// A data set over a table of the storage layer.
class TableDataSet : public ReportDataSet {
public:
    explicit TableDataSet(DbfTable &table);
    // Moving to the first record posts a pending edit (the table does that).
    void first() override;
    void next() override;
    bool eof() const override;
    // Numbers in general format (up to 15 significant digits, no grouping, no
    // trailing zeros) with the locale's decimal point, an empty number as "0";
    // text as stored; logicals "True"/"False"; dates dd.MM.yyyy.
    QString displayText(const QString &field) const override;

    static QString formatNumber(double value);

private:
    bool hasRows() const;

    DbfTable &m_table;
    int m_rows = -1; // after first(): 1 when the walk found a row, 0 when none
};

// Rows held in memory, for reports built from computed values and for tests.
class ListDataSet : public ReportDataSet {
public:
    ListDataSet() = default;
    explicit ListDataSet(std::vector<QMap<QString, QString>> rows)
        : m_rows(std::move(rows))
    {
    }
    void addRow(QMap<QString, QString> row) { m_rows.push_back(std::move(row)); }
    void first() override { m_pos = 0; }
    void next() override
    {
        if (m_pos < m_rows.size())
            ++m_pos;
    }
    bool eof() const override { return m_pos >= m_rows.size(); }
    QString displayText(const QString &field) const override
    {
        return m_rows.empty() ? QString() : m_rows[std::min(m_pos, m_rows.size() - 1)].value(field);
    }
    int rowCount() const override { return int(m_rows.size()); }
    size_t position() const { return m_pos; }

private:
    std::vector<QMap<QString, QString>> m_rows;
    size_t m_pos = 0;
};

using ReportDataSets = std::map<QString, ReportDataSet *>; // by name: "taWork", "taKat"

} // namespace kvor
