#include "dbcombobox.h"

#include "errorreporter.h"
#include "storage/codepage.h"
#include "storage/dbftable.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kvor {

DbComboBox::DbComboBox(QWidget *parent)
    : QComboBox(parent)
{
    connect(&m_link, &FieldLink::refresh, this, [this] {
        if (m_dirty)
            return;
        // While the user types, a record that holds the typed text (as the file
        // stores it) leaves the text alone: reading it back would drop a
        // trailing blank and turn і into i under the user's fingers.
        if (isEditable() && lineEdit() && lineEdit()->hasFocus() && storesAs(currentText()))
            return;
        showField();
    });
    m_link.updateData = [this] { commit(); };
    auto changedByUser = [this] {
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
    connect(this, &QComboBox::activated, this, [this, changedByUser] {
        // In a typed-in list the pick already came as a change of the typed text.
        if (isEditable() && lineEdit() && lineEdit()->hasFocus())
            return;
        changedByUser();
    });
    connect(this, &QComboBox::editTextChanged, this, [this, changedByUser] {
        if (lineEdit() && lineEdit()->hasFocus())
            changedByUser();
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
        setCurrentIndex(storedIndex(text));
    m_showing = false;
}

void DbComboBox::plainTyping(QComboBox *box)
{
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    if (QLineEdit *edit = box->lineEdit()) {
        // Qt's own slots would pick the matching item and report it as activated.
        QObject::disconnect(edit, SIGNAL(editingFinished()), box, SLOT(_q_editingFinished()));
        QObject::disconnect(edit, SIGNAL(returnPressed()), box, SLOT(_q_returnPressed()));
    }
}

int DbComboBox::storedIndex(const QString &stored) const
{
    const int exact = findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact >= 0 || stored.isEmpty())
        return exact;
    const QByteArray bytes = Cp866::encode(stored);
    for (int i = 0; i < count(); ++i)
        if (Cp866::encode(itemText(i)) == bytes)
            return i;
    return -1;
}

bool DbComboBox::storesAs(const QString &typed) const
{
    DbfField *f = m_link.field();
    if (!f || f->kind() != FieldKind::String)
        return false;
    QByteArray bytes = Cp866::encode(typed);
    if (f->size() > 0 && bytes.size() > f->size())
        bytes.truncate(f->size());
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) <= 0x20)
        bytes.chop(1);
    QString stored;
    if (!ErrorReporter::guard(const_cast<DbComboBox *>(this), [&] {
            stored = f->asString();
            return true;
        }))
        return false;
    return Cp866::encode(stored) == bytes;
}

void DbComboBox::showField()
{
    const QString text = m_link.field() ? m_link.field()->asString() : QString();
    const int index = storedIndex(text);
    m_showing = true;
    if (isEditable())
        setEditText(index >= 0 ? itemText(index) : text);
    else
        setCurrentIndex(index);
    m_showing = false;
}

void DbComboBox::commit()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    m_link.writeText(this, currentText());
}

void DbComboBox::focusOutEvent(QFocusEvent *event)
{
    commit();
    QComboBox::focusOutEvent(event);
    // Left for good: the list shows the record again (an item for its stored text).
    if (!m_dirty && event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        showField();
}

void DbComboBox::keyPressEvent(QKeyEvent *event)
{
    if (m_enterMovesFocus && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        focusNextChild();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace kvor
