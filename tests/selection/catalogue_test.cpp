#include "selection/core/catalogueselection.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvor::test {
namespace {

QString fileFor(double t)
{
    const auto band = CatalogueSelection::bandFor(t);
    return band ? band->file : QStringLiteral("none");
}

TEST(CatalogueBandTest, EveryBoundaryPicksItsCatalogue)
{
    const std::pair<double, const char *> cases[] = {
        {30, "kat12.dbf"},  {11, "kat12.dbf"},  {10, "kat8.dbf"},   {7, "kat8.dbf"},    {6, "kat4.dbf"},
        {3, "kat4.dbf"},    {2, "kat0.dbf"},    {-2, "kat0.dbf"},   {-3, "kat-5.dbf"},  {-8, "kat-5.dbf"},
        {-9, "kat-12.dbf"}, {-14, "kat-12.dbf"}, {-15, "kat-18.dbf"}, {-21, "kat-18.dbf"}, {-22, "kat-25.dbf"},
        {-27, "kat-25.dbf"}, {-28, "kat-30.dbf"}, {-44, "kat-30.dbf"}, {31, "none"},      {-45, "none"},
        {900, "none"},      {-60, "none"},
        // The thresholds between whole degrees.
        {-2.5, "kat-5.dbf"}, {-2.4, "kat0.dbf"}, {-8.5, "kat-12.dbf"}, {-21.5, "kat-25.dbf"}, {-27.5, "kat-30.dbf"},
    };
    for (const auto &[t, file] : cases)
        EXPECT_EQ(fileFor(t), QString::fromLatin1(file)) << t;
    EXPECT_EQ(CatalogueSelection::bandFor(-15)->heading, QStringLiteral("-18"));
    EXPECT_EQ(CatalogueSelection::bandFor(30)->heading, QStringLiteral("+12"));
    EXPECT_EQ(CatalogueSelection::bandFor(0)->heading, QStringLiteral("0"));
}

TEST(CatalogueBandTest, OutdoorTemperaturePicksTheColumnAndOutsideTakesTheNearest)
{
    const std::pair<double, const char *> cases[] = {
        {0, "25"},  {27, "25"}, {27.4, "25"}, {27.5, "30"}, {28, "30"}, {32, "30"}, {33, "35"},
        {37, "35"}, {38, "40"}, {49, "40"},   {-1, "25"},   {-30, "25"}, {50, "40"}, {60, "40"},
    };
    for (const auto &[t, column] : cases)
        EXPECT_EQ(CatalogueSelection::columnFor(t), QString::fromLatin1(column)) << t;
}

SelectionInputs inputs(double required, int int1, int int2, int systems, double outdoor = 30,
                       const char *mode = "Хранение", double chamber = -18)
{
    SelectionInputs in;
    in.required = required;
    in.int1 = int1;
    in.int2 = int2;
    in.systems = systems;
    in.outdoorTemperature = outdoor;
    in.processingMode = QString::fromUtf8(mode);
    in.chamberTemperature = chamber;
    return in;
}

TEST(CatalogueFilterTest, WorkedExampleAndRounding)
{
    const CatalogueChoice c = CatalogueSelection::choose(inputs(12.5, 97, 150, 2));
    EXPECT_EQ(c.required, 12500);
    EXPECT_EQ(c.lower, QStringLiteral("6062")); // 6062.5 to even
    EXPECT_EQ(c.upper, QStringLiteral("9375"));
    EXPECT_EQ(c.column, QStringLiteral("30"));
    EXPECT_EQ(c.filter, QStringLiteral("Q30 >= 6062 and Q30 <= 9375"));

    EXPECT_EQ(CatalogueSelection::choose(inputs(9.05, 67, 150, 1)).lower, QStringLiteral("6064")); // 6063.5
    // Zero systems count as one; three divide the window before rounding.
    EXPECT_EQ(CatalogueSelection::choose(inputs(10, 95, 150, 0, 20)).filter,
              QStringLiteral("Q25 >= 9500 and Q25 <= 15000"));
    const CatalogueChoice three = CatalogueSelection::choose(inputs(10, 95, 150, 3, 40));
    EXPECT_EQ(three.lower, QStringLiteral("3167"));
    EXPECT_EQ(three.upper, QStringLiteral("5000"));
    EXPECT_EQ(three.filter, QStringLiteral("Q40 >= 3167 and Q40 <= 5000"));
    // Two decimals of the panel become whole tens of watts.
    EXPECT_EQ(CatalogueSelection::choose(inputs(12.57, 100, 100, 1)).required, 12570);
    EXPECT_EQ(CatalogueSelection::choose(inputs(0, 95, 150, 1)).filter, QStringLiteral("Q30 >= 0 and Q30 <= 0"));
}

TEST(CatalogueFilterTest, CoolingBelowEightDegreesAddsTheAirCoolerCondition)
{
    EXPECT_EQ(CatalogueSelection::choose(inputs(10, 100, 100, 1, 35, "Охлаждение", 7)).filter,
              QStringLiteral("Q35 >= 10000 and Q35 <= 10000 and T35 <= 7 and VO = 1"));
    EXPECT_EQ(CatalogueSelection::choose(inputs(10, 100, 100, 1, 35, "Охлаждение", 8)).filter,
              QStringLiteral("Q35 >= 10000 and Q35 <= 10000"));
    EXPECT_EQ(CatalogueSelection::choose(inputs(10, 100, 100, 1, 35, "Хранение", -20)).filter,
              QStringLiteral("Q35 >= 10000 and Q35 <= 10000"));
}

TEST(CatalogueFilterTest, PerCentFieldsTakeTheNumberTypedSoFarIntoRange)
{
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("1"), 100, 200), 100);
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("12"), 100, 200), 100);
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("120"), 100, 200), 120);
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("250"), 100, 200), 200);
    EXPECT_EQ(CatalogueSelection::rangeValue(QString(), 60, 100), 60);
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("-"), 60, 100), 60);
    EXPECT_EQ(CatalogueSelection::rangeValue(QStringLiteral("99999999999999999999"), 60, 100), 60);
}

