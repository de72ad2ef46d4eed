#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include "storage/datasource.h"

#include <functional>

class QWidget;

namespace kvor {

class DbfField;
class DbfTable;

// One control's link to one field of a data source's current record: it tells
// the control when to show the field again, puts the table in edit state when
// the user starts typing, and writes the control's value back.
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    void setFieldName(const QString &name);
    const QString &fieldName() const { return m_fieldName; }

    DbfTable *table() const;
    DbfField *field() const; // nullptr while the table is closed or lacks the field
    bool active() const { return field() != nullptr; }
    QVariant value() const;

    // Starts editing the record (the user typed); false if it cannot be edited.
    bool edit();
    // Writes the control's value; the table must be in edit or insert state.
    void write(const QVariant &value);
    // Writes what a control's user typed (empty text clears the field); a
    // table-layer error reaches the error box with `parent`.
    void writeText(QWidget *parent, const QString &text);

    // The control's pending text is written when the record is posted or left.
    std::function<void()> updateData;

signals:
    void refresh(); // show the field's value again

private:
    QPointer<DataSource> m_source;
    QString m_fieldName;
    bool m_starting = false; // our own Edit reloads the record: the control keeps its text
    QMetaObject::Connection m_data, m_update;
};

} // namespace kvor
