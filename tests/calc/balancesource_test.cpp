// Gathering a run's inputs from the data module's tables, writing its record
// write back, and the record side of the input rules, over small tables made here.

#include "calc/balancesource.h"
#include "calc/recordrules.h"

#include "storage/dbftable.h"
#include "storage/referencetables.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace kvor;

namespace {

using Row = std::vector<QVariant>;

class SourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        make("s_mater.DBF", {{"M_NAIM", 'C', 20, 0}, {"M_KTP", 'N', 8, 3}},
             {{"Цегла", 0.7}, {"Сэндвич-панель ППУ", 0.5}, {"Бетон", 1.5}});
        make("s_izolm.DBF", {{"IZ_NAIM", 'C', 20, 0}, {"IZ_KTP", 'N', 8, 3}},
             {{"Мінвата", 0.05}, {"Пенополиуретан", 0.04}});
        make("products.DBF",
             {{"TIP", 'C', 15, 0}, {"NAIM", 'C', 20, 0}, {"TZAM", 'N', 6, 1}, {"CP1", 'N', 6, 2}, {"CP2", 'N', 6, 2},
              {"LSKR", 'N', 7, 1}, {"Q1", 'N', 8, 1}, {"Q2", 'N', 8, 1}, {"Q3", 'N', 8, 1}},
             {{"Мясне", "Говядина", -1.2, 3.2, 1.8, 230, 0, 0, 0},
              {"Мясне", "Куры", -2, 3.3, 1.8, 247, 0, 0, 0},
              {"Овочi", "Капуста", -0.9, 3.9, 1.9, 290, 10, 15, 25}});
        make("s_tara.DBF", {{"NAIM", 'C', 20, 0}, {"SP", 'N', 6, 2}}, {{"Дерево", 2.5}, {"Картон", 1.5}});
        make("s_int.DBF",
             {{"TEMVOZD", 'N', 4, 0}, {"VL50", 'N', 8, 2}, {"VL85", 'N', 8, 2}, {"VL90", 'N', 8, 2}, {"QP", 'N', 6, 0}},
             {{-20, -19.3, -18.8, -18.7, 392}, {0, 4.7, 8.0, 8.5, 272}, {30, 64.2, 88.9, 92.5, 120}});

        for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taProd, &dm.taTara, &dm.taInt}) {
            t->setDatabaseName(m_dir.path());
            t->open();
        }

        const QString work = m_dir.filePath("calc.kvor");
        DbfTable::create(work, TableDefs::workFileColumns());
        {
            DbfTable t;
            t.setTableName(work);
            t.open();
            t.append();
            t.setValue("OB_TERMR", "Хранение");
            t.setValue("OB_KAMDL", 6.0);
            t.setValue("OB_KAMSH", 4.0);
            t.setValue("OB_KAMVS", 3.0);
            t.setValue("OB_TEMKAM", -18);
            t.setValue("TE_PTIP", "Куры");
            t.setValue("TE_TTIP", "картон");
            for (int i = 1; i <= 6; ++i) {
                t.setValue(QStringLiteral("ST_M%1").arg(i), "Цегла");
                t.setValue(QStringLiteral("ST_IZ%1").arg(i), "Мінвата");
            }
            t.post();
        }
        dm.taWork.setTableName(work);
        dm.taWork.open();
        dm.taProd.first();
    }

    void make(const char *name, const std::vector<DbfColumn> &columns, const std::vector<Row> &rows)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        DbfTable::create(path, columns);
        DbfTable t;
        t.setTableName(path);
        t.open();
        for (const Row &r : rows) {
            t.append();
            for (size_t i = 0; i < r.size(); ++i)
                t.setValue(columns[i].name, r[i]);
            t.post();
        }
    }

    void setWork(const std::function<void(DbfTable &)> &change)
    {
        dm.taWork.edit();
        change(dm.taWork);
        dm.taWork.post();
    }

    CalcInputs gather(const std::array<bool, 9> &include = {true, true, true, true, true, true, true, true, true})
    {
        return BalanceSource::gather(dm, include);
    }

    QTemporaryDir m_dir;
    ReferenceTables dm;
};

TEST_F(SourceTest, ReadsTheRecordWithItsCalculatedFieldsAndTheBoxes)
{
    const CalcInputs in = gather({true, false, true, true, true, true, true, true, false});
    EXPECT_EQ(in.record.processingMode, "Хранение");
    EXPECT_EQ(in.record.chamberTemperature, -18);
    EXPECT_DOUBLE_EQ(in.record.chamberVolume, 72.0);
    EXPECT_DOUBLE_EQ(in.record.surfaceArea[0], 12.0) << "width × height";
    EXPECT_DOUBLE_EQ(in.record.surfaceArea[1], 18.0) << "length × height";
    EXPECT_DOUBLE_EQ(in.record.surfaceArea[5], 24.0) << "width × length";
    EXPECT_FALSE(in.include[1]);
    EXPECT_FALSE(in.include[8]);
    EXPECT_TRUE(in.include[0]);
    EXPECT_EQ(in.ventilationRateDecimals, dm.taWork.fieldByName("VN_KR")->decimals());
    EXPECT_EQ(in.goodsItems, CalcInputs::defaultGoodsItems());
}

