#include "dbedit.h"

#include "errorreporter.h"
#include "storage/dbftable.h"

#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace kvor {

namespace {

// Numbers as the program shows a field without a display format: up to fifteen
// significant digits (a volume of 6 × 4 × 3.2 shows 76.8), the system's separator.
QString fieldText(DbfField *f)
{
    if (!f->isNumeric() && !(f->isCalculated() && f->kind() == FieldKind::Float))
        return f->asString();
    if (f->isNull())
        return QString();
    QString text = QString::number(f->asFloat(), 'g', 15);
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}

} // namespace

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
    // A whole-number field takes digits only.
    const bool whole = f && (f->kind() == FieldKind::SmallInt || f->kind() == FieldKind::Integer);
    if (whole && !validator())
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    else if (!whole && validator())
        setValidator(nullptr);
    QString text;
    if (f)
        ErrorReporter::guard(this, [&] {
            text = fieldText(f);
            return true;
        });
    setText(text);
}

void DbEdit::commit()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    m_link.writeText(this, this->text());
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
