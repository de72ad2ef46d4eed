#include "datasource.h"

#include "dbftable.h"

namespace kvor {

DataSource::DataSource(QObject *parent)
    : QObject(parent)
{
}

DataSource::DataSource(DbfTable *table, QObject *parent)
    : QObject(parent)
{
    setDataSet(table);
}

void DataSource::setDataSet(DbfTable *table)
{
    if (m_table == table)
        return;
    disconnect(m_record);
    disconnect(m_field);
    disconnect(m_state);
    disconnect(m_update);
    m_table = table;
    if (!table)
        return;
    m_record = connect(table, &DbfTable::recordChanged, this, [this] { emit dataChanged(nullptr); });
    m_field = connect(table, &DbfTable::fieldChanged, this, &DataSource::dataChanged);
    m_state = connect(table, &DbfTable::stateChanged, this, &DataSource::stateChanged);
    m_update = connect(table, &DbfTable::updateRecordRequested, this, &DataSource::updateRecordRequested);
}

} // namespace kvor
