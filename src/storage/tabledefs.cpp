#include "tabledefs.h"

namespace kvor {

namespace {

using K = FieldKind;

// Numeric widths keep a place for the sign: N(4,0) holds -999 … 999.
constexpr int kSmall = 4;  // small integers
constexpr int kInt = 9;    // integers

std::vector<TableColumn> makeWorkColumns()
{
    std::vector<TableColumn> c = {{"OB_RGNAIM", K::String, 30, 'C', 30, 0}};
    static const char *const ch[] = {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8", "CH9"};
    for (const char *n : ch)
        c.push_back({n, K::Boolean, 0, 'L', 1, 0});
    const std::vector<TableColumn> middle = {
        {"OBR_NAIM", K::String, 200, 'C', 200, 0},
        {"OBR_AGR", K::String, 50, 'C', 50, 0},
        {"OBR_VO", K::String, 50, 'C', 50, 0},
        {"OB_ISP", K::String, 40, 'C', 40, 0},
        {"OB_RGTMAX", K::SmallInt, 0, 'N', kSmall, 0},
        {"OB_RGVLAJ", K::SmallInt, 0, 'N', kSmall, 0},
        {"OB_TERMR", K::String, 12, 'C', 12, 0},
        {"OB_TEMKAM", K::SmallInt, 0, 'N', kSmall, 0},
        {"OB_TIMEWRK", K::SmallInt, 0, 'N', kSmall, 0},
        {"OB_KZAPAS", K::Float, 0, 'N', 8, 3},
        {"OB_KAMDL", K::Float, 0, 'N', 9, 3},
        {"OB_KAMSH", K::Float, 0, 'N', 9, 3},
        {"OB_KAMVS", K::Float, 0, 'N', 9, 3},
        {"OB_OPER", K::String, 30, 'C', 30, 0},
        {"OB_DATE", K::Date, 0, 'D', 8, 0},
        {"KL_NAIM", K::String, 40, 'C', 40, 0},
        {"KL_DATA", K::String, 60, 'C', 60, 0},
        {"KL_PRIM", K::String, 60, 'C', 60, 0},
    };
    c.insert(c.end(), middle.begin(), middle.end());
    static const char *const m[] = {"ST_M1", "ST_M2", "ST_M3", "ST_M4", "ST_M5", "ST_M6"};
    static const char *const mt[] = {"ST_MT1", "ST_MT2", "ST_MT3", "ST_MT4", "ST_MT5", "ST_MT6"};
    static const char *const iz[] = {"ST_IZ1", "ST_IZ2", "ST_IZ3", "ST_IZ4", "ST_IZ5", "ST_IZ6"};
    static const char *const izt[] = {"ST_IZT1", "ST_IZT2", "ST_IZT3", "ST_IZT4", "ST_IZT5", "ST_IZT6"};
    static const char *const tem[] = {"ST_TEM1", "ST_TEM2", "ST_TEM3", "ST_TEM4", "ST_TEM5", "ST_TEM6"};
    for (const char *n : m)
        c.push_back({n, K::String, 20, 'C', 20, 0});
    for (const char *n : mt)
        c.push_back({n, K::Integer, 0, 'N', 6, 0});
    for (const char *n : iz)
        c.push_back({n, K::String, 20, 'C', 20, 0});
    for (const char *n : izt)
        c.push_back({n, K::Integer, 0, 'N', 6, 0});
    for (const char *n : tem)
        c.push_back({n, K::SmallInt, 0, 'N', kSmall, 0});
    const std::vector<TableColumn> rest = {
        {"ST_IDENT", K::Boolean, 0, 'L', 1, 0},
        // The computed rate is read back from the record, so it keeps its decimals.
        {"VN_KR", K::Float, 0, 'N', 14, 8},
        {"VN_FLAG", K::Boolean, 0, 'L', 1, 0},
        {"IN_TIP", K::Boolean, 0, 'L', 1, 0},
        {"IN_ZAV", K::String, 12, 'C', 12, 0},
        {"IN_DV", K::Float, 0, 'N', 8, 3},
        {"IN_DH", K::Float, 0, 'N', 8, 3},
        {"IN_TOV", K::String, 20, 'C', 20, 0},
        // As wide as the chamber height it is derived from, so any stored height
        // gives a stacking height the file can hold when it is opened again.
        {"IN_VSHTAB", K::Float, 0, 'N', 9, 3},
        {"IN_PLOTN", K::SmallInt, 0, 'N', kSmall, 0},
        {"IN_GPTS", K::Integer, 0, 'N', kInt, 0},
        {"TE_PTIP", K::String, 20, 'C', 20, 0},
        {"TE_PMAS", K::Integer, 0, 'N', kInt, 0},
        {"TE_POBOR", K::Integer, 0, 'N', kInt, 0},
        {"TE_PT0", K::SmallInt, 0, 'N', kSmall, 0},
        {"TE_PT1", K::SmallInt, 0, 'N', kSmall, 0},
        {"TE_TTIP", K::String, 20, 'C', 20, 0},
        {"TE_TMAS", K::Integer, 0, 'N', kInt, 0},
        {"TE_TOBOR", K::Integer, 0, 'N', kInt, 0},
        {"TE_TT0", K::SmallInt, 0, 'N', kSmall, 0},
        {"TE_TT1", K::SmallInt, 0, 'N', kSmall, 0},
        {"TE_VLAJ", K::SmallInt, 0, 'N', kSmall, 0},
        {"OS_TIME", K::SmallInt, 0, 'N', kSmall, 0},
        {"OS_POW", K::SmallInt, 0, 'N', kSmall, 0},
        {"OS_REC", K::Boolean, 0, 'L', 1, 0},
        {"PER_KOL", K::SmallInt, 0, 'N', kSmall, 0},
        {"TRS_POW", K::SmallInt, 0, 'N', kSmall, 0},
        {"PRO_PRED", K::SmallInt, 0, 'N', kSmall, 0},
        {"PRO_VKOL", K::SmallInt, 0, 'N', kSmall, 0},
        {"PRO_VPOW", K::SmallInt, 0, 'N', kSmall, 0},
        {"VO_PROC", K::SmallInt, 0, 'N', kSmall, 0},
        {"VO_UTOCH", K::Boolean, 0, 'L', 1, 0},
        {"VO_KOLVO", K::SmallInt, 0, 'N', kSmall, 0},
        {"VO_POW", K::Float, 0, 'N', 9, 3},
        {"OBR_SHKAF", K::String, 30, 'C', 30, 0},
        {"OBR_KMONT", K::String, 30, 'C', 30, 0},
        {"KOLSYS", K::SmallInt, 0, 'N', kSmall, 0},
        {"PROIZSYS", K::Integer, 0, 'N', kInt, 0},
        {"SIS", K::String, 6, 'C', 6, 0},
    };
    c.insert(c.end(), rest.begin(), rest.end());
    return c;
}

const char *const kCalculated[] = {"ob_kamv", "ob_s1", "ob_s2", "ob_s3", "ob_s4", "ob_s5", "ob_s6"};

std::vector<FieldDef> fieldDefs(const std::vector<TableColumn> &columns)
{
    std::vector<FieldDef> defs;
    for (const TableColumn &c : columns)
        defs.push_back({QString::fromLatin1(c.name), c.kind, c.size, false});
    return defs;
}

std::vector<DbfColumn> fileColumns(const std::vector<TableColumn> &columns)
{
    std::vector<DbfColumn> out;
    for (const TableColumn &c : columns)
        out.push_back({QString::fromLatin1(c.name), c.type, c.length, c.decimals});
    return out;
}

} // namespace

const std::vector<TableColumn> &TableDefs::workColumns()
{
    static const std::vector<TableColumn> columns = makeWorkColumns();
    return columns;
}

std::vector<FieldDef> TableDefs::workFieldDefs()
{
    std::vector<FieldDef> defs = fieldDefs(workColumns());
    for (const char *n : kCalculated)
        defs.push_back({QString::fromLatin1(n), K::Float, 0, true});
    return defs;
}

std::vector<DbfColumn> TableDefs::workFileColumns()
{
    return fileColumns(workColumns());
}

const std::vector<TableColumn> &TableDefs::catalogueColumns()
{
    static const std::vector<TableColumn> columns = {
        {"SIS", K::String, 8, 'C', 8, 0},
        {"AGR", K::String, 30, 'C', 30, 0},
        {"VOHL", K::String, 14, 'C', 14, 0},
        {"Q25", K::Integer, 0, 'N', 7, 0},
        {"T25", K::Float, 0, 'N', 5, 1},
        {"Q30", K::Integer, 0, 'N', 7, 0},
        {"T30", K::Float, 0, 'N', 5, 1},
        {"Q35", K::Integer, 0, 'N', 7, 0},
        {"T35", K::Float, 0, 'N', 5, 1},
        {"Q40", K::Integer, 0, 'N', 7, 0},
        {"T40", K::Float, 0, 'N', 5, 1},
        {"PPOT", K::Float, 0, 'N', 7, 2},
        {"IPOT", K::Float, 0, 'N', 7, 2},
        {"NABOR", K::String, 7, 'C', 7, 0},
        {"SHKAF", K::String, 16, 'C', 16, 0},
        {"ID_GRUP", K::Integer, 0, 'N', 5, 0},
        {"VO", K::SmallInt, 0, 'N', 2, 0},
    };
    return columns;
}

std::vector<FieldDef> TableDefs::catalogueFieldDefs()
{
    return fieldDefs(catalogueColumns());
}

std::vector<DbfColumn> TableDefs::catalogueFileColumns()
{
    return fileColumns(catalogueColumns());
}

void TableDefs::calcWorkFields(DbfTable &table)
{
    const double length = table.fieldByName(QStringLiteral("OB_KAMDL"))->asFloat();
    const double width = table.fieldByName(QStringLiteral("OB_KAMSH"))->asFloat();
    const double height = table.fieldByName(QStringLiteral("OB_KAMVS"))->asFloat();
    table.setValue(QStringLiteral("ob_kamv"), length * width * height);
    table.setValue(QStringLiteral("ob_s1"), width * height);
    table.setValue(QStringLiteral("ob_s2"), length * height);
    table.setValue(QStringLiteral("ob_s3"), width * height);
    table.setValue(QStringLiteral("ob_s4"), length * height);
    table.setValue(QStringLiteral("ob_s5"), width * length);
    table.setValue(QStringLiteral("ob_s6"), width * length);
}

} // namespace kvor
