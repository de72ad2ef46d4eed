// The two report layouts as shipped in the resources: loaded by the engine's
// reader and checked against the layout tables the reports were drawn from.

#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "reports/core/reportdefinition.h"
#include "reports/core/reportpage.h"
#include "storage/tabledefs.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace kvor {
namespace {

const ReportDefinition &calculationReport()
{
    static CalculationReport form;
    return form.QuickRep1();
}

const ReportDefinition &equipmentReport()
{
    static EquipmentListReport form;
    return form.QuickRep1();
}

const ReportElement &el(const ReportDefinition &def, const char *name)
{
    const ReportElement *e = def.element(QString::fromLatin1(name));
    if (!e)
        throw std::runtime_error(std::string("missing element ") + name);
    return *e;
}

void expectBox(const ReportElement &e, int left, int top, int width, int height)
{
    EXPECT_EQ(e.left, left) << e.name.toStdString();
    EXPECT_EQ(e.top, top) << e.name.toStdString();
    EXPECT_EQ(e.width, width) << e.name.toStdString();
    EXPECT_EQ(e.height, height) << e.name.toStdString();
}

void expectFont(const ReportElement &e, const char *family, double size, bool bold, bool italic)
{
    EXPECT_EQ(e.font.family, QString::fromLatin1(family)) << e.name.toStdString();
    EXPECT_EQ(e.font.size, size) << e.name.toStdString();
    EXPECT_EQ(e.font.bold, bold) << e.name.toStdString();
    EXPECT_EQ(e.font.italic, italic) << e.name.toStdString();
}

const ReportFrame kFramed{1, 1, 1, 1};

// The band an element sits on.
const ReportBand *bandOf(const ReportDefinition &def, const QString &name)
{
    for (const ReportBand &b : def.bands)
        for (const ReportElement &e : b.elements)
            if (e.name == name)
                return &b;
    return nullptr;
}

TEST(ReportDefinitions, PageAndBandsOfTheCalculationReport)
{
    const ReportDefinition &def = calculationReport();
    EXPECT_EQ(def.name, QStringLiteral("QuickRep1"));
    EXPECT_EQ(def.form, QStringLiteral("fmReport"));
    EXPECT_EQ(def.dataset, QStringLiteral("taWork"));
    EXPECT_EQ(def.paperWidth, 2100);
    EXPECT_EQ(def.paperHeight, 2970);
    EXPECT_EQ(def.marginLeft, 100);
    EXPECT_EQ(def.marginTop, 100);
    EXPECT_EQ(def.marginRight, 100);
    EXPECT_EQ(def.marginBottom, 100);
    EXPECT_EQ(def.frame, 2);

    ASSERT_EQ(def.bands.size(), 3u);
    const struct { const char *name; BandKind kind; int height; double top, bottom; } bands[] = {
        {"QRBand1", BandKind::Title, 185, 0, 2},
        {"QRBand2", BandKind::Detail, 2371, 0, 2},
        {"QRBand3", BandKind::PageFooter, 212, 0, 0},
    };
    int total = 0;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(bands[i].name);
        EXPECT_EQ(def.bands[i].name, QString::fromLatin1(bands[i].name));
        EXPECT_EQ(def.bands[i].kind, bands[i].kind);
        EXPECT_EQ(def.bands[i].height, bands[i].height);
        EXPECT_EQ(def.bands[i].frame.top, bands[i].top);
        EXPECT_EQ(def.bands[i].frame.bottom, bands[i].bottom);
        total += def.bands[i].height;
    }
    // The whole report is one page: 276.8 of the 277 mm printable height.
    EXPECT_EQ(total, 2768);
    EXPECT_LE(total, def.printableHeight());

    EXPECT_EQ(def.bands[0].elements.size(), 2u);
    EXPECT_EQ(def.bands[1].elements.size(), 178u); // 177 of the layout and the caption of OBR_VO
    EXPECT_EQ(def.bands[2].elements.size(), 9u);
}

