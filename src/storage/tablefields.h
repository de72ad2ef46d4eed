#pragma once

#include "dbffield.h"

#include <QHash>

#include <memory>
#include <vector>

namespace kvor {

class DbfTable;

// A table's fields: the declared ones, bound to the file's fields by name at
// each open, or, without declarations, the file's own; found by name whatever
// the case.
class TableFields {
public:
    explicit TableFields(DbfTable *table) : m_table(table) {}

    // Returns how many of them are calculated.
    int declare(std::vector<FieldDef> defs);
    const std::vector<FieldDef> &defs() const { return m_defs; }

    int count() const { return int(m_fields.size()); }
    DbfField *at(int index) const { return m_fields.at(size_t(index)).get(); }
    DbfField *find(const QString &name) const;

    // At open; throws when a declared field is missing from the file or stored as another type.
    void bind(const std::vector<DbfFieldDescriptor> &descriptors);
    // At close: fields taken from the file go with it.
    void release();

private:
    void index();

    DbfTable *m_table;
    std::vector<FieldDef> m_defs;
    std::vector<std::unique_ptr<DbfField>> m_fields;
    // The first field of each name, as written and whatever the case: the
    // calculation looks fields up by name hundreds of times a run.
    QHash<QString, DbfField *> m_byName;
    QHash<QString, DbfField *> m_byFoldedName;
};

} // namespace kvor
