#include "chamberevaluator.h"

#include "document/calculationdocument.h"
#include "selection/core/catalogueselection.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "storage/dbffile.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <array>

namespace kvor {

namespace {

QString text(const DbfTable &t, const char *field)
{
    return t.value(QString::fromLatin1(field)).toString().trimmed();
}

double number(const DbfTable &t, const char *field)
{
    return t.fieldByName(QString::fromLatin1(field))->asFloat();
}

std::optional<double> optionalNumber(const DbfTable &t, const char *field)
{
    const QVariant v = t.value(QString::fromLatin1(field));
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

ChamberStatus statusOf(DbfError::Kind kind)
{
    switch (kind) {
    case DbfError::Kind::NotFound:
        return ChamberStatus::Missing;
    case DbfError::Kind::Locked:
        return ChamberStatus::Locked;
    default:
        return ChamberStatus::Damaged;
    }
}

QString chamberName(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

// The record's own figures; the results are filled in by the caller.
void readRecord(const DbfTable &work, ChamberSummary &summary)
{
    summary.volume = number(work, "ob_kamv");
    summary.temperature = work.fieldByName(QStringLiteral("OB_TEMKAM"))->asInteger();
    summary.outdoorTemperature = number(work, "OB_RGTMAX");
    summary.mode = text(work, "OB_TERMR");
    summary.executor = text(work, "OB_ISP");
}

} // namespace

ChamberEvaluator::ChamberEvaluator(const QString &dataDir)
    : m_dataDir(dataDir)
    , m_tables(std::make_unique<ReferenceTables>())
    , m_document(std::make_unique<CalculationDocument>(*m_tables))
    , m_temp(std::make_unique<QTemporaryDir>())
{
    if (!m_temp->isValid())
        throw DbfError(DbfError::Kind::CannotCreate,
                       QStringLiteral("Cannot create a temporary folder: %1").arg(m_temp->errorString()));
    ReferenceTables &t = *m_tables;
    for (DbfTable *table : {&t.taMater, &t.taIzolm, &t.taInt, &t.taProd, &t.taTara, &t.taGrups}) {
        table->setDatabaseName(dataDir);
        table->setReadOnly(true);
        table->open();
    }
    t.taKat.setDatabaseName(dataDir);
}

ChamberEvaluator::~ChamberEvaluator()
{
    try {
        if (m_document->isOpen())
            m_document->close();
    } catch (const DbfError &) {
        // Only the private copy was being written.
    }
}

bool ChamberEvaluator::withChamber(const QString &path, const std::function<void(CalculationDocument &)> &work,
                                   QString *error, ChamberStatus *status)
{
    auto fail = [&](ChamberStatus s, const QString &message) {
        if (error)
            *error = message;
        if (status)
            *status = s;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(ChamberStatus::Missing, QCoreApplication::translate("ChamberEvaluator", "Файл %1 не знайдено").arg(path));
    if (!info.isFile())
        return fail(ChamberStatus::Damaged,
                    QCoreApplication::translate("ChamberEvaluator", "%1 не є файлом розрахунку").arg(path));
    if (DbfFile::heldByAnother(path))
        return fail(ChamberStatus::Locked, QCoreApplication::translate("ChamberEvaluator", "Файл %1 відкрито в іншій програмі").arg(path));

    const QString copy = m_temp->filePath(info.fileName());
    try {
        CalcFiles::copyFileWithDate(path, copy, false); // a private copy, thrown away
    } catch (const DbfError &e) {
        return fail(statusOf(e.kind()), e.message());
    }
    struct RemoveCopy {
        QString path;
        ~RemoveCopy() { QFile::remove(path); }
    } removeCopy{copy};

    std::optional<DbfError> failed;
    const auto first = QObject::connect(m_document.get(), &CalculationDocument::tableError,
                                        [&](const QString &message, DbfError::Kind kind) {
                                            if (!failed)
                                                failed.emplace(kind, message);
                                        });
    struct Disconnect {
        QMetaObject::Connection c;
        ~Disconnect() { QObject::disconnect(c); }
    } disconnect{first};
    try {
        m_document->open(copy);
    } catch (const DbfError &e) {
        failed.emplace(e.kind(), e.message());
    }
    if (failed || !m_document->isOpen()) {
        try {
            m_document->close();
        } catch (const DbfError &) {
        }
        return fail(failed ? statusOf(failed->kind()) : ChamberStatus::Damaged,
                    failed ? failed->message() : QStringLiteral("Cannot open file %1").arg(path));
    }
    struct Close {
        CalculationDocument &d;
        ~Close()
        {
            try {
                d.close();
            } catch (const DbfError &) {
            }
        }
    } close{*m_document};
    work(*m_document);
    return true;
}

ChamberSummary ChamberEvaluator::evaluate(const QString &path)
{
    ChamberSummary summary;
    summary.path = QFileInfo(path).absoluteFilePath();
    summary.name = chamberName(path);
    ChamberStatus failedStatus = ChamberStatus::Damaged;
    QString error;
    const bool opened = withChamber(
        path,
        [&](CalculationDocument &document) {
            summary = summarize(document, summary.path);
            // What the panel shows after opening: rows the runs did not reach stay empty.
            summary.gains = {};
            summary.sum.reset();
            summary.required.reset();
            for (const CalcOutput &o : document.lastWrites()) {
                if (o.target != OutputTarget::Panel || o.panelRow < 1)
                    continue;
                if (o.panelRow <= 9)
                    summary.gains[size_t(o.panelRow - 1)] = o.value;
                else if (o.panelRow == 10)
                    summary.sum = o.value;
                else if (o.panelRow == 11)
                    summary.required = o.value;
            }
            summary.status = hasFigures(summary.status) ? coverageStatus(summary.required, summary.system)
                                                         : summary.status;
        },
        &error, &failedStatus);
    if (!opened) {
        summary.status = failedStatus;
        summary.error = error;
    }
    return summary;
}

ChamberSummary ChamberEvaluator::summarize(const CalculationDocument &document, const QString &path)
{
    ChamberSummary summary;
    summary.path = QFileInfo(path).absoluteFilePath();
    summary.name = chamberName(path);
    try {
        const DbfTable &work = document.record();
        readRecord(work, summary);
        for (int row = 1; row <= 9; ++row)
            summary.gains[size_t(row - 1)] = document.result(row);
        summary.sum = document.result(10);
        summary.required = document.result(11);
        summary.runError = document.lastRunError();
        const QString code = text(work, "SIS");
        if (!code.isEmpty()) {
            ChamberSystem system;
            if (auto known = catalogueSystem(summary.temperature, code))
                system = *known;
            system.code = code;
            system.description = text(work, "OBR_NAIM");
            system.unit = text(work, "OBR_AGR");
            system.compressor = text(work, "OBR_VO");
            system.controller = text(work, "OBR_SHKAF");
            system.pipeSet = text(work, "OBR_KMONT");
            system.capacity = number(work, "PROIZSYS");
            system.count = std::max(1, int(work.fieldByName(QStringLiteral("KOLSYS"))->asInteger()));
            summary.system = system;
        }
        summary.status = coverageStatus(summary.required, summary.system);
    } catch (const DbfError &e) {
        summary.status = statusOf(e.kind());
        summary.error = e.message();
    }
    return summary;
}

std::optional<ChamberSystem> ChamberEvaluator::catalogueSystem(double chamberTemperature, const QString &code)
{
    const auto band = CatalogueSelection::bandFor(chamberTemperature);
    if (!band)
        return std::nullopt;
    const auto &rows = catalogue(band->file);
    const auto it = rows.constFind(code.trimmed());
    if (it == rows.constEnd())
        return std::nullopt;
    ChamberSystem system;
    system.code = code.trimmed();
    system.power = it->power;
    system.current = it->current;
    system.ambientCapacity = it->ambient;
    return system;
}

const QHash<QString, ChamberEvaluator::CatalogueRow> &ChamberEvaluator::catalogue(const QString &file)
{
    auto found = m_catalogues.find(file);
    if (found != m_catalogues.end())
        return *found;
    QHash<QString, CatalogueRow> rows;
    // A catalogue that does not read leaves its systems without power figures.
    try {
        DbfTable table;
        table.setDatabaseName(m_dataDir);
        table.setTableName(file);
        table.setReadOnly(true);
        table.open();
        static const char *const ambient[4] = {"Q25", "Q30", "Q35", "Q40"};
        for (table.first(); !table.eof(); table.next()) {
            // The record keeps the first six characters of the catalogue's code.
            const QString code = text(table, "SIS").left(6).trimmed();
            if (code.isEmpty() || rows.contains(code))
                continue;
            CatalogueRow row;
            row.power = optionalNumber(table, "PPOT");
            row.current = optionalNumber(table, "IPOT");
            for (int i = 0; i < 4; ++i)
                row.ambient[size_t(i)] = optionalNumber(table, ambient[i]);
            rows.insert(code, row);
        }
        table.close();
    } catch (const DbfError &) {
    }
    return *m_catalogues.insert(file, rows);
}

CapacityCurve ChamberEvaluator::capacityCurve(const QString &path)
{
    CapacityCurve curve;
    withChamber(path, [&](CalculationDocument &document) { curve = capacityCurve(document); });
    return curve;
}

CapacityCurve ChamberEvaluator::capacityCurve(CalculationDocument &document)
{
    CapacityCurve curve;
    curve.system = summarize(document, document.filePath()).system;
    DbfTable &work = document.record();
    const double regionTemperature = number(work, "OB_RGTMAX");
    std::array<bool, 6> facesOutside{};
    for (int s = 1; s <= 6; ++s)
        facesOutside[size_t(s - 1)] = work.fieldByName(QStringLiteral("ST_TEM%1").arg(s))->asFloat() == regionTemperature;
    for (int t = CapacityCurve::kFrom; t <= CapacityCurve::kTo; ++t) {
        work.edit();
        work.setValue(QStringLiteral("OB_RGTMAX"), t);
        for (int s = 1; s <= 6; ++s)
            if (facesOutside[size_t(s - 1)])
                work.setValue(QStringLiteral("ST_TEM%1").arg(s), t);
        CapacityPoint point;
        point.outdoor = t;
        if (document.recalculate())
            for (const CalcOutput &o : document.lastWrites())
                if (o.target == OutputTarget::Panel && o.panelRow == 11)
                    point.required = o.value;
        curve.required.push_back(point);
    }
    return curve;
}

std::optional<double> CapacityCurve::supplyAt(double outdoor) const
{
    if (!system)
        return std::nullopt;
    std::vector<std::pair<double, double>> known;
    for (int i = 0; i < 4; ++i)
        if (const auto &q = system->ambientCapacity[size_t(i)])
            known.emplace_back(kAmbient[i], *q * system->count);
    if (known.empty())
        return std::nullopt;
    if (outdoor <= known.front().first)
        return known.front().second;
    for (size_t i = 1; i < known.size(); ++i) {
        const auto &[t0, q0] = known[i - 1];
        const auto &[t1, q1] = known[i];
        if (outdoor <= t1)
            return q0 + (q1 - q0) * (outdoor - t0) / (t1 - t0);
    }
    return known.back().second;
}

std::optional<int> CapacityCurve::copesUpTo() const
{
    std::optional<int> upTo;
    for (const CapacityPoint &p : required) {
        const auto supply = supplyAt(p.outdoor);
        if (!supply || !p.required || *supply < *p.required * 1000.0 - 1e-6)
            break;
        upTo = p.outdoor;
    }
    return upTo;
}

} // namespace kvor
