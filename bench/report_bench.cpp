// Timings of the report engine: lay out and write as PDF a one-page report of
// about 180 elements (the calculation report's size) and a list of 500 rows
// (the equipment list). Budgets: 100 ms and 1 s.
//   kvor_report_bench [--benchmark_filter=...]

#include "reports/core/reportdataset.h"
#include "reports/core/reportdefinition.h"
#include "reports/core/reportlayout.h"
#include "reports/core/reportpdf.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kvor;

namespace {

ReportElement element(const QString &name, ElementKind kind, int paint, int left, int top, int width, int height)
{
    ReportElement e;
    e.name = name;
    e.kind = kind;
    e.paint = paint;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    return e;
}

// Title, a detail band of 60 rows of three elements, a footer: one page.
ReportDefinition onePage()
{
    ReportDefinition def;
    def.name = "Calculation";
    def.dataset = "taWork";
    def.frame = 2;
    ReportBand title{"Title", BandKind::Title, 185, {}, {0, 0, 0, 2}, {}};
    ReportElement heading = element("Heading", ElementKind::Label, 1, 450, 119, 1459, 66);
    heading.text = "Розрахунок теплового балансу холодильної камери";
    heading.font.size = 14;
    heading.font.bold = true;
    heading.align = Qt::AlignHCenter;
    title.elements.push_back(heading);
    ReportBand detail{"Detail", BandKind::Detail, 2371, {}, {0, 0, 0, 2}, {}};
    int paint = 0;
    for (int row = 0; row < 60; ++row) {
        const int top = 10 + row * 38;
        ReportElement caption = element(QString("Label%1").arg(row), ElementKind::Label, ++paint, 37, top, 700, 45);
        caption.text = "Теплопритік від обємної вентиляції Qвен, кВт";
        caption.font.bold = true;
        caption.frame = {1, 1, 1, 1};
        ReportElement value = element(QString("Field%1").arg(row), ElementKind::Field, ++paint, 800, top, 300, 45);
        value.dataset = "taWork";
        value.field = QString("F%1").arg(row % 10);
        value.align = Qt::AlignRight;
        value.autoSize = row % 2;
        ReportElement rule = element(QString("Shape%1").arg(row), ElementKind::Shape, ++paint, 1150, top, 700, 38);
        rule.pen = row % 3 ? 2 : 6;
        detail.elements.push_back(caption);
        detail.elements.push_back(value);
        detail.elements.push_back(rule);
    }
    ReportBand footer{"Footer", BandKind::PageFooter, 212, {}, {}, {}};
    ReportElement version = element("Version", ElementKind::Label, 1, 601, 191, 701, 42);
    version.text = "Kvor 1.0";
    version.font.size = 7;
    footer.elements.push_back(version);
    def.bands = {title, detail, footer};
    ReportElement memo = element("QRMemo1", ElementKind::Memo, 1, 534, 111, 1453, 119);
    memo.lines = {"", "Контактний телефон для консультацій: __________________", "Internet : example.com"};
    memo.font.size = 9;
    memo.align = Qt::AlignHCenter;
    def.pageElements.push_back(memo);
    return def;
}

ReportDefinition list()
{
    ReportDefinition def;
    def.name = "List";
    def.dataset = "taWork";
    def.frame = 2;
    def.bands.push_back({"Header", BandKind::PageHeader, 185, {}, {0, 0, 0, 2}, {}});
    def.bands.push_back({"Title", BandKind::Title, 267, {}, {0, 0, 0, 2}, {}});
    def.bands.push_back({"Columns", BandKind::ColumnHeader, 169, {}, {0, 1, 0, 1}, {}});
    ReportBand rows{"Rows", BandKind::SubDetail, 42, "taKat", {}, {}};
    const int lefts[] = {0, 191, 593, 804, 974, 1143, 1291, 1482, 1630};
    const int widths[] = {172, 384, 214, 151, 108, 130, 172, 130, 214};
    for (int i = 0; i < 9; ++i) {
        ReportElement f = element(QString("Col%1").arg(i), ElementKind::Field, i + 1, lefts[i], 0, widths[i], 45);
        f.dataset = "taKat";
        f.field = QString("C%1").arg(i);
        f.align = i % 2 ? Qt::AlignHCenter : Qt::AlignRight;
        rows.elements.push_back(f);
    }
    def.bands.push_back(rows);
    def.bands.push_back({"Footer", BandKind::PageFooter, 233, {}, {0, 1, 0, 0}, {}});
    return def;
}

ListDataSet work()
{
    QMap<QString, QString> row;
    for (int i = 0; i < 10; ++i)
        row.insert(QString("F%1").arg(i), QString::number(1234.5 + i * 11.25));
    return ListDataSet({row});
}

ListDataSet catalogue(int count)
{
    ListDataSet set;
    for (int r = 0; r < count; ++r) {
        QMap<QString, QString> row;
        row.insert("C0", QString::number(r + 1));
        row.insert("C1", QString("MGM-%1 Агрегат").arg(r));
        for (int i = 2; i < 9; ++i)
            row.insert(QString("C%1").arg(i), QString::number(r * 0.75 + i, 'f', 2));
        set.addRow(row);
    }
    return set;
}

void run(benchmark::State &state, const ReportDefinition &def, ReportDataSets data)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.pdf");
    size_t pages = 0;
    for (auto _ : state) {
        const std::vector<ReportPage> laidOut = layoutReport(def, data);
        writeReportPdf(laidOut, path);
        pages = laidOut.size();
    }
    state.counters["pages"] = double(pages);
}

void BM_OnePageReportToPdf(benchmark::State &state)
{
    const ReportDefinition def = onePage();
    ListDataSet taWork = work();
    run(state, def, {{"taWork", &taWork}});
}

void BM_List500RowsToPdf(benchmark::State &state)
{
    const ReportDefinition def = list();
    ListDataSet taWork = work();
    ListDataSet taKat = catalogue(500);
    run(state, def, {{"taWork", &taWork}, {"taKat", &taKat}});
}

} // namespace

BENCHMARK(BM_OnePageReportToPdf)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_List500RowsToPdf)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts need it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
