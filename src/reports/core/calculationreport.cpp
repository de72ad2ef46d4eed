#include "calculationreport.h"

#include "config.h"
#include "reportdataset.h"
#include "reporterror.h"
#include "reportlabels.h"
#include "reportlayout.h"
#include "storage/dbftable.h"
#include "titleblock.h"
#include "workdataset.h"

#include <QCoreApplication>
#include <QDir>

// The resources live in a static library: they must be registered by hand,
// outside any namespace.
static void initReportResources()
{
    Q_INIT_RESOURCE(reports);
}

namespace kvor {

namespace {

// Copies the run-time texts into the labels of the same name; texts for labels
// this report does not have are left alone (the store serves both reports).
void applyLabels(ReportDefinition &def, const ReportLabels *labels)
{
    if (!labels)
        return;
    for (auto it = labels->texts().cbegin(); it != labels->texts().cend(); ++it) {
        ReportElement *e = def.element(it.key());
        if (e && e->kind == ElementKind::Label)
            e->text = ReportLabels::displayText(it.value());
    }
}

void setText(ReportDefinition &def, const char *name, const QString &text)
{
    ReportElement *e = def.element(QString::fromLatin1(name));
    if (!e)
        throw ReportError(QStringLiteral("Report element %1 not found").arg(QString::fromLatin1(name)));
    e->text = text;
}

} // namespace

CalculationReport::CalculationReport(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("fmReport"));
}

CalculationReport::~CalculationReport() = default;

ReportDefinition &CalculationReport::QuickRep1()
{
    if (!m_def) {
        initReportResources();
        // The form's "Компресор" caption in front of OBR_VO (QRLabel68) was 4.5 mm
        // wide, about a third of its text. It is widened to the left to 16 mm and
        // the condensing unit's box (QRDBText66) ends before it, so the word
        // prints whole and neither covers the other.
        m_def = std::make_unique<ReportDefinition>(ReportDefinition::load(QStringLiteral(":/reports/calculationreport.json")));
    }
    return *m_def;
}

QString CalculationReport::titleFolder() const
{
    return m_titleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_titleFolder;
}

void CalculationReport::QuickRep1BeforePrint()
{
    ReportDefinition &def = QuickRep1();
    setText(def, "QRLabel90", m_fileName ? m_fileName() : m_work ? QDir::toNativeSeparators(m_work->filePath()) : QString());
    setText(def, "QRLabel89", m_versionText ? m_versionText() : QString::fromUtf8(config::kVersionText));
    ReportElement *memo = def.element(QStringLiteral("QRMemo1"));
    if (!memo)
        throw ReportError(QStringLiteral("Report element QRMemo1 not found"));
    memo->lines.clear();
    memo->lines = TitleBlock::load(titleFolder());
}

std::vector<ReportPage> CalculationReport::render(const std::function<void(int)> &progress)
{
    if (!m_work)
        throw ReportError(QCoreApplication::translate("CalculationReport", "No calculation is open"));
    QuickRep1BeforePrint();
    ReportDefinition &def = QuickRep1();
    applyLabels(def, m_labels);
    WorkDataSet work(*m_work);
    const ReportDataSets data{{QStringLiteral("taWork"), &work}};
    return layoutReport(def, data, progress);
}

} // namespace kvor
