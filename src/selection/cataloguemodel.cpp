#include "cataloguemodel.h"

#include "selection/core/catalogueselection.h"
#include "storage/dbftable.h"

#include <QLocale>

namespace kvor {

namespace {

// A number in general format with the locale's decimal point; an empty field shows nothing.
QString displayText(const DbfField &f)
{
    if (f.isNull())
        return QString();
    if (!f.isNumeric())
        return f.asString();
    QString s = QString::number(f.asFloat(), 'g', 15);
    s.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return s;
}

} // namespace

void CatalogueModel::reload(DbfTable &table, const QStringList &fields)
{
    beginResetModel();
    m_fields = fields;
    m_records.clear();
    m_texts.clear();
    m_current = -1;
    if (table.active()) {
        std::vector<DbfField *> shown;
        for (const QString &name : fields)
            shown.push_back(table.fieldByName(name));
        for (table.first(); !table.eof(); table.next()) {
            m_records.push_back(table.recNo());
            QStringList row;
            for (const DbfField *f : shown)
                row << displayText(*f);
            m_texts.push_back(row);
        }
        table.first();
    }
    endResetModel();
}

void CatalogueModel::clear()
{
    beginResetModel();
    m_records.clear();
    m_texts.clear();
    m_current = -1;
    endResetModel();
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int CatalogueModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_texts.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_texts[size_t(index.row())].value(index.column());
    return {};
}

QVariant CatalogueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole && section == m_current ? QStringLiteral("▶") : QVariant(QString());
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return shownTitle(m_fields.value(section));
}

QString CatalogueModel::shownTitle(const QString &field)
{
    // The unit goes on a line of its own, so narrow columns show it whole.
    QString title = CatalogueSelection::fieldTitle(field);
    const qsizetype unit = title.lastIndexOf(QLatin1String(", "));
    if (unit > 0)
        title.replace(unit, 2, QLatin1Char('\n'));
    return title;
}

void CatalogueModel::setCurrentRow(int row)
{
    if (row == m_current)
        return;
    const int old = m_current;
    m_current = row;
    if (old >= 0 && old < rowCount())
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

int CatalogueModel::rowOfRecord(qint64 record) const
{
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i] == record)
            return int(i);
    return -1;
}

} // namespace kvor
