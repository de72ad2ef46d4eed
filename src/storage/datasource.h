#pragma once

#include "dbftable.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace kvor {


// Links a table to the controls bound to it: they, and the optional data-change
// handler, hear when the current record or one of its fields changes.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    DataSource(DbfTable *table, QObject *parent = nullptr);

    DbfTable *dataSet() const { return m_table; }
    void setDataSet(DbfTable *table);

    // Called with the changed field, or nullptr when the whole record changed.
    std::function<void(DbfField *)> onDataChange;

signals:
    void dataChanged(kvor::DbfField *field);
    void stateChanged();
    void updateRecordRequested();

private:
    void notify(DbfField *field);

    QPointer<DbfTable> m_table;
    QMetaObject::Connection m_record, m_field, m_state, m_update;
};

} // namespace kvor
