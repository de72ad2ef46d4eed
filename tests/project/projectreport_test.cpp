// The project report: a summary, each readable chamber's own report, one
// equipment list, numbered across the whole document.

#include "document/calculationdocument.h"
#include "project/core/chamberevaluator.h"
#include "project/core/projectfile.h"
#include "project/report/projectreport.h"
#include "reports/core/reportpdf.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

QString run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << tool.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString &pdf, int page)
{
    return run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

// A chamber from the template; with `adopt`, the first catalogue system of
// its band that delivers the requirement at 35 °C.
QString makeChamber(const QString &path, bool adopt, QString *code = nullptr)
{
    ReferenceTables dm;
    for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taIsp, &dm.taRegion}) {
        t->setDatabaseName(KVOR_DATA_DIR);
        t->setReadOnly(true);
        t->open();
    }
    CalculationDocument doc(dm);
    EXPECT_TRUE(doc.createFromTemplate(KVOR_DATA_DIR, path));
    doc.record().edit();
    doc.record().setValue("OB_ISP", "Петренко П. П.");
    if (adopt) {
        const auto band = CatalogueSelection::bandFor(doc.record().value("OB_TEMKAM").toDouble());
        EXPECT_TRUE(band.has_value());
        DbfTable kat;
        kat.setDatabaseName(KVOR_DATA_DIR);
        kat.setTableName(band->file);
        kat.setReadOnly(true);
        kat.open();
        for (kat.first(); !kat.eof(); kat.next())
            if (kat.value("Q35").toDouble() >= doc.result(11) * 1000)
                break;
        EXPECT_FALSE(kat.eof());
        const QString sis = kat.value("SIS").toString().left(6).trimmed();
        doc.adoptSystem({sis, "Моноблок для тесту", kat.value("AGR").toString(), kat.value("VOHL").toString(),
                         kat.value("SHKAF").toString(), kat.value("NABOR").toString(), kat.value("Q35")});
        if (code)
            *code = sis;
    }
    doc.close();
    return path;
}

} // namespace

