#include "reports/core/reportdataset.h"
#include "reports/core/reportdefinition.h"
#include "reports/core/reporterror.h"
#include "storage/dbftable.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

const char *kJson = R"({
  "name": "QuickRep1", "form": "fmReport2",
  "page": { "paper": "A4", "orientation": "portrait", "width": 2100, "height": 2970,
            "margins": { "left": 100, "top": 100, "right": 100, "bottom": 100 }, "frame": 2 },
  "dataset": "taWork",
  "bands": [
    { "name": "QRBand4", "kind": "columnHeader", "height": 169, "frame": { "top": 1, "bottom": 1 },
      "elements": [
        { "name": "QRLabel14", "paint": 10, "kind": "label", "left": 902, "top": 5, "width": 106, "height": 66,
          "align": "center", "font": { "family": "Arial", "size": 16, "bold": true } },
        { "name": "QRShape33", "paint": 9, "kind": "shape", "shape": "rect", "pen": 6,
          "left": 1693, "top": 140, "width": 201, "height": 63 } ] },
    { "name": "QRSubDetail1", "kind": "subDetail", "height": 42, "dataset": "taKat",
      "elements": [
        { "name": "QRDBText4", "paint": 3, "kind": "field", "dataset": "taKat", "field": "Q25",
          "left": 804, "top": 0, "width": 151, "height": 45, "align": "right", "autoSize": true } ] }
  ],
  "pageElements": [
    { "name": "QRMemo1", "paint": 1, "kind": "memo", "left": 534, "top": 111, "width": 1453, "height": 119,
      "lines": ["a", "b"], "font": { "size": 9 }, "align": "center", "frame": { "left": 1, "top": 1, "right": 1, "bottom": 1 } },
    { "name": "QRImage1", "kind": "picture", "image": ":/reports/logo.png", "stretch": true,
      "left": 10, "top": 20, "width": 417, "height": 169 } ]
})";

std::string loadError(const QByteArray &json)
{
    try {
        ReportDefinition::fromJson(json, "test.json");
    } catch (const ReportError &e) {
        return e.message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(EngineDefinition, ReadsEveryKeyAndDefaults)
{
    const ReportDefinition def = ReportDefinition::fromJson(kJson);
    EXPECT_EQ(def.name, QStringLiteral("QuickRep1"));
    EXPECT_EQ(def.form, QStringLiteral("fmReport2"));
    EXPECT_EQ(def.dataset, QStringLiteral("taWork"));
    EXPECT_EQ(def.printableWidth(), 1900);
    EXPECT_EQ(def.printableHeight(), 2770);
    EXPECT_DOUBLE_EQ(def.frame, 2);
    ASSERT_EQ(def.bands.size(), 2u);
    EXPECT_EQ(def.bands[0].kind, BandKind::ColumnHeader);
    EXPECT_DOUBLE_EQ(def.bands[0].frame.top, 1);
    EXPECT_EQ(def.bands[1].kind, BandKind::SubDetail);
    EXPECT_EQ(def.bands[1].dataset, QStringLiteral("taKat"));

    const ReportElement *heading = def.element("QRLabel14");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->align, Qt::AlignHCenter);
    EXPECT_EQ(heading->font.size, 16);
    EXPECT_TRUE(heading->font.bold);
    EXPECT_FALSE(heading->font.italic);
    EXPECT_EQ(heading->font.family, QStringLiteral("Arial"));
    const ReportElement *rect = def.element("QRShape33");
    EXPECT_EQ(rect->shape, ShapeKind::Rect);
    EXPECT_DOUBLE_EQ(rect->pen, 6);
    const ReportElement *q = def.element("QRDBText4");
    EXPECT_EQ(q->kind, ElementKind::Field);
    EXPECT_EQ(q->field, QStringLiteral("Q25"));
    EXPECT_TRUE(q->autoSize);
    EXPECT_FALSE(q->autoStretch);
    EXPECT_EQ(q->align, Qt::AlignRight);
    EXPECT_EQ(q->font.size, 8); // default
    const ReportElement *memo = def.element("QRMemo1");
    EXPECT_EQ(memo->lines, (QStringList{"a", "b"}));
    EXPECT_DOUBLE_EQ(memo->frame.right, 1);
    EXPECT_EQ(memo->font.family, QStringLiteral("Arial"));
    const ReportElement *image = def.element("QRImage1");
    EXPECT_EQ(image->kind, ElementKind::Picture);
    EXPECT_TRUE(image->stretch);
    EXPECT_EQ(image->paint, 0);
    EXPECT_EQ(def.element("Nothing"), nullptr);
    EXPECT_NE(def.band("QRBand4"), nullptr);
    EXPECT_EQ(def.band("QRBand9"), nullptr);

    // Run-time changes go through the pointer.
    ReportDefinition copy = def;
    copy.element("QRDBText4")->field = "Q35";
    EXPECT_EQ(copy.band("QRSubDetail1")->elements[0].field, QStringLiteral("Q35"));
}

TEST(EngineDefinition, BadDefinitionsSayWhereAndWhat)
{
    EXPECT_NE(loadError("{ not json").find("test.json"), std::string::npos);
    const std::string kind = loadError(R"({"bands":[{"name":"B1","kind":"footer","height":10}]})");
    EXPECT_NE(kind.find("B1"), std::string::npos) << kind;
    EXPECT_NE(kind.find("footer"), std::string::npos) << kind;
    const std::string element =
        loadError(R"({"bands":[{"name":"B1","kind":"detail","elements":[{"name":"E7","kind":"label","left":"x"}]}]})");
    EXPECT_NE(element.find("E7"), std::string::npos) << element;
    EXPECT_NE(element.find("left"), std::string::npos) << element;
    EXPECT_NE(loadError(R"({"page":{"width":100,"margins":{"left":60,"right":60}}})").find("printable"),
              std::string::npos);
    EXPECT_NE(loadError(R"({"bands":[{"name":"B","kind":"detail","elements":[{"name":"E","align":"justify"}]}]})")
                  .find("justify"),
              std::string::npos);
    try {
        ReportDefinition::load("/no/such/definition.json");
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.message().contains("/no/such/definition.json"));
    }
}