TEST(ReportDefinitions, SampleElementsOfTheCalculationReport)
{
    const ReportDefinition &def = calculationReport();

    const ReportElement &title = el(def, "QRLabel2");
    EXPECT_EQ(bandOf(def, title.name)->name, QStringLiteral("QRBand1"));
    EXPECT_EQ(title.paint, 2);
    EXPECT_EQ(title.kind, ElementKind::Label);
    expectBox(title, 450, 119, 1459, 66);
    EXPECT_EQ(title.text, QStringLiteral("Розрахунок теплового балансу холодильної камери"));
    EXPECT_EQ(title.align, Qt::AlignHCenter);
    expectFont(title, "Arial", 14, true, false);

    const ReportElement &length = el(def, "QRDBText9");
    EXPECT_EQ(length.paint, 15);
    EXPECT_EQ(length.kind, ElementKind::Field);
    expectBox(length, 529, 32, 108, 45);
    EXPECT_EQ(length.dataset, QStringLiteral("taWork"));
    EXPECT_EQ(length.field, QStringLiteral("OB_KAMDL"));
    EXPECT_EQ(length.align, Qt::AlignRight);
    expectFont(length, "Arial", 8, false, false);
    EXPECT_EQ(length.frame, ReportFrame{});

    const ReportElement &capacityBox = el(def, "QRShape33");
    EXPECT_EQ(capacityBox.kind, ElementKind::Shape);
    EXPECT_EQ(capacityBox.shape, ShapeKind::Rect);
    EXPECT_EQ(capacityBox.pen, 6);
    EXPECT_EQ(capacityBox.paint, 149);
    expectBox(capacityBox, 1693, 2003, 201, 63);

    const ReportElement &wallsTotal = el(def, "QRLabel32");
    EXPECT_EQ(wallsTotal.paint, 61);
    expectBox(wallsTotal, 799, 693, 897, 45);
    EXPECT_EQ(wallsTotal.text, QStringLiteral("Теплопритік через стіни Qстін, кВт"));
    EXPECT_EQ(wallsTotal.align, Qt::AlignLeft);
    expectFont(wallsTotal, "Arial", 10, true, false);
    EXPECT_EQ(wallsTotal.frame, kFramed);

    // A run-time label: no design-time caption, auto-size, bold italic.
    const ReportElement &wallA = el(def, "QRLabel70");
    EXPECT_EQ(wallA.paint, 115);
    expectBox(wallA, 1513, 344, 161, 45);
    EXPECT_TRUE(wallA.text.isEmpty());
    EXPECT_TRUE(wallA.autoSize);
    EXPECT_EQ(wallA.align, Qt::AlignHCenter);
    expectFont(wallA, "Arial", 8, true, true);

    const ReportElement &required = el(def, "QRLabel98");
    EXPECT_EQ(required.paint, 150);
    expectBox(required, 1714, 2006, 172, 53);
    expectFont(required, "Arial", 12, true, true);
    EXPECT_EQ(required.align, Qt::AlignRight);

    EXPECT_TRUE(el(def, "QRLabel23").autoStretch);
    EXPECT_TRUE(el(def, "QRLabel3").autoStretch);
    EXPECT_FALSE(el(def, "QRLabel24").autoStretch);
    EXPECT_EQ(el(def, "QRLabel29").text, QStringLiteral("Теплопри- тік, кВт"));

    // Vertical and horizontal rules, thin and thick.
    EXPECT_EQ(el(def, "QRShape1").shape, ShapeKind::VLine);
    expectBox(el(def, "QRShape1"), 262, 241, 21, 415);
    EXPECT_EQ(el(def, "QRShape35").shape, ShapeKind::HLine);
    EXPECT_EQ(el(def, "QRShape35").pen, 2);
    EXPECT_EQ(el(def, "QRShape34").shape, ShapeKind::HLine);
    EXPECT_EQ(el(def, "QRShape34").pen, 6);
    expectBox(el(def, "QRShape11"), 254, 1045, 3, 249);

    // The equipment fields in Times New Roman, framed.
    const ReportElement &cooler = el(def, "QRDBText67");
    EXPECT_EQ(cooler.field, QStringLiteral("OBR_VO"));
    expectFont(cooler, "Times New Roman", 8, false, false);
    EXPECT_EQ(cooler.frame, kFramed);
    EXPECT_EQ(cooler.align, Qt::AlignHCenter);
    expectFont(el(def, "QRDBText70"), "Times New Roman", 8, false, false);
    expectFont(el(def, "QRDBText66"), "Arial", 8, false, false);
    EXPECT_EQ(el(def, "QRDBText72").paint, 178);

    // Footer.
    const ReportElement &version = el(def, "QRLabel89");
    EXPECT_EQ(bandOf(def, version.name)->name, QStringLiteral("QRBand3"));
    expectBox(version, 601, 169, 701, 42);
    expectFont(version, "Arial", 7, false, false);
    EXPECT_EQ(version.align, Qt::AlignHCenter);
    EXPECT_EQ(el(def, "QRLabel69").text, QStringLiteral("Звіт"));
    expectBox(el(def, "QRLabel90"), 1080, 116, 807, 42);

    // Pictures.
    const ReportElement &logo = el(def, "QRImage1");
    EXPECT_EQ(logo.kind, ElementKind::Picture);
    expectBox(logo, 10, 20, 417, 169);
    EXPECT_FALSE(logo.stretch);
    const ReportElement &plan = el(def, "QRImage2");
    expectBox(plan, 21, 21, 193, 214);
    EXPECT_TRUE(plan.stretch);
    EXPECT_EQ(plan.paint, 25);
}

