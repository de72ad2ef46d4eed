#include "dbcheckbox.h"

#include "errorreporter.h"
#include "storage/dbftable.h"

namespace kvor {

DbCheckBox::DbCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
    connect(&m_link, &FieldLink::refresh, this, &DbCheckBox::showField);
    connect(this, &QCheckBox::toggled, this, &DbCheckBox::changed);
}

void DbCheckBox::bind(DataSource *source, const QString &fieldName)
{
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void DbCheckBox::showField()
{
    bool on = false;
    if (DbfField *f = m_link.field())
        ErrorReporter::guard(this, [&] {
            on = !f->isNull() && f->asBoolean();
            return true;
        });
    setChecked(on);
}

void DbCheckBox::nextCheckState()
{
    const bool on = !isChecked();
    ErrorReporter::guard(this, [&] {
        if (!m_link.edit())
            return false;
        m_link.write(on);
        return true;
    });
    // The box shows the field, written or not.
    showField();
}

} // namespace kvor