TEST_F(SourceTest, EnclosuresTakeTheConductivitiesFoundByName)
{
    setWork([](DbfTable &w) {
        w.setValue("ST_M2", "сэндвич-ПАНЕЛЬ ппу"); // case does not matter
        w.setValue("ST_IZ2", "ПЕНОПОЛИУРЕТАН");
        w.setValue("ST_M3", "Граніт");              // no such material: insulation not looked for
        w.setValue("ST_IZ3", "Пенополиуретан");
        w.setValue("ST_IZ4", "Пінопласт");          // no such insulation
        w.setValue("ST_M5", QString());             // nothing chosen
        w.setValue("ST_M6", "Бетон");
        w.setValue("ST_IZ6", QString());
    });
    const CalcInputs in = gather();
    EXPECT_EQ(in.enclosures[0].material, 0.7);
    EXPECT_EQ(in.enclosures[0].insulation, 0.05);
    EXPECT_EQ(in.enclosures[1].material, 0.5);
    EXPECT_EQ(in.enclosures[1].insulation, 0.04);
    EXPECT_FALSE(in.enclosures[2].material.has_value());
    EXPECT_FALSE(in.enclosures[2].insulation.has_value());
    EXPECT_EQ(in.enclosures[3].material, 0.7);
    EXPECT_FALSE(in.enclosures[3].insulation.has_value());
    EXPECT_FALSE(in.enclosures[4].material.has_value());
    EXPECT_EQ(in.enclosures[5].material, 1.5);
    EXPECT_FALSE(in.enclosures[5].insulation.has_value()) << "an empty name matches no row";
    // The searches leave the tables on the last row found, as the program's do.
    EXPECT_EQ(dm.taMater.value("M_NAIM").toString(), "Бетон");
    EXPECT_EQ(dm.taIzolm.value("IZ_NAIM").toString(), "Пенополиуретан") << "a failed search does not move";
}

TEST_F(SourceTest, TheProductIsWhereverTheProductsTableStands)
{
    ASSERT_TRUE(dm.taProd.locate("NAIM", "Капуста"));
    CalcInputs in = gather();
    ASSERT_TRUE(in.product.has_value());
    EXPECT_EQ(in.product->NAIM, "Капуста") << "not TE_PTIP: the input rules keep the table on it";
    EXPECT_DOUBLE_EQ(in.product->TZAM, -0.9);
    EXPECT_DOUBLE_EQ(in.product->CP1, 3.9);
    EXPECT_DOUBLE_EQ(in.product->CP2, 1.9);
    EXPECT_DOUBLE_EQ(in.product->LSKR, 290);
    EXPECT_DOUBLE_EQ(in.product->Q1, 10);
    EXPECT_DOUBLE_EQ(in.product->Q2, 15);
    EXPECT_DOUBLE_EQ(in.product->Q3, 25);

    dm.taProd.setFilter("TIP='Рыба'");
    dm.taProd.setFiltered(true);
    dm.taProd.first();
    EXPECT_FALSE(gather().product.has_value()) << "filtered to nothing";

    dm.taProd.setFiltered(false);
    dm.taProd.last();
    dm.taProd.next();
    ASSERT_TRUE(dm.taProd.eof());
    EXPECT_FALSE(gather().product.has_value()) << "positioned past its end";
}

TEST_F(SourceTest, PackagingIsFoundByTheRecordsName)
{
    CalcInputs in = gather();
    ASSERT_TRUE(in.packaging.has_value());
    EXPECT_EQ(in.packaging->NAIM, "Картон");
    EXPECT_DOUBLE_EQ(in.packaging->SP, 1.5);
    setWork([](DbfTable &w) { w.setValue("TE_TTIP", "Пластик"); });
    EXPECT_FALSE(gather().packaging.has_value());
}