TEST(ReportDefinitions, PicturesAreInTheResources)
{
    const QImage logo(el(calculationReport(), "QRImage1").image);
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(125, 48));
    const QImage plan(el(calculationReport(), "QRImage2").image);
    ASSERT_FALSE(plan.isNull());
    EXPECT_EQ(plan.size(), QSize(56, 63));
    EXPECT_EQ(el(equipmentReport(), "QRImage1").image, el(calculationReport(), "QRImage1").image);
}

TEST(ReportDefinitions, TitleBlockIsAPageElement)
{
    for (const ReportDefinition *def : {&calculationReport(), &equipmentReport()}) {
        SCOPED_TRACE(def->form.toStdString());
        ASSERT_EQ(def->pageElements.size(), 1u);
        const ReportElement &memo = def->pageElements.front();
        EXPECT_EQ(memo.name, QStringLiteral("QRMemo1"));
        EXPECT_EQ(memo.kind, ElementKind::Memo);
        expectBox(memo, 534, 111, 1453, 119);
        EXPECT_EQ(memo.align, Qt::AlignHCenter);
        expectFont(memo, "Arial", 9, false, false);
        EXPECT_FALSE(memo.autoStretch);
        EXPECT_TRUE(memo.lines.isEmpty());
        EXPECT_EQ(bandOf(*def, memo.name), nullptr);
    }
}

// The caption in front of OBR_VO stays between its neighbours' boxes and its
// text fits its own box, so it is printed whole and covers nothing.
TEST(ReportDefinitions, CoolerCaptionFitsBetweenItsNeighbours)
{
    const ReportDefinition &def = calculationReport();
    const ReportElement &caption = el(def, "QRLabel68");
    const ReportElement &unit = el(def, "QRDBText66");
    const ReportElement &cooler = el(def, "QRDBText67");
    EXPECT_EQ(caption.left + caption.width, 1125);
    EXPECT_EQ(caption.top, 2249);
    EXPECT_EQ(caption.height, 45);
    EXPECT_GE(caption.left, unit.left + unit.width);
    EXPECT_LE(caption.left + caption.width, cooler.left);
    EXPECT_EQ(caption.align, Qt::AlignRight);

    EXPECT_EQ(caption.text, QStringLiteral("Компресор"));
    EXPECT_LT(ReportTextMetrics::width(caption.font, caption.text), caption.width);
    // The unit's box still holds a typical unit name.
    EXPECT_LT(ReportTextMetrics::width(unit.font, QStringLiteral("АКП-0250Н, 400 В")), unit.width);
}

TEST(ReportDefinitions, PageAndBandsOfTheEquipmentList)
{
    const ReportDefinition &def = equipmentReport();
    EXPECT_EQ(def.form, QStringLiteral("fmReport2"));
    EXPECT_EQ(def.dataset, QStringLiteral("taWork"));
    EXPECT_EQ(def.paperWidth, 2100);
    EXPECT_EQ(def.paperHeight, 2970);
    EXPECT_EQ(def.marginTop, 100);
    EXPECT_EQ(def.frame, 2);

    ASSERT_EQ(def.bands.size(), 5u);
    const struct { const char *name; BandKind kind; int height; double top, bottom; size_t count; } bands[] = {
        {"QRBand1", BandKind::PageHeader, 185, 0, 2, 2},
        {"QRBand2", BandKind::Title, 267, 0, 2, 16},
        {"QRBand4", BandKind::ColumnHeader, 169, 1, 1, 11},
        {"QRSubDetail1", BandKind::SubDetail, 42, 0, 0, 9},
        {"QRBand3", BandKind::PageFooter, 233, 1, 0, 9},
    };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(bands[i].name);
        EXPECT_EQ(def.bands[i].name, QString::fromLatin1(bands[i].name));
        EXPECT_EQ(def.bands[i].kind, bands[i].kind);
        EXPECT_EQ(def.bands[i].height, bands[i].height);
        EXPECT_EQ(def.bands[i].frame.top, bands[i].top);
        EXPECT_EQ(def.bands[i].frame.bottom, bands[i].bottom);
        EXPECT_EQ(def.bands[i].elements.size(), bands[i].count);
    }
    EXPECT_EQ(def.bands[3].dataset, QStringLiteral("taKat"));

    // 45 rows under the headers of page 1, 51 under those of a later page.
    const int rowsArea = def.printableHeight() - def.bands[4].height;
    EXPECT_EQ((rowsArea - 185 - 267 - 169) / 42, 45);
    EXPECT_EQ((rowsArea - 185 - 169) / 42, 51);
}

