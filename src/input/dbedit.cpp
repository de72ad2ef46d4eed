#include "dbedit.h"

#include "errorreporter.h"
#include "storage/dbftable.h"

#include <QKeyEvent>

namespace kvor {

DbEdit::DbEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(&m_link, &FieldLink::refresh, this, [this] {
        if (!m_dirty)
            showField();
    });
    m_link.updateData = [this] { commit(); };
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_dirty)
            return;
        const bool ok = ErrorReporter::guard(this, [this] { return m_link.edit(); });
        if (ok)
            m_dirty = true;
        else
            showField();
    });
}

void DbEdit::bind(DataSource *source, const QString &fieldName)
{
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void DbEdit::showField()
{
    DbfField *f = m_link.field();
    setEnabled(true);
    if (f && f->kind() == FieldKind::String)
        setMaxLength(f->size());
    setText(f ? f->asString() : QString());
}

void DbEdit::commit()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    const QString text = this->text();
    ErrorReporter::guard(this, [&] {
        m_link.write(text.isEmpty() ? QVariant() : QVariant(text));
        return true;
    });
}

void DbEdit::focusOutEvent(QFocusEvent *event)
{
    commit();
    QLineEdit::focusOutEvent(event);
}

void DbEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_dirty) {
        m_dirty = false; // Esc brings back the stored text
        showField();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace kvor
