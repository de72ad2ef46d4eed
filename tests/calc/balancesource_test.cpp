// Gathering a run's inputs from the reference tables and writing its record
// write back, over small tables made here.

#include "sourcefixture.h"

using namespace kvor;

namespace {

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

TEST_F(SourceTest, SurfacesOfTheSameMaterialEachTakeItsConductivity)
{
    setWork([](DbfTable &w) {
        for (int s = 1; s <= 5; ++s) {
            w.setValue(QStringLiteral("ST_M%1").arg(s), "Бетон");
            w.setValue(QStringLiteral("ST_IZ%1").arg(s), s == 3 ? "Пінопласт" : "Пенополиуретан");
        }
        w.setValue("ST_M6", "Граніт");
        w.setValue("ST_IZ6", "Пенополиуретан");
    });
    for (int run = 0; run < 2; ++run) {
        const CalcInputs in = gather();
        for (size_t s = 0; s < 5; ++s) {
            EXPECT_EQ(in.enclosures[s].material, 1.5) << s;
            if (s == 2)
                EXPECT_FALSE(in.enclosures[s].insulation.has_value());
            else
                EXPECT_EQ(in.enclosures[s].insulation, 0.04) << s;
        }
        EXPECT_FALSE(in.enclosures[5].material.has_value());
        EXPECT_FALSE(in.enclosures[5].insulation.has_value());
        EXPECT_EQ(dm.taMater.value("M_NAIM").toString(), "Бетон");
        EXPECT_EQ(dm.taIzolm.value("IZ_NAIM").toString(), "Пенополиуретан");
    }
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

TEST_F(SourceTest, TheAirTableIsReadAfreshWhenItsRecordsDiffer)
{
    // Read twice unchanged, then a number changed and a row added: every
    // reading is what the file holds then.
    const QString path = m_dir.filePath("air.DBF");
    DbfTable::create(path, {{"TEMVOZD", 'N', 4, 0}, {"VL85", 'N', 8, 2}, {"QP", 'N', 6, 0}});
    DbfTable t;
    t.setTableName(path);
    t.open();
    auto row = [&](double temperature, double vl85) {
        t.append();
        t.setValue("TEMVOZD", temperature);
        t.setValue("VL85", vl85);
        t.setValue("QP", 100);
        t.post();
    };
    row(-10, 1.5);
    EXPECT_EQ(BalanceSource::readAirTable(t).rows()[0].values, std::vector<double>{1.5});
    EXPECT_EQ(BalanceSource::readAirTable(t).rows()[0].values, std::vector<double>{1.5});
    t.first();
    t.edit();
    t.setValue("VL85", 2.25);
    t.post();
    EXPECT_EQ(BalanceSource::readAirTable(t).rows()[0].values, std::vector<double>{2.25});
    row(0, 3.5);
    const AirTable air = BalanceSource::readAirTable(t);
    ASSERT_EQ(air.rows().size(), 2u);
    EXPECT_EQ(air.rows()[1].values, std::vector<double>{3.5});
    // Another table of the same bytes but a column less is not taken for it.
    const QString other = m_dir.filePath("air2.DBF");
    DbfTable::create(other, {{"TEMVOZD", 'N', 4, 0}, {"VL85", 'N', 8, 2}});
    DbfTable u;
    u.setTableName(other);
    u.open();
    EXPECT_TRUE(BalanceSource::readAirTable(u).rows().empty());
    EXPECT_FALSE(BalanceSource::readAirTable(u).hasPersonHeat());
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

} // namespace
