#include "calculationdocument.h"

#include "calc/balancesource.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace kvor {

namespace {

const QString kProduct = QStringLiteral("TE_PTIP");
const QString kName = QStringLiteral("NAIM");

QString surfaceField(const char *stem, int surface)
{
    return QString::fromLatin1(stem) + QString::number(surface);
}

QString text(const DbfTable &t, const char *field)
{
    return t.value(QString::fromLatin1(field)).toString();
}

double number(const DbfTable &t, const char *field)
{
    return t.value(QString::fromLatin1(field)).toDouble();
}

double stackingHeight(double chamberHeight)
{
    return chamberHeight >= 0.5 ? chamberHeight - 0.5 : 0.0;
}

// The product among those the table offers: Locate would look past the
// category filter and keep a product of another category.
bool findOffered(DbfTable &products, const QString &name)
{
    if (!products.filtered())
        return products.locate(kName, name, true);
    for (products.first(); !products.eof(); products.next())
        if (products.value(kName).toString().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

CalculationDocument::CalculationDocument(ReferenceTables &tables, QObject *parent)
    : QObject(parent)
    , m_tables(tables)
{
    m_included.fill(true);
}

CalculationDocument::~CalculationDocument() = default;

DbfTable &CalculationDocument::record() const
{
    return m_tables.taWork;
}

bool CalculationDocument::isOpen() const
{
    return m_tables.taWork.active();
}

QString CalculationDocument::storageMode()
{
    return QStringLiteral("Хранение");
}

QString CalculationDocument::coolingMode()
{
    return QStringLiteral("Охлаждение");
}

QString CalculationDocument::otherRegion()
{
    return QStringLiteral("Другой");
}

template <class F>
bool CalculationDocument::guarded(F &&f)
{
    try {
        return f();
    } catch (const DbfError &e) {
        emit tableError(e.message(), e.kind());
        return false;
    }
}

// ---------------------------------------------------------------- commands

void CalculationDocument::openFile(const QString &path)
{
    m_viewCopy.reset();
    QString file = path;
    if (QFileInfo(path).isFile() && !CalcFiles::writable(path)) {
        // A calculation the user may not write is worked on in a private copy:
        // the rules and the results work as usual, and the file is never written.
        auto copy = std::make_unique<QTemporaryDir>();
        if (!copy->isValid())
            throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(copy->path()));
        file = copy->filePath(QFileInfo(path).fileName());
        CalcFiles::copyFileWithDate(path, file);
        m_viewCopy = std::move(copy);
    }
    DbfTable &work = record();
    work.setDatabaseName(QString());
    work.setTableName(file);
    try {
        work.open();
        // A record its own steps cannot write (another program holds it) is not opened.
        try {
            afterOpen();
        } catch (...) {
            try {
                work.close();
            } catch (const DbfError &) {
            }
            throw;
        }
    } catch (...) {
        m_viewCopy.reset();
        throw;
    }
    m_path = path;
    emit opened();
}

// What every opening of the record runs, Save's reopening included.
void CalculationDocument::afterOpen()
{
    ReferenceTables &t = m_tables;
    DbfTable &work = t.taWork;

    const int mode = text(work, "OB_TERMR") == storageMode() ? 0 : 1;
    if (mode != m_mode)
        setProcessingMode(mode);

    // The products table stands on the record's product, or on the first one,
    // whose own category the category rule then filters by.
    t.taProd.setFiltered(false);
    t.taProd.first();
    const bool found = t.taProd.locate(kName, work.value(kProduct), true);
    if (!found)
        t.taProd.first();
    m_category = t.taProd.value(QStringLiteral("TIP")).toString();
    emit productCategoryChanged(m_category);
    if (!found) {
        work.edit();
        work.setValue(kProduct, t.taProd.value(kName));
    }

    work.edit();
    work.setValue(QStringLiteral("IN_VSHTAB"), stackingHeight(number(work, "OB_KAMVS")));
    work.first();

    emit executorsChanged(t.executorNames());

    // A restored flag that changes runs the balance, as a click would.
    for (int row = 1; row <= 9; ++row) {
        const bool on = work.value(QStringLiteral("CH%1").arg(row)).toBool();
        if (m_included[size_t(row - 1)] != on)
            setIncluded(row, on);
    }
}

void CalculationDocument::beforeClose()
{
    DbfTable &work = record();
    work.edit();
    for (int row = 1; row <= 9; ++row)
        work.setValue(QStringLiteral("CH%1").arg(row), m_included[size_t(row - 1)]);
    work.post();
}

bool CalculationDocument::createFromTemplate(const QString &dataDir, const QString &path)
{
    close();
    CalcFiles::copyFileWithDate(QDir(dataDir).filePath(QStringLiteral("kvor.dbf")), path);
    if (!QFileInfo::exists(path))
        return false;
    openFile(path);
    clearResults();
    setProductCategory(m_category);
    applyOptionBoxes();
    return true;
}

void CalculationDocument::open(const QString &path)
{
    close();
    openFile(path);
    applyOptionBoxes();
    setProductCategory(m_category);
}

CalcFiles::Conversion CalculationDocument::convertOldFile(const QString &dataDir, const QString &path,
                                                          QString *target,
                                                          const std::function<bool(const QString &)> &replace)
{
    return CalcFiles::convert(m_tables, dataDir, path, target, replace);
}

void CalculationDocument::saveAs(const QString &path)
{
    if (!isOpen())
        return;
    DbfTable &work = record();
    const QString file = work.tableName(); // a read-only calculation's private copy
    const bool copying = path != file;
    // A file that cannot be written is refused while the calculation is still
    // open, so nothing typed is lost.
    if (copying && QFileInfo::exists(path) && !CalcFiles::writable(path))
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(path));
    work.edit();
    work.post();
    beforeClose();
    work.close();
    emit closed();
    if (copying)
        CalcFiles::copyFileWithDate(file, path);
    openFile(path);
}

void CalculationDocument::close()
{
    if (!isOpen())
        return;
    DbfTable &work = record();
    work.first();
    beforeClose();
    work.close();
    m_viewCopy.reset();
    emit closed();
}

// ---------------------------------------------------------------- rules

void CalculationDocument::setProcessingMode(int item)
{
    if (!guarded([&] {
            if (isOpen()) {
                record().edit();
                record().setValue(QStringLiteral("OB_TERMR"), item == 0 ? storageMode() : coolingMode());
            }
            return true;
        }))
        return;
    m_mode = item;
    emit modeChanged(item);
    recalculate();
}

bool CalculationDocument::applyRegionClimate()
{
    if (!isOpen())
        return false;
    DbfTable &work = record();
    const QString region = text(work, "OB_RGNAIM");
    if (region != otherRegion()) {
        if (!guarded([&] {
                DbfTable &regions = m_tables.taRegion;
                // Another row's climate must never reach the record: a name the
                // table lacks keeps the climate as it is.
                if (!regions.active() || regions.eof() || text(regions, "REG_NAIM") != region)
                    return true;
                work.edit();
                work.setValue(QStringLiteral("OB_RGTMAX"), regions.value(QStringLiteral("REG_TEM")));
                work.setValue(QStringLiteral("OB_RGVLAJ"), regions.value(QStringLiteral("REG_VLAJ")));
                return true;
            }))
            return false;
    }
    return copyOutdoorTemperatureToSurfaces();
}

bool CalculationDocument::copyOutdoorTemperatureToSurfaces()
{
    if (!isOpen())
        return false;
    if (!guarded([this] {
            DbfTable &work = record();
            work.edit();
            const QVariant outdoor = work.value(QStringLiteral("OB_RGTMAX"));
            for (int surface = 1; surface <= 6; ++surface)
                work.setValue(surfaceField("ST_TEM", surface), outdoor);
            return true;
        }))
        return false;
    recalculate();
    return true;
}

bool CalculationDocument::copyWallAToAllSurfaces()
{
    if (!isOpen())
        return false;
    if (!guarded([this] {
            DbfTable &work = record();
            if (!work.value(QStringLiteral("ST_IDENT")).toBool())
                return true;
            for (int surface = 2; surface <= 6; ++surface) {
                work.edit();
                for (const char *stem : {"ST_M", "ST_MT", "ST_IZ", "ST_IZT", "ST_TEM"})
                    work.setValue(surfaceField(stem, surface), work.value(surfaceField(stem, 1)));
            }
            return true;
        }))
        return false;
    recalculate();
    return true;
}

bool CalculationDocument::finalTemperaturesFromChamber()
{
    if (!isOpen())
        return false;
    if (!guarded([this] {
            DbfTable &work = record();
            if (text(work, "OB_TERMR") != storageMode())
                return true;
            work.first(); // posts what is pending
            work.edit();
            const QVariant chamber = work.value(QStringLiteral("OB_TEMKAM"));
            work.setValue(QStringLiteral("TE_PT1"), chamber);
            work.setValue(QStringLiteral("TE_TT1"), chamber);
            return true;
        }))
        return false;
    recalculate();
    return true;
}

bool CalculationDocument::stackingHeightFromChamberHeight()
{
    if (!isOpen())
        return false;
    if (!guarded([this] {
            DbfTable &work = record();
            work.edit();
            work.setValue(QStringLiteral("IN_VSHTAB"), stackingHeight(number(work, "OB_KAMVS")));
            return true;
        }))
        return false;
    recalculate();
    return true;
}

bool CalculationDocument::fillChamber(double fraction)
{
    if (!isOpen())
        return false;
    if (!guarded([&] {
            DbfTable &work = record();
            work.edit();
            const double mass = number(work, "OB_KAMDL") * number(work, "OB_KAMSH") * number(work, "IN_VSHTAB")
                                * number(work, "IN_PLOTN") * fraction;
            // Whole kilograms, an exact half to the even neighbour (the field
            // itself would round it away from zero).
            work.setValue(QStringLiteral("TE_PMAS"), std::nearbyint(mass));
            const bool storage = text(work, "OB_TERMR") == storageMode();
            work.setValue(QStringLiteral("TE_POBOR"), std::nearbyint(storage ? 0.1 * mass : mass));
            return true;
        }))
        return false;
    recalculate();
    return true;
}

void CalculationDocument::productCategoryFilter(const QString &category)
{
    DbfTable &products = m_tables.taProd;
    products.setFiltered(false);
    products.setFilter(QStringLiteral("TIP='") + category + QLatin1Char('\''));
    products.setFiltered(true);
}

// The record's product, or the first product the table offers.
void CalculationDocument::keepProduct()
{
    DbfTable &products = m_tables.taProd;
    DbfTable &work = record();
    if (findOffered(products, work.value(kProduct).toString()))
        return;
    products.first();
    work.edit();
    work.setValue(kProduct, products.value(kName));
    work.first(); // posts
}

bool CalculationDocument::setProductCategory(const QString &category)
{
    m_category = category;
    if (!guarded([&] {
            productCategoryFilter(category);
            if (isOpen()) {
                keepProduct();
                record().edit();
                record().first();
            }
            return true;
        }))
        return false;
    return checkProduct();
}

bool CalculationDocument::checkProduct()
{
    if (!isOpen()) {
        emit notOpen();
        return false;
    }
    if (!guarded([this] {
            keepProduct();
            record().first();
            record().edit();
            return true;
        }))
        return false;
    recalculate();
    return true;
}

bool CalculationDocument::applyOptionBoxes()
{
    if (!isOpen())
        return false;
    if (!guarded([this] {
            DbfTable &work = record();
            if (work.value(QStringLiteral("OS_REC")).toBool()) {
                work.edit();
                work.setValue(QStringLiteral("OS_POW"), 5);
            }
            return true;
        }))
        return false;
    recalculate();
    return true;
}

void CalculationDocument::setIncluded(int row, bool on)
{
    m_included.at(size_t(row - 1)) = on;
    emit includedChanged(row, on);
    recalculate();
}

void CalculationDocument::adoptSystem(const AdoptedSystem &system)
{
    if (!isOpen())
        return;
    DbfTable &work = record();
    {
        work.first();
        work.edit();
        work.setValue(QStringLiteral("SIS"), system.code);
        work.setValue(QStringLiteral("OBR_NAIM"), system.description);
        work.setValue(QStringLiteral("OBR_AGR"), system.unit);
        work.setValue(QStringLiteral("OBR_VO"), system.cooler);
        work.setValue(QStringLiteral("OBR_SHKAF"), system.cabinet);
        work.setValue(QStringLiteral("OBR_KMONT"), system.kit);
        work.setValue(QStringLiteral("PROIZSYS"), system.capacity);
    }
}

void CalculationDocument::discardSystem()
{
    if (!isOpen())
        return;
    DbfTable &work = record();
    work.first();
    work.edit();
    for (const char *name : {"OBR_NAIM", "OBR_AGR", "OBR_VO", "OBR_SHKAF", "OBR_KMONT"})
        work.setValue(QString::fromLatin1(name), QString());
    work.setValue(QStringLiteral("PROIZSYS"), 0);
}

// ---------------------------------------------------------------- results

void CalculationDocument::clearResults()
{
    for (int row = 1; row <= 9; ++row)
        setResult(row, 0);
}

void CalculationDocument::setResult(int row, double value)
{
    m_results.at(size_t(row - 1)) = value;
    emit resultChanged(row, value);
}

bool CalculationDocument::recalculate()
{
    if (!isOpen())
        return false;
    HeatBalance balance;
    if (!guarded([&] {
            balance = computeHeatBalance(BalanceSource::gather(m_tables, m_included));
            return true;
        }))
        return false;
    m_lastRun = balance;
    m_lastWrites.clear();
    m_lastRunError.clear();
    // A stopped run lists only the writes before the stop; the rest of the
    // results and the labels keep what the previous run left.
    if (BalanceSource::apply(m_tables, m_lastRun, [this](const CalcOutput &o) { apply(o); }, &m_lastRunError)
        && !m_lastRun.completed())
        m_lastRunError = m_lastRun.error;
    if (m_lastRunError.isEmpty())
        return true;
    emit runStopped(m_lastRunError);
    return false;
}

void CalculationDocument::apply(const CalcOutput &output)
{
    m_lastWrites.push_back(output);
    switch (output.target) {
    case OutputTarget::Panel:
        if (const int row = output.panelRow)
            setResult(row, output.value);
        break;
    case OutputTarget::CalculationReport:
        m_reportLabels.setText(output.name, output.text);
        break;
    case OutputTarget::EquipmentListReport:
        m_equipmentLabels.setText(output.name, output.text);
        break;
    case OutputTarget::MainWindow:
        m_windowLabels.setText(output.name, output.text);
        emit windowLabelChanged(output.name, output.text);
        break;
    case OutputTarget::Record:
        break; // written by BalanceSource::apply
    }
}

} // namespace kvor
