#include "fieldlink.h"

#include "storage/datasource.h"
#include "errorreporter.h"
#include "storage/dbftable.h"

#include <QScopedValueRollback>

namespace kvor {

FieldLink::FieldLink(QObject *parent)
    : QObject(parent)
{
}

void FieldLink::setDataSource(DataSource *source)
{
    disconnect(m_data);
    disconnect(m_update);
    m_source = source;
    if (source) {
        m_data = connect(source, &DataSource::dataChanged, this, [this](DbfField *f) {
            if (m_starting)
                return;
            if (!f || f->name().compare(m_fieldName, Qt::CaseInsensitive) == 0) {
                emit refresh();
                return;
            }
            // A calculated field follows every change of the fields it is made of.
            if (DbfField *own = field(); own && own->isCalculated())
                emit refresh();
        });
        m_update = connect(source, &DataSource::updateRecordRequested, this, [this] {
            if (updateData)
                updateData();
        });
    }
    emit refresh();
}

void FieldLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit refresh();
}

DbfTable *FieldLink::table() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

DbfField *FieldLink::field() const
{
    DbfTable *t = table();
    if (!t || !t->active())
        return nullptr;
    return t->findField(m_fieldName);
}

QVariant FieldLink::value() const
{
    DbfField *f = field();
    return f ? f->value() : QVariant();
}

bool FieldLink::edit()
{
    DbfTable *t = table();
    if (!t || !t->active() || t->readOnly())
        return false;
    const QScopedValueRollback<bool> starting(m_starting, true);
    t->edit();
    return true;
}

void FieldLink::write(const QVariant &value)
{
    if (DbfField *f = field())
        f->setValue(value);
}

void FieldLink::writeText(QWidget *parent, const QString &text)
{
    ErrorReporter::guard(parent, [&] {
        write(text.isEmpty() ? QVariant() : QVariant(text));
        return true;
    });
}

} // namespace kvor
