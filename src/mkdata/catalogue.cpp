#include "catalogue.h"

#include "cataloguemodel.h"
#include "stagedfiles.h"

#include "storage/codepage.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>

#include <stdexcept>

namespace kvor {

namespace {

// The table layer cuts texts silently; a code that does not fit is a model error.
void setText(DbfTable &table, const char *name, const QString &value)
{
    DbfField *field = table.fieldByName(QString::fromLatin1(name));
    bool exact = false;
    const QByteArray bytes = Cp866::encode(value, &exact);
    if (!exact || bytes.size() > field->length()) {
        throw std::runtime_error(QStringLiteral("%1: '%2' does not fit field %3 (%4 characters of the DOS Cyrillic page)")
                                     .arg(table.tableName(), value, QString::fromLatin1(name))
                                     .arg(field->length())
                                     .toStdString());
    }
    field->setValue(value);
}

void writeCatalogue(const QString &path, const std::vector<CatalogueSystem> &rows)
{
    DbfTable::create(path, TableDefs::catalogueFileColumns());
    DbfTable table;
    table.setTableName(path);
    table.open();
    static const char *const q[] = {"Q25", "Q30", "Q35", "Q40"};
    static const char *const t[] = {"T25", "T30", "T35", "T40"};
    for (const CatalogueSystem &r : rows) {
        table.append();
        setText(table, "SIS", r.sis);
        setText(table, "AGR", r.agr);
        setText(table, "VOHL", r.vohl);
        for (int i = 0; i < 4; ++i) {
            table.setValue(QString::fromLatin1(q[i]), r.capacity[i]);
            table.setValue(QString::fromLatin1(t[i]), r.difference[i]);
        }
        table.setValue(QStringLiteral("PPOT"), r.power);
        table.setValue(QStringLiteral("IPOT"), r.current);
        setText(table, "NABOR", r.nabor);
        setText(table, "SHKAF", r.shkaf);
        table.setValue(QStringLiteral("ID_GRUP"), r.group);
        table.setValue(QStringLiteral("VO"), r.vo);
        table.post();
        if (r.deleted)
            table.deleteRecord();
    }
    table.close();
}

void writeGroups(const QString &path, const std::vector<CatalogueGroup> &groups)
{
    DbfTable::create(path, {{QStringLiteral("ID"), 'N', 5, 0},
                            {QStringLiteral("GR"), 'C', 60, 0},
                            {QStringLiteral("PGR"), 'C', 60, 0}});
    DbfTable table;
    table.setTableName(path);
    table.open();
    for (const CatalogueGroup &g : groups) {
        table.append();
        table.setValue(QStringLiteral("ID"), g.id);
        setText(table, "GR", g.name);
        setText(table, "PGR", g.subgroup);
        table.post();
    }
    table.close();
}

} // namespace

void CatalogueGenerator::write(const QString &sourceDir, const QString &dataDir)
{
    const CatalogueModel model =
        CatalogueModel::load(QDir(sourceDir).filePath(QStringLiteral("catalogue-model.txt")));
    StagedFiles staged(dataDir);
    for (const CatalogueModel::Band &band : model.bands())
        writeCatalogue(staged.add(band.file), model.systems(band));
    writeGroups(staged.add(QStringLiteral("grups.dbf")), model.groups());
    staged.commit();
}

} // namespace kvor
