#include "recordrules.h"

#include "storage/dbftable.h"
#include "storage/kvordm.h"

namespace kvor {

namespace {

const QString kProduct = QStringLiteral("TE_PTIP");
const QString kName = QStringLiteral("NAIM");

// The record's product, or the first product the table offers.
void keepProduct(Tdm1 &dm)
{
    if (dm.taProd.locate(kName, dm.taWork.value(kProduct), true))
        return;
    dm.taProd.first();
    dm.taWork.edit();
    dm.taWork.setValue(kProduct, dm.taProd.value(kName));
    dm.taWork.first(); // posts
}

} // namespace

QString RecordRules::storageMode()
{
    return QStringLiteral("Хранение");
}

QString RecordRules::coolingMode()
{
    return QStringLiteral("Охлаждение");
}

void RecordRules::processingMode(Tdm1 &dm, int item)
{
    if (!dm.taWork.active())
        return;
    dm.taWork.edit();
    dm.taWork.setValue(QStringLiteral("OB_TERMR"), item == 0 ? storageMode() : coolingMode());
}

void RecordRules::productCategory(Tdm1 &dm, const QString &category)
{
    DbfTable &prod = dm.taProd;
    prod.setFiltered(false);
    prod.setFilter(QStringLiteral("TIP='") + category + QLatin1Char('\''));
    prod.setFiltered(true);
    if (!dm.taWork.active())
        return;
    keepProduct(dm);
    dm.taWork.edit();
    dm.taWork.first();
}

bool RecordRules::productConsistency(Tdm1 &dm)
{
    if (!dm.taWork.active())
        return false;
    keepProduct(dm);
    dm.taWork.first();
    dm.taWork.edit();
    return true;
}

void RecordRules::checkBoxes(Tdm1 &dm)
{
    if (!dm.taWork.active())
        return;
    if (dm.taWork.value(QStringLiteral("OS_REC")).toBool()) {
        dm.taWork.edit();
        dm.taWork.setValue(QStringLiteral("OS_POW"), 5);
    }
}

} // namespace kvor
