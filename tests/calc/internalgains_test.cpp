#include "calcfixture.h"

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

void clearBoxes(CalcInputs &in, std::initializer_list<int> rows)
{
    for (int row : rows)
        in.include[size_t(row - 1)] = false;
}

} // namespace

TEST(InternalGains, LightingPersonnelVehicles)
{
    CalcInputs in = baseInputs(); // 6 m x 4 m
    in.record.OS_POW = 5;
    in.record.OS_TIME = 10;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.lighting, 0.05);
    EXPECT_EQ(b.row(6), 0.05);
    EXPECT_EQ(labelText(b, "QRLabel85"), "0.05");

    // Two workers, 8 h, at -10 °C: QP = 392 + (272 - 392) × 10 / 20 = 332 W.
    in.record.OB_TEMKAM = -10;
    in.record.PER_KOL = 2;
    in.record.OS_TIME = 8;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.personHeat, 332);
    EXPECT_DOUBLE_EQ(b.details.personnel, 2.0 * 8 * 332 / 24 / 1000); // 0.2213
    EXPECT_EQ(b.row(7), 0.22);
    EXPECT_EQ(labelText(b, "QRLabel86"), "0.22");

    // Above the air table there is no person heat.
    in.record.OB_TEMKAM = 45;
    in.record.ST_TEM[0] = 45;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.personHeat, 0);
    EXPECT_EQ(b.row(7), 0.0);

    in.record.TRS_POW = 8;
    in.record.OS_TIME = 6;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.vehicles, 1.0);
    EXPECT_EQ(b.row(8), 1.0);
    EXPECT_EQ(labelText(b, "QRLabel87"), "1.00");

    clearBoxes(in, {6, 7, 8});
    b = computeHeatBalance(in);
    EXPECT_EQ(b.row(6), 0.0);
    EXPECT_EQ(b.row(8), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel87"), "0.00");
    EXPECT_DOUBLE_EQ(b.details.vehicles, 1.0);
}

TEST(FansAndCapacity, StoragePreliminaryEstimate)
{
    // S8 = 10.00 from the vehicles alone (40 kW, 12 h), the other rows cleared.
    CalcInputs in = baseInputs();
    clearBoxes(in, {1, 2, 3, 4, 5, 6, 7});
    in.record.TRS_POW = 40;
    in.record.OS_TIME = 12;
    in.record.OB_TIMEWRK = 16;
    in.record.OB_KZAPAS = 1.1;
    in.record.VO_PROC = 10;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.row(8), 10.0);
    EXPECT_DOUBLE_EQ(b.details.fanBase, 15);
    EXPECT_EQ(b.row(9), 1.5);
    EXPECT_EQ(labelText(b, "QRLabel88"), "1.50");
    EXPECT_EQ(b.required(), 18.0);
    EXPECT_EQ(b.sum(), 11.5);
    EXPECT_EQ(labelText(b, "QRLabel98"), "18.00");
    EXPECT_EQ(b.label(QStringLiteral("QRLabel98"), OutputTarget::EquipmentListReport), "18.00");
    EXPECT_EQ(labelText(b, "QRLabel93"), "11.50");
}

TEST(FansAndCapacity, CoolingModeScalesTheRestToEighteenHours)
{
    // r4 = 5.00 (1000 kg × 3.6 × 5 K in 1 h), r9 = 1.00 (2 fans × 0.5 kW),
    // the other seven 6.00 (vehicles 12 kW × 24 h / 24 / 2).
    CalcInputs in = baseInputs();
    in.record.OB_TERMR = QStringLiteral("Охлаждение");
    in.record.OB_TIMEWRK = 1;
    in.record.OB_KZAPAS = 1.2;
    in.record.TE_POBOR = 1000;
    in.record.TE_PT0 = 10;
    in.record.TE_PT1 = 5;
    ProductRow p;
    p.TZAM = -2;
    p.CP1 = 3.6;
    in.product = p;
    in.record.TRS_POW = 12;
    in.record.OS_TIME = 24;
    in.record.VO_UTOCH = true;
    in.record.VO_POW = 0.5;
    in.record.VO_KOLVO = 2;
    clearBoxes(in, {1, 2, 3, 5, 6, 7});
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.row(4), 5.0);
    EXPECT_EQ(b.row(8), 6.0);
    EXPECT_EQ(b.row(9), 1.0);
    EXPECT_EQ(b.required(), 15.6);
    EXPECT_EQ(b.sum(), 12.0);
    EXPECT_EQ(labelText(b, "QRLabel98"), "15.60");

    // The fan estimate in cooling mode is the plain S8.
    in.record.VO_UTOCH = false;
    in.record.VO_PROC = 10;
    const HeatBalance c = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(c.details.fanBase, 11);
    EXPECT_EQ(c.row(9), 1.1);
}

TEST(FansAndCapacity, StorageOverTheFullDayEqualsTheSum)
{
    CalcInputs in = baseInputs();
    in.record.VN_KR = 5;
    in.record.OS_POW = 5;
    in.record.OS_TIME = 10;
    in.record.PER_KOL = 3;
    in.record.TRS_POW = 7;
    in.record.VO_PROC = 20;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_GT(*b.sum(), 1.0);
    EXPECT_EQ(b.required(), b.sum());
}

TEST(FansAndCapacity, RatedPowerIgnoresTheOtherGains)
{
    CalcInputs in = baseInputs();
    in.record.TRS_POW = 40;
    in.record.OS_TIME = 12;
    in.record.VO_UTOCH = true;
    in.record.VO_POW = 0.37;
    in.record.VO_KOLVO = 3;
    in.record.VO_PROC = 50;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.fans, 0.37 * 3);
    EXPECT_EQ(b.row(9), 1.11);
    in.record.TRS_POW = 0;
    EXPECT_EQ(computeHeatBalance(in).row(9), 1.11);
    in.include[8] = false;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.row(9), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel88"), "0.00");
}

TEST(FansAndCapacity, ClearedRowsLeaveTheEstimateToo)
{
    CalcInputs in = baseInputs();
    in.record.ob_s = {60, 0, 0, 0, 0, 0};
    in.record.ST_MT[0] = 100;
    in.record.ST_IZT[0] = 100;
    in.enclosures[0] = {0.5, 0.04}; // 60 / 2.85 × 50 K: about 1.05 kW
    in.record.TRS_POW = 40;
    in.record.OS_TIME = 12;
    in.record.VO_PROC = 10;
    const HeatBalance with = computeHeatBalance(in);
    in.include[0] = false;
    const HeatBalance without = computeHeatBalance(in);
    const double r1 = *with.row(1);
    EXPECT_GT(r1, 0.5);
    EXPECT_NEAR(with.details.fanBase - without.details.fanBase, r1, 1e-9);
    EXPECT_LT(*without.row(9), *with.row(9));
    EXPECT_LT(*without.required(), *with.required());
}