TEST(CatalogueFilterTest, HalfToEvenSaturatesAtThirtyTwoBits)
{
    EXPECT_EQ(CatalogueSelection::roundHalfEven(2.5L), 2);
    EXPECT_EQ(CatalogueSelection::roundHalfEven(3.5L), 4);
    EXPECT_EQ(CatalogueSelection::roundHalfEven(-2.5L), -2);
    EXPECT_EQ(CatalogueSelection::roundHalfEven(1e12L), 2147483647);
    EXPECT_EQ(CatalogueSelection::roundHalfEven(-1e12L), -2147483647 - 1);
}

class CatalogueBuildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.setReadOnly(true);
        table.setFieldDefs(TableDefs::catalogueFieldDefs());
    }
    QString data = QStringLiteral(KVOR_DATA_DIR);
    DbfTable table;
    CatalogueSelection selection;
};

TEST_F(CatalogueBuildTest, ListsTheMatchingSystemsOfTheBand)
{
    // Every listed system must hold its capacity inside the window, and the
    // unfiltered catalogue must hold some outside it.
    SelectionInputs in = inputs(8, 95, 150, 1, 30, "Хранение", -18);
    ASSERT_EQ(selection.build(table, data, in), CatalogueSelection::Outcome::Listed);
    EXPECT_TRUE(table.active());
    EXPECT_TRUE(table.filtered());
    EXPECT_EQ(table.tableName(), QStringLiteral("kat-18.dbf"));
    EXPECT_EQ(selection.heading(), QStringLiteral("-18"));
    EXPECT_EQ(selection.ambientColumn(), QStringLiteral("30"));
    EXPECT_EQ(selection.visibleFields(),
              QStringList({"SIS", "AGR", "VOHL", "Q30", "T30", "PPOT", "IPOT", "NABOR", "SHKAF"}));
    EXPECT_TRUE(selection.message().isEmpty());
    int listed = 0;
    for (table.first(); !table.eof(); table.next(), ++listed) {
        const int q = table.fieldByName(QStringLiteral("Q30"))->asInteger();
        EXPECT_GE(q, 7600);
        EXPECT_LE(q, 12000);
    }
    EXPECT_GT(listed, 0);
    table.setFiltered(false);
    int all = 0;
    for (table.first(); !table.eof(); table.next())
        ++all;
    EXPECT_GT(all, listed);
}

TEST_F(CatalogueBuildTest, NoMatchAndNoBandLeaveAnEmptyList)
{
    ASSERT_EQ(selection.build(table, data, inputs(100000, 95, 150, 1, 30, "Хранение", 0)),
              CatalogueSelection::Outcome::NoMatch);
    EXPECT_TRUE(table.active());
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(selection.message(), QStringLiteral("Не має обладнання під такі характеристики.  Зв'яжіться з нами !"));

    // A chamber no catalogue covers lists nothing, not the catalogue of the build before.
    ASSERT_EQ(selection.build(table, data, inputs(8, 95, 150, 1, 30, "Хранение", 31)),
              CatalogueSelection::Outcome::NoBand);
    EXPECT_FALSE(table.active());
    EXPECT_TRUE(table.filter().isEmpty());
    EXPECT_FALSE(table.filtered());
    EXPECT_EQ(selection.message(), QStringLiteral("Для температури в камері 31 °С немає каталогу обладнання."));
    EXPECT_EQ(selection.heading(), QStringLiteral("0")); // kept from the build before
}

TEST_F(CatalogueBuildTest, FirstBuildStateAndMissingCatalogue)
{
    EXPECT_EQ(selection.catalogueFile(), QStringLiteral("kat-30.dbf"));
    EXPECT_EQ(selection.heading(), QStringLiteral("-25"));
    EXPECT_TRUE(selection.ambientColumn().isEmpty());
    EXPECT_TRUE(selection.fieldVisible(QStringLiteral("Q25")));
    EXPECT_TRUE(selection.fieldVisible(QStringLiteral("t25")));
    EXPECT_FALSE(selection.fieldVisible(QStringLiteral("Q30")));
    EXPECT_FALSE(selection.fieldVisible(QStringLiteral("ID_GRUP")));
    EXPECT_FALSE(selection.fieldVisible(QStringLiteral("VO")));

    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_THROW(selection.build(table, empty.path(), inputs(8, 95, 150, 1)), DbfError);
    EXPECT_FALSE(table.active());
}

TEST_F(CatalogueBuildTest, ResetSwitchesTheFilterOffEmptiesItAndCloses)
{
    ASSERT_EQ(selection.build(table, data, inputs(8, 95, 150, 1, 30, "Хранение", -18)),
              CatalogueSelection::Outcome::Listed);
    CatalogueSelection::reset(table);
    EXPECT_FALSE(table.active());
    EXPECT_FALSE(table.filtered());
    EXPECT_TRUE(table.filter().isEmpty());
    CatalogueSelection::reset(table); // closed: nothing to do
    EXPECT_FALSE(table.active());
}

} // namespace
} // namespace kvor::test