TEST(ProjectReportTest, SummaryChamberReportsAndOneEquipmentListNumberedAcrossTheDocument)
{
    for (const char *tool : {"pdftotext", "pdfinfo"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool << " (poppler-utils) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString code;
    ProjectFile project;
    project.name = "Склад «Полісся»";
    project.client = "ТОВ «Холод»";
    project.address = "Житомир, вул. Польова, 7";
    project.setPath(dir.filePath("store.kvorproj"));
    const QString paths[] = {makeChamber(dir.filePath("Морозильна.kvor"), true, &code),
                             makeChamber(dir.filePath("Експедиція.kvor"), false), dir.filePath("Зникла.kvor")};
    ASSERT_FALSE(code.isEmpty());

    ChamberEvaluator evaluator(KVOR_DATA_DIR);
    std::vector<ChamberSummary> chambers;
    for (const QString &p : paths)
        chambers.push_back(evaluator.evaluate(p));
    ASSERT_EQ(chambers[0].status, ChamberStatus::Ok) << chambers[0].error.toStdString();
    ASSERT_EQ(chambers[1].status, ChamberStatus::NoSystem);
    ASSERT_EQ(chambers[2].status, ChamberStatus::Missing);

    std::vector<int> progress;
    const auto pages = ProjectReport(evaluator).render(
        project, chambers, {QDate(2026, 12, 9), "Іваненко І. І.", "Kvor 9.9", dir.path()},
        [&](int percent) { progress.push_back(percent); });
    ASSERT_EQ(pages.size(), 4u) << "summary, two chamber reports, the equipment list";
    EXPECT_TRUE(pages[1].hasBand("QRBand3") && pages[2].hasBand("QRBand3")) << "the chambers' own report pages";
    EXPECT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);
    // Nothing a page prints runs off the paper or into another item's way at the bottom.
    for (const ReportPage &page : pages) {
        for (const ReportItem &item : page.items) {
            EXPECT_LE(item.box.bottom(), page.height - 40) << item.element.toStdString();
            if (item.element != "ProjectPageNumber")
                continue;
            for (const PlacedBand &band : page.bands)
                EXPECT_LE(band.top + band.height, item.box.top()) << band.name.toStdString();
        }
    }

    const QString pdf = dir.filePath("store.pdf");
    writeReportPdf(pages, pdf);
    EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+4\\n")));

    const QString summary = pdfText(pdf, 1);
    for (const char *text : {"Склад «Полісся»", "ТОВ «Холод»", "Житомир", "09.12.2026", "Іваненко", "Морозильна",
                             "Експедиція", "Зникла", "Файл не знайдено", "Не враховано камер: 1", "Сторінка 1 з 4"})
        EXPECT_TRUE(summary.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(summary.contains(code));
    // The chamber reports name the user's files, not the private copies they were read from.
    const QString first = pdfText(pdf, 2);
    EXPECT_TRUE(first.contains(QDir::toNativeSeparators(paths[0])) || first.contains(paths[0])) << first.toStdString();
    EXPECT_TRUE(pdfText(pdf, 3).contains("Експедиція.kvor"));
    EXPECT_TRUE(first.contains("Сторінка 2 з 4"));
    const QString list = pdfText(pdf, 4);
    for (const char *text : {"Перелік обладнання", "Морозильна", "Моноблок", "Сторінка 4 з 4"})
        EXPECT_TRUE(list.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(list.contains(code));
    EXPECT_FALSE(list.contains("Експедиція")) << "a chamber without a system has no row";

    // A chamber whose file went away after the list read it keeps its place with the reason.
    ASSERT_TRUE(QFile::remove(paths[1]));
    const auto again = ProjectReport(evaluator).render(project, chambers, {});
    ASSERT_EQ(again.size(), 4u);
    bool explained = false;
    for (const ReportItem &item : again[2].items)
        explained = explained || item.text.contains(QStringLiteral("не сформовано"));
    EXPECT_TRUE(explained);
    // No executor given: the one the chambers' calculations name, once.
    QStringList summaryTexts;
    for (const ReportItem &item : again[0].items)
        summaryTexts << item.text;
    EXPECT_EQ(summaryTexts.filter("Петренко").size(), 1) << summaryTexts.join('|').toStdString();

    const QString keep = qEnvironmentVariable("KVOR_SHOT_DIR");
    if (!keep.isEmpty()) {
        QFile::remove(keep + "/projectreport.pdf");
        QFile::copy(pdf, keep + "/projectreport.pdf");
    }
}

TEST(ProjectReportTest, ALongChamberTableContinuesOnFurtherPagesUnderItsHeader)
{
    QTemporaryDir dir;
    ProjectFile project;
    project.name = "Великий склад";
    std::vector<ChamberSummary> chambers;
    for (int i = 1; i <= 60; ++i) {
        ChamberSummary c;
        c.name = QString("Камера %1").arg(i);
        c.path = dir.filePath(c.name + ".kvor");
        chambers.push_back(c);
    }
    ChamberEvaluator evaluator(KVOR_DATA_DIR);
    const auto pages = ProjectReport(evaluator).render(project, chambers, {});
    ASSERT_GE(pages.size(), 3u) << "the table needs more than one page, then the equipment list";
    QStringList summary;
    int tablePages = 0;
    for (size_t p = 0; p + 1 < pages.size(); ++p) {
        bool rows = false, header = false;
        for (const ReportItem &item : pages[p].items) {
            summary << item.text;
            rows = rows || item.text.startsWith("Камера ");
            header = header || item.text == "Камера";
        }
        tablePages += rows ? 1 : 0;
        EXPECT_EQ(rows, header) << "the column headings over the rows of page " << p + 1;
    }
    EXPECT_GE(tablePages, 2);
    for (int i = 1; i <= 60; ++i)
        EXPECT_EQ(summary.count(QString("Камера %1").arg(i)), 1) << i;
    EXPECT_TRUE(summary.contains("Не враховано камер: 60 (їхні файли не прочитано)"));
}
