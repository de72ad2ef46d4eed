#include "referencetables.h"

#include "tabledefs.h"

namespace kvor {

namespace {

const QString kWorkName = QStringLiteral("taWork");

} // namespace

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
    connect(&taWork, &DbfTable::opened, this, &ReferenceTables::workAfterOpen);
    connect(&taWork, &DbfTable::aboutToClose, this, &ReferenceTables::workBeforeClose);

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

void ReferenceTables::workAfterOpen()
{
    // 1. The processing-mode selector follows the stored mode.
    const QString mode = taWork.value(QStringLiteral("OB_TERMR")).toString();
    if (m_host)
        m_host->setProcessingModeItem(mode == QStringLiteral("Хранение") ? 0 : 1);

    // 2. The products table stands on the record's product, or the first product.
    taProd.setFiltered(false);
    taProd.first();
    if (taProd.locate(QStringLiteral("NAIM"), taWork.value(QStringLiteral("TE_PTIP")), true)) {
        if (m_host)
            m_host->setProductCategoryText(taProd.value(QStringLiteral("TIP")).toString());
    } else {
        taProd.first();
        // The first product's own category: the category rule that the Open command
        // runs next looks the product up among that category's products.
        if (m_host)
            m_host->setProductCategoryText(taProd.value(QStringLiteral("TIP")).toString());
        taWork.edit();
        taWork.setValue(QStringLiteral("TE_PTIP"), taProd.value(QStringLiteral("NAIM")));
    }

    // 3. The stacking height is derived from the chamber height on every open.
    taWork.edit();
    const double height = taWork.value(QStringLiteral("OB_KAMVS")).toDouble();
    taWork.setValue(QStringLiteral("IN_VSHTAB"), height >= 0.5 ? height - 0.5 : 0.0);
    taWork.first();

    // 4. The executor list of the additional-data dialog.
    const QStringList executors = executorNames();
    if (m_host)
        m_host->setExecutorItems(executors);

    // 5. The include boxes.
    std::array<bool, 9> boxes{};
    for (int i = 0; i < 9; ++i)
        boxes[size_t(i)] = taWork.value(QStringLiteral("CH%1").arg(i + 1)).toBool();
    if (m_host)
        m_host->setIncludeBoxes(boxes);
}

void ReferenceTables::workBeforeClose()
{
    if (!m_host) {
        taWork.post(); // without a window there are no boxes, but pending input is still kept
        return;
    }
    const std::array<bool, 9> boxes = m_host->includeBoxes();
    taWork.edit();
    for (int i = 0; i < 9; ++i)
        taWork.setValue(QStringLiteral("CH%1").arg(i + 1), boxes[size_t(i)]);
    taWork.post();
}

void ReferenceTables::settingsAfterOpen()
{
    if (!taInit.active() || !m_host)
        return;
    m_host->settingsOpened(taInit.value(QStringLiteral("DIR")).toString());
}

} // namespace kvor
