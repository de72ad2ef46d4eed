#include "dblookupcombobox.h"

#include "errorreporter.h"
#include "lookupitems.h"
#include "storage/dbftable.h"

#include <QAbstractItemView>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWheelEvent>

namespace kvor {

DbLookupComboBox::DbLookupComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(7);
    // A scrolling list of maxVisibleItems rows, not the style's menu of every row.
    setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    connect(&m_link, &FieldLink::refresh, this, &DbLookupComboBox::showField);
    connect(this, &QComboBox::activated, this, &DbLookupComboBox::pick);
}

void DbLookupComboBox::bind(DataSource *source, const QString &fieldName, DataSource *listSource,
                            const QString &listField)
{
    if (m_items)
        disconnect(m_items.data(), nullptr, this, nullptr);
    m_listSource = listSource;
    m_listField = listField;
    m_items = LookupItems::of(listSource);
    m_revision = -1;
    if (m_items) {
        connect(m_items.data(), &LookupItems::changed, this, [this] {
            if (view() && view()->isVisible())
                return; // the open list is not rebuilt under the user's mouse
            showField();
        });
    }
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

QStringList DbLookupComboBox::listItems()
{
    return m_items ? m_items->items(m_listField) : QStringList();
}

void DbLookupComboBox::refreshItems()
{
    if (!m_items)
        return;
    const QStringList items = m_items->items(m_listField);
    if (m_revision == m_items->revision())
        return;
    m_revision = m_items->revision();
    const QScopedValueRollback<bool> showing(m_showing, true);
    clear();
    addItems(items);
}

void DbLookupComboBox::showField()
{
    refreshItems();
    QString value;
    if (DbfField *f = m_link.field())
        ErrorReporter::guard(this, [&] {
            value = f->asString();
            return true;
        });
    const QScopedValueRollback<bool> showing(m_showing, true);
    setCurrentIndex(value.isEmpty() ? -1 : findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void DbLookupComboBox::pick(int index)
{
    if (m_showing)
        return;
    const QString name = itemText(index);
    const bool ok = ErrorReporter::guard(this, [&] {
        DbfTable *list = m_listSource ? m_listSource->dataSet() : nullptr;
        if (list && list->active())
            list->locate(m_listField, name, false);
        if (!m_link.edit())
            return false;
        m_link.write(name.isEmpty() ? QVariant() : QVariant(name));
        return true;
    });
    if (!ok)
        showField();
    // Every change of the value is a close-up, from the open list or from the
    // keys of the closed one (arrows, a typed letter).
    m_closeUpPending = false;
    emit closeUp();
}

void DbLookupComboBox::showPopup()
{
    // The table may have changed since the list was last drawn.
    refreshItems();
    showField();
    QComboBox::showPopup();
}

void DbLookupComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // A pick is reported right after this call returns; a dismissal is not.
    m_closeUpPending = true;
    QTimer::singleShot(0, this, &DbLookupComboBox::emitPendingListClosed);
}

void DbLookupComboBox::emitPendingListClosed()
{
    if (!m_closeUpPending)
        return;
    m_closeUpPending = false;
    // Dismissed: the choice is the record's own value, and the table stands on it.
    positionOnField();
    emit closeUp();
}

void DbLookupComboBox::positionOnField()
{
    DbfTable *list = m_listSource ? m_listSource->dataSet() : nullptr;
    DbfField *f = m_link.field();
    if (!list || !list->active() || !f)
        return;
    ErrorReporter::guard(this, [&] {
        const QString value = f->asString();
        if (!value.isEmpty())
            list->locate(m_listField, value, false);
        return true;
    });
}

void DbLookupComboBox::wheelEvent(QWheelEvent *event)
{
    // Scrolling over a closed list must not change the record.
    event->ignore();
}

} // namespace kvor
