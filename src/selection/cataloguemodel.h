#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace kvor {

class DbfTable;

// The rows of the filtered catalogue as the list shows them: the visible
// fields' display texts, read once per build, and the file record of each row.
class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Reads every visible row of `table` (left on its first row); a closed table lists nothing.
    void reload(DbfTable &table, const QStringList &fields);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QStringList &fields() const { return m_fields; }
    qint64 recordAt(int row) const { return m_records.at(size_t(row)); }
    int rowOfRecord(qint64 record) const;
    // A field's title as the list shows it: its unit on a second line.
    static QString shownTitle(const QString &field);
    // The row the indicator column marks.
    void setCurrentRow(int row);

private:
    QStringList m_fields;
    std::vector<qint64> m_records;
    std::vector<QStringList> m_texts;
    int m_current = -1;
};

} // namespace kvor