TEST(ReportDefinitions, SampleElementsOfTheEquipmentList)
{
    const ReportDefinition &def = equipmentReport();

    const ReportElement &heading = el(def, "QRLabel13");
    EXPECT_EQ(heading.text, QStringLiteral("Холодильні системи для") + QString(13, QLatin1Char(' '))
                                + QStringLiteral("°С в охлоджуваному об'ємі "));
    expectBox(heading, 90, 5, 1717, 66);
    expectFont(heading, "Arial", 16, true, false);
    EXPECT_EQ(heading.paint, 9);
    const ReportElement &temperature = el(def, "QRLabel14");
    expectBox(temperature, 902, 5, 106, 66);
    EXPECT_EQ(temperature.paint, 10); // over the gap in the heading
    EXPECT_TRUE(temperature.text.isEmpty());

    const ReportElement &q = el(def, "QRDBText4");
    EXPECT_EQ(bandOf(def, q.name)->name, QStringLiteral("QRSubDetail1"));
    EXPECT_EQ(q.dataset, QStringLiteral("taKat"));
    expectBox(q, 804, 0, 151, 45);
    EXPECT_EQ(q.align, Qt::AlignHCenter);
    // Until a rendering chooses, the pair the catalogue grid shows at first.
    EXPECT_EQ(q.field, QStringLiteral("Q25"));
    EXPECT_EQ(el(def, "QRDBText7").field, QStringLiteral("T25"));
    expectBox(el(def, "QRDBText7"), 974, 0, 108, 45);
    const ReportElement &sis = el(def, "QRDBText15");
    EXPECT_EQ(sis.field, QStringLiteral("SIS"));
    EXPECT_EQ(sis.dataset, QStringLiteral("taKat"));
    EXPECT_EQ(sis.align, Qt::AlignRight);
    EXPECT_EQ(sis.paint, 9);

    const ReportElement &box = el(def, "QRShape33");
    EXPECT_EQ(box.shape, ShapeKind::Rect);
    EXPECT_EQ(box.pen, 6);
    expectBox(box, 1693, 140, 201, 63);
    EXPECT_EQ(el(def, "QRLabel95").text,
              QStringLiteral("( з урахуванням коеф-та запасу та часу роботи обладнання )"));
    EXPECT_EQ(el(def, "QRDBText12").field, QStringLiteral("ob_kamv"));
    EXPECT_EQ(el(def, "QRDBText12").dataset, QStringLiteral("taWork"));
    EXPECT_EQ(el(def, "QRLabel69").text, QStringLiteral("Розрахунок"));
    expectBox(el(def, "QRLabel89"), 601, 191, 701, 42);
    expectFont(el(def, "QRLabel98"), "Arial", 12, true, true);
    expectFont(el(def, "QRLabel18"), "Arial", 8, true, false);
    expectBox(el(def, "QRLabel18"), 0, 82, 172, 79);
}

// Names are unique, paint orders unique within a band, and every field element
// names a field its table declares.
TEST(ReportDefinitions, ElementsAreConsistentWithTheTables)
{
    QSet<QString> work, catalogue;
    for (const FieldDef &f : TableDefs::workFieldDefs())
        work << f.name.toUpper();
    for (const FieldDef &f : TableDefs::catalogueFieldDefs())
        catalogue << f.name.toUpper();

    for (const ReportDefinition *def : {&calculationReport(), &equipmentReport()}) {
        SCOPED_TRACE(def->form.toStdString());
        QSet<QString> names;
        int fields = 0;
        for (const ReportBand &band : def->bands) {
            QSet<int> paints;
            for (const ReportElement &e : band.elements) {
                EXPECT_FALSE(names.contains(e.name)) << e.name.toStdString();
                names << e.name;
                EXPECT_FALSE(paints.contains(e.paint)) << e.name.toStdString();
                paints << e.paint;
                EXPECT_GT(e.width, 0) << e.name.toStdString();
                EXPECT_GT(e.height, 0) << e.name.toStdString();
                EXPECT_LE(e.top + e.height, band.height + 10) << e.name.toStdString();
                if (e.kind != ElementKind::Field)
                    continue;
                ++fields;
                if (e.dataset == QLatin1String("taWork")) {
                    EXPECT_TRUE(work.contains(e.field.toUpper())) << e.name.toStdString() << " " << e.field.toStdString();
                } else {
                    EXPECT_EQ(e.dataset, QStringLiteral("taKat")) << e.name.toStdString();
                    EXPECT_EQ(band.kind, BandKind::SubDetail) << e.name.toStdString();
                    EXPECT_TRUE(catalogue.contains(e.field.toUpper())) << e.name.toStdString();
                }
            }
        }
        EXPECT_GT(fields, 0);
    }
}

} // namespace
} // namespace kvor
