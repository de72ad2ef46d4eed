#include "recordrules.h"

#include "storage/dbftable.h"
#include "storage/referencetables.h"

namespace kvor {

namespace {

const QString kProduct = QStringLiteral("TE_PTIP");
const QString kName = QStringLiteral("NAIM");

// The product among those the table offers: Locate would look past the
// category filter and keep a product of another category.
bool findOffered(DbfTable &prod, const QString &name)
{
    if (!prod.filtered())
        return prod.locate(kName, name, true);
    for (prod.first(); !prod.eof(); prod.next())
        if (prod.value(kName).toString().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The record's product, or the first product the table offers.
void keepProduct(ReferenceTables &dm)
{
    if (findOffered(dm.taProd, dm.taWork.value(kProduct).toString()))
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

void RecordRules::processingMode(ReferenceTables &dm, int item)
{
    if (!dm.taWork.active())
        return;
    dm.taWork.edit();
    dm.taWork.setValue(QStringLiteral("OB_TERMR"), item == 0 ? storageMode() : coolingMode());
}

void RecordRules::productCategory(ReferenceTables &dm, const QString &category)
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

bool RecordRules::productConsistency(ReferenceTables &dm)
{
    if (!dm.taWork.active())
        return false;
    keepProduct(dm);
    dm.taWork.first();
    dm.taWork.edit();
    return true;
}

void RecordRules::checkBoxes(ReferenceTables &dm)
{
    if (!dm.taWork.active())
        return;
    if (dm.taWork.value(QStringLiteral("OS_REC")).toBool()) {
        dm.taWork.edit();
        dm.taWork.setValue(QStringLiteral("OS_POW"), 5);
    }
}

} // namespace kvor
