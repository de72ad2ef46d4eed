#include "batchsession.h"

#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "calc/recordrules.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kvor {

// What the data module's open step asks of a freshly started main window: the
// mode selector starts on storage, the include boxes all ticked.
class BatchSession::Host : public ReferenceTablesHost {
public:
    explicit Host(ReferenceTables &dm) : m_dm(dm) {}

    void setProcessingModeItem(int item) override
    {
        if (item == m_modeItem)
            return;
        m_modeItem = item;
        RecordRules::processingMode(m_dm, item);
    }
    void setProductCategoryText(const QString &text) override { m_category = text; }
    void setExecutorItems(const QStringList &) override {}
    void setIncludeBoxes(const std::array<bool, 9> &checked) override { m_boxes = checked; }
    std::array<bool, 9> includeBoxes() const override { return m_boxes; }
    void settingsOpened(const QString &) override {}

    const QString &category() const { return m_category; }

private:
    ReferenceTables &m_dm;
    int m_modeItem = 0;
    QString m_category;
    std::array<bool, 9> m_boxes{true, true, true, true, true, true, true, true, true};
};

namespace {

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
    : m_host(std::make_unique<Host>(m_dm))
{
    m_dm.setHost(m_host.get());
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
    m_dm.setHost(nullptr);
}

// Opens the copy and runs what the Open command runs after it: the check-box
// rule, then the category rule with its product check, which recalculates.
// Earlier runs of the window's open path are not repeated: each one is
// overwritten by this last one, which sees the record as the open left it.
void BatchSession::open(const QString &file, const QString &dataDir)
{
    m_file = file;
    m_dataDir = dataDir.isNull() ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA"))
                                 : dataDir;
    if (!m_temp.isValid())
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create a temporary folder: %1").arg(m_temp.errorString()));
    if (QFileInfo(file).isDir())
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1").arg(file));
    const QString copy = m_temp.filePath(QFileInfo(file).fileName());
    CalcFiles::copyFileWithDate(file, copy);
    openReferenceTables(m_dm, m_dataDir);

    ReferenceTables &dm = m_dm;
    dm.taWork.setDatabaseName(QString());
    dm.taWork.setTableName(copy);
    dm.taWork.open();

    RecordRules::checkBoxes(dm);
    RecordRules::productCategory(dm, m_host->category());
    RecordRules::productConsistency(dm);

    const HeatBalance balance = computeHeatBalance(BalanceSource::gather(dm, m_host->includeBoxes()));
    BatchShown &shown = m_shown;
    bool rateShown = false;
    bool entriesShown = false;
    const bool applied = BalanceSource::apply(dm, balance, [&](const CalcOutput &o) {
        switch (o.target) {
        case OutputTarget::Panel:
            if (const int field = BalanceSource::panelField(o))
                shown.panel[size_t(field - 1)] = o.value;
            break;
        case OutputTarget::CalculationReport:
        case OutputTarget::MainWindow:
            rateShown = rateShown || o.name == QLatin1String("QRLabel77");
            entriesShown = entriesShown || o.name == QLatin1String("Label3");
            shown.labels.emplace_back(o.name, o.text);
            break;
        case OutputTarget::EquipmentListReport:
            shown.equipmentLabels.emplace_back(o.name, o.text);
            break;
        case OutputTarget::Record:
            break;
        }
    }, &shown.error);
    if (applied && !balance.completed())
        shown.error = balance.error;
    if (rateShown)
        shown.ventilationRate = balance.ventilationRate;
    if (entriesShown)
        shown.entries = balance.entries;
    shown.mode = dm.taWork.value(QStringLiteral("OB_TERMR")).toString();
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
