#pragma once

#include "dbffield.h"
#include "dbftable.h"

#include <vector>

namespace kvor {

// The fields the calculation record and the equipment catalogue declare, and the
// file columns the shipped templates and catalogues are written with. Both come
// from one list each, so a template always opens with its own declaration.
struct TableColumn {
    const char *name;
    FieldKind kind;
    int size;       // text: declared size; others 0
    char type;      // file type letter
    int length;     // file width
    int decimals;   // file decimals
};

class TableDefs {
public:
    // `taWork` / `taRec`: the calculation record, calculated fields last.
    static const std::vector<TableColumn> &workColumns();
    static std::vector<FieldDef> workFieldDefs();      // declared + calculated
    static std::vector<DbfColumn> workFileColumns();   // stored columns only

    // `taKat`: one equipment catalogue.
    static const std::vector<TableColumn> &catalogueColumns();
    static std::vector<FieldDef> catalogueFieldDefs();
    static std::vector<DbfColumn> catalogueFileColumns();

    // The calculated fields of the calculation record (volume and six areas).
    static void calcWorkFields(DbfTable &table);
};

} // namespace kvor
