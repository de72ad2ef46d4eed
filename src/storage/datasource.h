#pragma once

#include "dbftable.h"

#include <QObject>
#include <QPointer>

namespace kvor {


// Links a table to the controls bound to it: they hear when the current record
// or one of its fields changes.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    DataSource(DbfTable *table, QObject *parent = nullptr);

    DbfTable *dataSet() const { return m_table; }
    void setDataSet(DbfTable *table);

signals:
    // The changed field, or nullptr when the whole record changed.
    void dataChanged(kvor::DbfField *field);
    void stateChanged();
    void updateRecordRequested();

private:
    QPointer<DbfTable> m_table;
    QMetaObject::Connection m_record, m_field, m_state, m_update;
};

} // namespace kvor