TEST_F(SourceTest, TheAirTableIsReadInStoredOrder)
{
    const AirTable air = gather().airTable;
    EXPECT_EQ(air.columns(), (QStringList{"VL50", "VL85", "VL90"}));
    EXPECT_TRUE(air.hasPersonHeat());
    ASSERT_EQ(air.rows().size(), 3u);
    EXPECT_DOUBLE_EQ(air.rows()[0].temperature, -20);
    EXPECT_EQ(air.rows()[1].values, (std::vector<double>{4.7, 8.0, 8.5}));
    EXPECT_DOUBLE_EQ(air.rows()[2].personHeat, 120);
    EXPECT_DOUBLE_EQ(InterpolateAirTable(air, 15, 90, true).value, 8.5 + (92.5 - 8.5) / 2);

    // Without QP the table still answers enthalpies; the engine reports the gap.
    const QString path = m_dir.filePath("noqp.DBF");
    DbfTable::create(path, {{"TEMVOZD", 'N', 4, 0}, {"VL85", 'N', 8, 2}});
    DbfTable t;
    t.setTableName(path);
    t.open();
    EXPECT_FALSE(BalanceSource::readAirTable(t).hasPersonHeat());
    EXPECT_TRUE(BalanceSource::readAirTable(t).rows().empty());
}

TEST_F(SourceTest, TheVentilationRateGoesBackIntoTheRecordInEditState)
{
    setWork([](DbfTable &w) {
        w.setValue("OB_KAMDL", 10.0);
        w.setValue("OB_KAMSH", 5.0);
        w.setValue("OB_KAMVS", 2.0);
        w.setValue("VN_FLAG", false);
        w.setValue("VN_KR", 1.0);
    });
    const HeatBalance b = computeHeatBalance(gather());
    ASSERT_EQ(b.ventilationRateToStore, 7.0);
    QStringList shown;
    QString error;
    ASSERT_TRUE(BalanceSource::apply(dm, b, [&](const CalcOutput &o) { shown << o.name; }, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Edit) << "posted later by the file commands";
    EXPECT_DOUBLE_EQ(dm.taWork.value("VN_KR").toDouble(), 7.0);
    EXPECT_FALSE(shown.contains("VN_KR"));
    EXPECT_EQ(shown.first(), "CurrencyEdit1");
    EXPECT_EQ(shown.size(), qsizetype(ResultBindings::writes(b).size() - 1)) << "everything else, in the run's order";

    // An entered rate is left alone.
    setWork([](DbfTable &w) {
        w.setValue("VN_FLAG", true);
        w.setValue("VN_KR", 3.5);
    });
    ASSERT_TRUE(BalanceSource::apply(dm, computeHeatBalance(gather()), nullptr, &error));
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Browse);
    EXPECT_DOUBLE_EQ(dm.taWork.value("VN_KR").toDouble(), 3.5);
}

TEST_F(SourceTest, CategoryRuleFiltersAndKeepsTheProduct)
{
    RecordRules::productCategory(dm, "Мясне");
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Куры");
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Browse);
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Куры");
    EXPECT_EQ(dm.taProd.filter(), "TIP='Мясне'");
    EXPECT_TRUE(dm.taProd.filtered());

    // The product is looked up among the category's products: one of another
    // category gives way to the category's first.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Капуста"); });
    RecordRules::productCategory(dm, "Мясне");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина");
    EXPECT_EQ(gather().product->NAIM, "Говядина");

    // An unknown product gives way to the category's first one, posted.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    RecordRules::productCategory(dm, "Овочi");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Капуста");
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Капуста");
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Browse) << "posted";

    // A category with no products leaves the record without a product and the
    // products table without a current row.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    RecordRules::productCategory(dm, "Рыба");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "");
    EXPECT_FALSE(gather().product.has_value());
    RecordRules::productCategory(dm, "Мясне");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина") << "the category's first product";
}

TEST_F(SourceTest, ProductCheckLeavesTheRecordInEditState)
{
    dm.taProd.last();
    ASSERT_TRUE(RecordRules::productConsistency(dm));
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Куры");
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Edit);
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    ASSERT_TRUE(RecordRules::productConsistency(dm));
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина");
    dm.taWork.close();
    EXPECT_FALSE(RecordRules::productConsistency(dm));
}

TEST_F(SourceTest, RecommendedLightingAndModeReachTheRecord)
{
    setWork([](DbfTable &w) {
        w.setValue("OS_REC", false);
        w.setValue("OS_POW", 12);
    });
    RecordRules::checkBoxes(dm);
    EXPECT_EQ(dm.taWork.value("OS_POW").toInt(), 12);
    setWork([](DbfTable &w) { w.setValue("OS_REC", true); });
    RecordRules::checkBoxes(dm);
    EXPECT_EQ(dm.taWork.value("OS_POW").toInt(), 5);
    EXPECT_EQ(gather().record.lightingPower, 5);

    RecordRules::processingMode(dm, 1);
    EXPECT_EQ(dm.taWork.value("OB_TERMR").toString(), "Охлаждение");
    RecordRules::processingMode(dm, 0);
    EXPECT_EQ(dm.taWork.value("OB_TERMR").toString(), "Хранение");
}

} // namespace
