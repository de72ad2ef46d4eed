#include "batchsession.h"

#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace kvor {

namespace {

// The scratch copy written straight into place: nothing there needs keeping
// while it is written. Anything unusual goes the careful way, which also
// words the errors.
void scratchCopy(const QString &source, const QString &copy)
{
    QFile in(source);
    const QFileInfo info(source);
    if (info.isFile() && !info.isSymLink() && info.size() < (64 << 20) && in.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = in.readAll();
        QFile out(copy);
        if (bytes.size() == info.size() && out.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && out.write(bytes) == bytes.size() && out.flush()
            && out.setFileTime(info.lastModified(), QFileDevice::FileModificationTime))
            return;
    }
    CalcFiles::copyFileWithDate(source, copy, false);
}

// The reference tables the calculation and the selection read, read-only.
void openReferenceTables(ReferenceTables &dm, const QString &dataDir)
{
    for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taGrups}) {
        t->setDatabaseName(dataDir);
        t->setReadOnly(true);
        t->open();
    }
    dm.taKat.setDatabaseName(dataDir);
}

} // namespace

BatchSession::BatchSession()
    : m_document(std::make_unique<CalculationDocument>(m_dm))
{
}

BatchSession::~BatchSession()
{
    // Closing writes only the copy; a failure there changes nothing reported.
    for (DbfTable *t : {&m_dm.taKat, &m_dm.taWork}) {
        try {
            t->close();
        } catch (const DbfError &) {
        }
    }
}

void BatchSession::openTables(const QString &dataDir)
{
    if (m_tablesOpen)
        return;
    m_dataDir = dataDir.isNull() ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA"))
                                 : dataDir;
    openReferenceTables(m_dm, m_dataDir);
    m_tablesOpen = true;
}

// Opens the copy as the program's Open command does. The table errors its
// rules meet end the batch run with the first of them.
void BatchSession::open(const QString &file, const QString &dataDir)
{
    // The file before goes first, with its copy: a long run keeps one at a time.
    try {
        m_dm.taWork.close();
    } catch (const DbfError &) {
    }
    if (!m_copy.isEmpty())
        QFile::remove(m_copy);
    m_copy.clear();
    m_shown = BatchShown();
    // A fresh document: nothing the file before set carries over to this one.
    m_document = std::make_unique<CalculationDocument>(m_dm);

    m_file = file;
    if (!m_tablesOpen)
        m_dataDir = dataDir.isNull() ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA"))
                                     : dataDir;
    if (!m_temp.isValid())
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create a temporary folder: %1").arg(m_temp.errorString()));
    if (QFileInfo(file).isDir())
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1").arg(file));
    const QString copy = m_temp.filePath(QFileInfo(file).fileName());
    scratchCopy(file, copy);
    m_copy = copy;
    openTables(m_dataDir);

    std::optional<DbfError> failed;
    const auto first = QObject::connect(m_document.get(), &CalculationDocument::tableError,
                                        [&](const QString &message, DbfError::Kind kind) {
                                            if (!failed)
                                                failed.emplace(kind, message);
                                        });
    m_document->open(copy);
    QObject::disconnect(first);
    if (failed)
        throw *failed;

    // What the last run showed: each earlier run's writes were overwritten by it.
    const HeatBalance &balance = m_document->lastRun();
    BatchShown &shown = m_shown;
    bool rateShown = false;
    bool entriesShown = false;
    for (const CalcOutput &o : m_document->lastWrites()) {
        switch (o.target) {
        case OutputTarget::Panel:
            if (const int field = o.panelRow)
                shown.panel[size_t(field - 1)] = o.value;
            break;
        case OutputTarget::CalculationReport:
        case OutputTarget::MainWindow:
            rateShown = rateShown || o.isLabel(LabelText::VentilationRate);
            entriesShown = entriesShown || o.isLabel(LabelText::Entries);
            shown.labels.emplace_back(o.name, o.text);
            break;
        case OutputTarget::EquipmentListReport:
            shown.equipmentLabels.emplace_back(o.name, o.text);
            break;
        case OutputTarget::Record:
            break;
        }
    }
    shown.error = m_document->lastRunError();
    if (rateShown)
        shown.ventilationRate = balance.ventilationRate;
    if (entriesShown)
        shown.entries = balance.entries;
    shown.mode = m_dm.taWork.value(QStringLiteral("OB_TERMR")).toString();
}

} // namespace kvor

namespace kvor {

SelectionInputs BatchSession::selectionInputs(int int1, int int2)
{
    SelectionInputs in;
    DbfTable &w = m_dm.taWork;
    in.chamberTemperature = w.fieldByName(QStringLiteral("OB_TEMKAM"))->asFloat();
    in.outdoorTemperature = w.fieldByName(QStringLiteral("OB_RGTMAX"))->asFloat();
    in.processingMode = w.value(QStringLiteral("OB_TERMR")).toString();
    in.systems = w.fieldByName(QStringLiteral("KOLSYS"))->asInteger();
    in.required = m_shown.panel[10].value_or(0);
    in.int1 = int1;
    in.int2 = int2;
    return in;
}

void BatchSession::reportLabels(ReportLabelTexts &report, ReportLabelTexts &equipment) const
{
    for (const auto &l : m_shown.labels)
        if (l.first.startsWith(QLatin1String("QRLabel")))
            report.push_back(l);
    equipment = m_shown.equipmentLabels;
}

} // namespace kvor