TEST(EngineDataSet, TableFieldsPrintTheirDisplayTexts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rows.dbf");
    DbfTable::create(path, {{"NAME", 'C', 20}, {"QTY", 'N', 8, 3}, {"OK", 'L', 1}, {"DAY", 'D', 8}});
    DbfTable table;
    table.setTableName(path);
    table.open();
    table.append();
    table.setValue("NAME", QStringLiteral("Агрегат 1"));
    table.setValue("QTY", 12.5);
    table.setValue("OK", true);
    table.setValue("DAY", QDate(2024, 3, 7));
    table.post();
    table.append();
    table.setValue("NAME", QStringLiteral("Другий"));
    table.post();

    TableDataSet rows(table);
    const QString point = QLocale().decimalPoint();
    rows.first();
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.displayText("NAME"), QStringLiteral("Агрегат 1"));
    EXPECT_EQ(rows.displayText("QTY"), "12" + point + "5");
    EXPECT_EQ(rows.displayText("OK"), QStringLiteral("True"));
    EXPECT_EQ(rows.displayText("DAY"), QStringLiteral("07.03.2024"));
    rows.next();
    EXPECT_EQ(rows.displayText("NAME"), QStringLiteral("Другий"));
    EXPECT_EQ(rows.displayText("QTY"), QStringLiteral("0")); // empty number
    EXPECT_EQ(rows.displayText("OK"), QStringLiteral("False"));
    EXPECT_EQ(rows.displayText("DAY"), QString());
    rows.next();
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.displayText("NAME"), QStringLiteral("Другий")); // stays on the last row
    EXPECT_THROW(rows.displayText("NOPE"), DbfError);
    table.close();
}

TEST(EngineDataSet, NumbersInGeneralFormat)
{
    const QString p = QLocale().decimalPoint();
    EXPECT_EQ(TableDataSet::formatNumber(0), "0");
    EXPECT_EQ(TableDataSet::formatNumber(-0.0), "0");
    EXPECT_EQ(TableDataSet::formatNumber(3), "3");
    EXPECT_EQ(TableDataSet::formatNumber(1234567), "1234567");
    EXPECT_EQ(TableDataSet::formatNumber(-4.25), "-4" + p + "25");
    EXPECT_EQ(TableDataSet::formatNumber(0.1 + 0.2), "0" + p + "3");
    EXPECT_EQ(TableDataSet::formatNumber(73.44), "73" + p + "44");
    EXPECT_EQ(TableDataSet::formatNumber(2.0 / 3.0), "0" + p + "666666666666667");
}

TEST(EngineDataSet, EmptyTablePrintsEmptyFieldsNumbersIncluded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.dbf");
    DbfTable::create(path, {{"NAME", 'C', 20}, {"QTY", 'N', 8, 3}});
    DbfTable table;
    table.setTableName(path);
    table.open();
    TableDataSet rows(table);
    EXPECT_EQ(rows.displayText("QTY"), QString()); // before any walk too
    rows.first();
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.displayText("NAME"), QString());
    EXPECT_EQ(rows.displayText("QTY"), QString());
    table.close();
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.displayText("QTY"), QString());
}
