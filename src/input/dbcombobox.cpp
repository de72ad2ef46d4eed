#include "dbcombobox.h"

#include "errorreporter.h"
#include "storage/dbftable.h"

#include <QLineEdit>

namespace kvor {

DbComboBox::DbComboBox(QWidget *parent)
    : QComboBox(parent)
{
    connect(&m_link, &FieldLink::refresh, this, [this] {
        if (!m_dirty)
            showField();
    });
    m_link.updateData = [this] { commit(); };
    auto userChange = [this] {
        if (m_showing)
            return;
        if (!m_dirty) {
            if (!ErrorReporter::guard(this, [this] { return m_link.edit(); })) {
                showField();
                return;
            }
            m_dirty = true;
        }
        if (!isEditable())
            commit(); // a pick from a list-only list is written at once
        emit textChangedByUser();
    };
    connect(this, &QComboBox::activated, this, userChange);
    connect(this, &QComboBox::editTextChanged, this, [this, userChange] {
        if (lineEdit() && lineEdit()->hasFocus())
            userChange();
    });
}

void DbComboBox::bind(DataSource *source, const QString &fieldName)
{
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void DbComboBox::setItems(const QStringList &items)
{
    QStringList list = items;
    if (m_sorted)
        list.sort(Qt::CaseInsensitive);
    const QString text = currentText();
    m_showing = true;
    clear();
    addItems(list);
    setCurrentText(text);
    if (!isEditable())
        setCurrentIndex(findText(text));
    m_showing = false;
}

void DbComboBox::showField()
{
    const QString text = m_link.field() ? m_link.field()->asString() : QString();
    m_showing = true;
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
    m_showing = false;
}

void DbComboBox::commit()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    const QString text = currentText();
    ErrorReporter::guard(this, [&] {
        m_link.write(text.isEmpty() ? QVariant() : QVariant(text));
        return true;
    });
}

void DbComboBox::focusOutEvent(QFocusEvent *event)
{
    commit();
    QComboBox::focusOutEvent(event);
}

} // namespace kvor
