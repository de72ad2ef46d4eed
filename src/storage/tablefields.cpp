#include "tablefields.h"

#include "dbfheader.h"

#include <algorithm>

namespace kvor {

namespace {

// Equal for names that are equal whatever the case. Field names are ASCII
// capitals nearly always, which this returns as they are, without a copy.
QString nameKey(const QString &name)
{
    bool ascii = true;
    bool lower = false;
    for (const QChar c : name) {
        ascii = ascii && c.unicode() < 0x80;
        lower = lower || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    }
    QString key = ascii ? name : name.toCaseFolded();
    if (!ascii || lower)
        for (QChar &c : key)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
    return key;
}

} // namespace

int TableFields::declare(std::vector<FieldDef> defs)
{
    m_defs = std::move(defs);
    m_fields.clear();
    int calc = 0;
    for (size_t i = 0; i < m_defs.size(); ++i)
        m_fields.push_back(DbfField::declared(m_defs[i], int(i), m_defs[i].calculated ? calc++ : -1, m_table));
    index();
    return calc;
}

void TableFields::index()
{
    m_byName.clear();
    m_byFoldedName.clear();
    for (const auto &f : m_fields) {
        const QString folded = nameKey(f->m_name);
        if (m_byFoldedName.contains(folded))
            continue; // a later field of the same name is never found
        m_byFoldedName.insert(folded, f.get());
        m_byName.insert(f->m_name, f.get());
    }
}

DbfField *TableFields::find(const QString &name) const
{
    if (DbfField *f = m_byName.value(name, nullptr))
        return f;
    return m_byFoldedName.value(nameKey(name), nullptr);
}

void TableFields::bind(const std::vector<DbfFieldDescriptor> &descs)
{
    if (m_defs.empty()) {
        m_fields.clear();
        for (const DbfFieldDescriptor &d : descs) {
            FieldKind kind;
            if (DbfHeader::kindOf(d, &kind))
                m_fields.push_back(DbfField::stored(d, kind, int(m_fields.size()), m_table));
        }
        index();
        return;
    }
    // The file's first field of each name, whatever the case.
    QHash<QString, const DbfFieldDescriptor *> stored;
    for (const DbfFieldDescriptor &d : descs) {
        const QString folded = nameKey(d.name);
        if (!stored.contains(folded))
            stored.insert(folded, &d);
    }
    for (auto &f : m_fields) {
        f->m_lastRaw.clear();
        f->m_lastText.clear();
        if (f->m_calculated)
            continue;
        f->bind(stored.value(nameKey(f->m_name), nullptr));
    }
}

void TableFields::release()
{
    if (m_defs.empty()) {
        m_fields.clear();
        m_byName.clear();
        m_byFoldedName.clear();
    }
}

} // namespace kvor
