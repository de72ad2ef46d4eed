#include "equipmentlistreport.h"

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

#include <utility>

static void initReportResources()
{
    Q_INIT_RESOURCE(reports);
}

namespace kvor {

namespace {

ReportElement &element(ReportDefinition &def, const char *name)
{
    ReportElement *e = def.element(QString::fromLatin1(name));
    if (!e)
        throw ReportError(QStringLiteral("Report element %1 not found").arg(QString::fromLatin1(name)));
    return *e;
}

} // namespace

EquipmentListReport::EquipmentListReport(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("fmReport2"));
}

EquipmentListReport::~EquipmentListReport() = default;

ReportDefinition &EquipmentListReport::QuickRep1()
{
    if (!m_def) {
        initReportResources();
        m_def = std::make_unique<ReportDefinition>(ReportDefinition::load(QStringLiteral(":/reports/equipmentlistreport.json")));
    }
    return *m_def;
}

QString EquipmentListReport::titleFolder() const
{
    return m_titleFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_titleFolder;
}

QString EquipmentListReport::displayLabel(const QString &field)
{
    static const std::pair<const char *, const char *> labels[] = {
        {"SIS", "Система"},
        {"AGR", "Агрегат (конденсатор)"},
        {"VOHL", "Компресор"},
        {"Q25", "Q +25°С"}, {"T25", "dT +25°С"},
        {"Q30", "Q +30°С"}, {"T30", "dT +30°С"},
        {"Q35", "Q +35°С"}, {"T35", "dT +35°С"},
        {"Q40", "Q +40°С"}, {"T40", "dT +40°С"},
        {"PPOT", "Спож. потужність, кВт"},
        {"IPOT", "Спож. струм, А"},
        {"NABOR", "Магістраль"},
        {"SHKAF", "Контроллер"},
    };
    for (const auto &[name, label] : labels) {
        if (field.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(label);
    }
    return QString();
}

void EquipmentListReport::QuickRep1BeforePrint()
{
    ReportDefinition &def = QuickRep1();
    element(def, "QRLabel90").text = m_fileName ? m_fileName() : m_work ? QDir::toNativeSeparators(m_work->filePath()) : QString();
    element(def, "QRLabel89").text = m_versionText ? m_versionText() : QString::fromUtf8(config::kVersionText);
    element(def, "QRLabel14").text = m_temperature ? m_temperature() : QString();

    ReportElement &memo = element(def, "QRMemo1");
    memo.lines.clear();
    memo.lines = TitleBlock::load(titleFolder());

    element(def, "QRLabel1").text = displayLabel(QStringLiteral("AGR"));
    element(def, "QRLabel18").text = displayLabel(QStringLiteral("SIS"));
    // The column shows VOHL, the air cooler, whatever the catalogue's own title says.
    element(def, "QRLabel3").text = QStringLiteral("Повітроохолоджувач ");

    // The capacity pair the selection window shows; a later visible pair wins.
    // Without a window to ask, the pair its grid shows at first.
    const auto visible = [this](const QString &field) {
        return m_visible ? m_visible(field) : field == QLatin1String("Q25") || field == QLatin1String("T25");
    };
    static const char *const pairs[][2] = {{"Q25", "T25"}, {"Q30", "T30"}, {"Q35", "T35"}, {"Q40", "T40"}};
    // No catalogue lists no capacities: an earlier print's titles would name a column that is not there.
    if (m_kat && !m_kat->active()) {
        element(def, "QRLabel4").text.clear();
        element(def, "QRLabel6").text.clear();
    }
    for (const auto &pair : pairs) {
        const QString q = QString::fromLatin1(pair[0]);
        const QString t = QString::fromLatin1(pair[1]);
        if (visible(q)) {
            element(def, "QRLabel4").text = displayLabel(q);
            element(def, "QRDBText4").field = q;
        }
        if (visible(t)) {
            element(def, "QRLabel6").text = displayLabel(t);
            element(def, "QRDBText7").field = t;
        }
    }

    element(def, "QRLabel7").text = displayLabel(QStringLiteral("PPOT"));
    element(def, "QRLabel10").text = displayLabel(QStringLiteral("IPOT"));
    element(def, "QRLabel11").text = displayLabel(QStringLiteral("NABOR"));
    element(def, "QRLabel12").text = displayLabel(QStringLiteral("SHKAF"));
}

std::vector<ReportPage> EquipmentListReport::render(const std::function<void(int)> &progress)
{
    if (!m_work)
        throw ReportError(QCoreApplication::translate("EquipmentListReport", "No calculation is open"));
    if (!m_kat)
        throw ReportError(QCoreApplication::translate("EquipmentListReport", "No equipment catalogue is open"));
    QuickRep1BeforePrint();
    ReportDefinition &def = QuickRep1();
    if (m_labels) {
        for (auto it = m_labels->texts().cbegin(); it != m_labels->texts().cend(); ++it) {
            ReportElement *e = def.element(it.key());
            if (e && e->kind == ElementKind::Label)
                e->text = ReportLabels::displayText(it.value());
        }
    }
    WorkDataSet work(*m_work);
    TableDataSet kat(*m_kat);
    const ReportDataSets data{{QStringLiteral("taWork"), &work}, {QStringLiteral("taKat"), &kat}};
    return layoutReport(def, data, progress);
}

} // namespace kvor
