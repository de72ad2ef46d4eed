#include "lookupitems.h"

#include "storage/datasource.h"
#include "storage/dbftable.h"

#include <QScopedValueRollback>
#include <QTimer>

namespace kvor {

LookupItems *LookupItems::of(DataSource *source)
{
    if (!source)
        return nullptr;
    if (auto *own = source->findChild<LookupItems *>(QString(), Qt::FindDirectChildrenOnly))
        return own;
    return new LookupItems(source);
}

LookupItems::LookupItems(DataSource *source)
    : QObject(source)
    , m_source(source)
{
    connect(source, &DataSource::dataChanged, this, [this](DbfField *f) {
        if (m_walking)
            return;
        if (f)
            invalidate(); // a reference row was edited
        else
            recordChanged();
    });
    connect(source, &DataSource::stateChanged, this, [this] {
        if (!m_walking)
            invalidate(); // opened, closed, or a post ended an edit or an append
    });
}

LookupItems::Signature LookupItems::signature() const
{
    Signature s;
    DbfTable *t = m_source ? m_source->dataSet() : nullptr;
    if (!t || !t->active())
        return s;
    s.active = true;
    s.filtered = t->filtered();
    s.filter = t->filter();
    s.count = t->recordCount();
    return s;
}

void LookupItems::recordChanged()
{
    // Moving to another row changes nothing we show; a new filter or row does.
    if (!m_stale && signature() == m_built)
        return;
    invalidate();
}

void LookupItems::invalidate()
{
    m_stale = true;
    if (m_notifyQueued)
        return;
    m_notifyQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_notifyQueued = false;
        emit changed();
    });
}

QStringList LookupItems::items(const QString &fieldName)
{
    const QString key = fieldName.toUpper();
    if (!m_items.contains(key)) {
        m_items.insert(key, QStringList());
        m_stale = true;
    }
    if (m_stale)
        rebuild();
    return m_items.value(key);
}

void LookupItems::rebuild()
{
    DbfTable *t = m_source ? m_source->dataSet() : nullptr;
    if (!t || !t->active()) {
        for (QStringList &list : m_items)
            list.clear();
        m_built = signature();
        m_stale = false;
        ++m_revision;
        return;
    }
    // Walking a table that is being edited would post or drop the edit.
    if (t->state() != DbfTable::State::Browse)
        return;

    const QScopedValueRollback<bool> walking(m_walking, true);
    std::vector<std::pair<DbfField *, QStringList *>> fields;
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        it->clear();
        if (DbfField *f = t->findField(it.key()))
            fields.emplace_back(f, &*it);
    }
    const qint64 position = t->eof() && t->bof() ? 0 : t->recNo();
    try {
        for (t->first(); !t->eof(); t->next())
            for (auto &[f, list] : fields)
                list->append(f->asString());
        if (position > 0)
            t->goToRecord(position);
        else
            t->first();
    } catch (const DbfError &) {
        // An unreadable table offers what was read so far; its error shows on real use.
    }
    m_built = signature();
    m_stale = false;
    ++m_revision;
}

} // namespace kvor
