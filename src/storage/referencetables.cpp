#include "referencetables.h"

#include "tabledefs.h"

namespace kvor {

ReferenceTables::ReferenceTables(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("dm1"));
    add(&dsMater, "dsMater");
    add(&dsIzolm, "dsIzolm");
    add(&dsWork, "dsWork");
    add(&dsRegion, "dsRegion");
    add(&dsProd, "dsProd");
    add(&dsTara, "dsTara");
    add(&dsIsp, "dsIsp");
    add(&taMater, "taMater");
    add(&taWork, "taWork");
    add(&taIzolm, "taIzolm");
    add(&taRegion, "taRegion");
    add(&taInt, "taInt");
    add(&taProd, "taProd");
    add(&taTara, "taTara");
    add(&taIsp, "taIsp");
    add(&taKat, "taKat");
    add(&dsKat, "dsKat");
    add(&taGrups, "taGrups");
    add(&dsGrups, "dsGrups");
    add(&taInit, "taInit");
    add(&taOld, "taOld");
    add(&taRec, "taRec");

    dsMater.setDataSet(&taMater);
    dsIzolm.setDataSet(&taIzolm);
    dsWork.setDataSet(&taWork);
    dsRegion.setDataSet(&taRegion);
    dsProd.setDataSet(&taProd);
    dsTara.setDataSet(&taTara);
    dsIsp.setDataSet(&taIsp);
    dsKat.setDataSet(&taKat);
    dsGrups.setDataSet(&taGrups);

    taMater.setTableName(QStringLiteral("s_mater.DBF"));
    taIzolm.setTableName(QStringLiteral("s_izolm.DBF"));
    taRegion.setTableName(QStringLiteral("s_region.dbf"));
    taInt.setTableName(QStringLiteral("s_int.DBF"));
    taProd.setTableName(QStringLiteral("products.DBF"));
    taTara.setTableName(QStringLiteral("s_tara.DBF"));
    taIsp.setTableName(QStringLiteral("s_isp.DBF"));
    taGrups.setTableName(QStringLiteral("grups.dbf"));
    taInit.setTableName(QStringLiteral("S_INIT.DBF"));
    taRec.setTableName(QStringLiteral("trec.dbf"));

    taWork.setFieldDefs(TableDefs::workFieldDefs());
    taWork.setFieldCalculator(&TableDefs::calcWorkFields);

    taKat.setReadOnly(true);
    taKat.setFieldDefs(TableDefs::catalogueFieldDefs());

    for (DbfTable *t : {&taInit, &taOld, &taRec})
        connect(t, &DbfTable::opened, this, &ReferenceTables::settingsAfterOpen);
}

void ReferenceTables::add(QObject *component, const char *name)
{
    component->setObjectName(QString::fromLatin1(name));
    m_components.push_back(component);
}

std::vector<DbfTable *> ReferenceTables::startupTables() const
{
    std::vector<DbfTable *> tables;
    for (QObject *c : m_components) {
        auto *t = qobject_cast<DbfTable *>(c);
        if (!t || t == &taWork || t == &taKat || t == &taOld)
            continue;
        tables.push_back(t);
    }
    return tables;
}

QStringList ReferenceTables::executorNames()
{
    QStringList names;
    if (!taIsp.active())
        return names;
    for (taIsp.first(); !taIsp.eof(); taIsp.next())
        names << taIsp.value(QStringLiteral("NAME")).toString();
    return names;
}

void ReferenceTables::settingsAfterOpen()
{
    if (!taInit.active())
        return;
    emit settingsOpened(taInit.value(QStringLiteral("DIR")).toString());
}

} // namespace kvor
