#include "tablefields.h"

#include "dbfheader.h"

#include <algorithm>

namespace kvor {

int TableFields::declare(std::vector<FieldDef> defs)
{
    m_defs = std::move(defs);
    m_fields.clear();
    int calc = 0;
    for (size_t i = 0; i < m_defs.size(); ++i)
        m_fields.push_back(DbfField::declared(m_defs[i], int(i), m_defs[i].calculated ? calc++ : -1, m_table));
    return calc;
}

DbfField *TableFields::find(const QString &name) const
{
    for (const auto &f : m_fields) {
        if (f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    }
    return nullptr;
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
        return;
    }
    for (auto &f : m_fields) {
        f->m_lastRaw.clear();
        f->m_lastText.clear();
        if (f->m_calculated)
            continue;
        const auto stored = std::find_if(descs.begin(), descs.end(), [&](const DbfFieldDescriptor &d) {
            return d.name.compare(f->m_name, Qt::CaseInsensitive) == 0;
        });
        f->bind(stored == descs.end() ? nullptr : &*stored);
    }
}

void TableFields::release()
{
    if (m_defs.empty())
        m_fields.clear();
}

} // namespace kvor
