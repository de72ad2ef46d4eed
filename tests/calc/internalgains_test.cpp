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
    in.record.lightingPower = 5;
    in.record.lightingHours = 10;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.lighting, 0.05);
    EXPECT_EQ(b.gain(Gain::Lighting), 0.05);
    EXPECT_EQ(labelText(b, "QRLabel85"), "0.05");

    // Two workers, 8 h, at -10 °C: QP = 392 + (272 - 392) × 10 / 20 = 332 W.
    in.record.chamberTemperature = -10;
    in.record.workers = 2;
    in.record.lightingHours = 8;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.personHeat, 332);
    EXPECT_DOUBLE_EQ(b.details.personnel, 2.0 * 8 * 332 / 24 / 1000); // 0.2213
    EXPECT_EQ(b.gain(Gain::Personnel), 0.22);
    EXPECT_EQ(labelText(b, "QRLabel86"), "0.22");

    // Above the air table there is no person heat.
    in.record.chamberTemperature = 45;
    in.record.temperatureBeyondWall[0] = 45;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.personHeat, 0);
    EXPECT_EQ(b.gain(Gain::Personnel), 0.0);

    in.record.vehiclePower = 8;
    in.record.lightingHours = 6;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.vehicles, 1.0);
    EXPECT_EQ(b.gain(Gain::Vehicles), 1.0);
    EXPECT_EQ(labelText(b, "QRLabel87"), "1.00");

    clearBoxes(in, {6, 7, 8});
    b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Lighting), 0.0);
    EXPECT_EQ(b.gain(Gain::Vehicles), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel87"), "0.00");
    EXPECT_DOUBLE_EQ(b.details.vehicles, 1.0);
}

TEST(FansAndCapacity, StoragePreliminaryEstimate)
{
    // S8 = 10.00 from the vehicles alone (40 kW, 12 h), the other rows cleared.
    CalcInputs in = baseInputs();
    clearBoxes(in, {1, 2, 3, 4, 5, 6, 7});
    in.record.vehiclePower = 40;
    in.record.lightingHours = 12;
    in.record.runningHours = 16;
    in.record.safetyFactor = 1.1;
    in.record.fanAllowance = 10;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.gain(Gain::Vehicles), 10.0);
    EXPECT_DOUBLE_EQ(b.details.fanBase, 15);
    EXPECT_EQ(b.gain(Gain::Fans), 1.5);
    EXPECT_EQ(labelText(b, "QRLabel88"), "1.50");
    EXPECT_EQ(b.requiredCapacity, 18.0);
    EXPECT_EQ(b.sum, 11.5);
    EXPECT_EQ(labelText(b, "QRLabel98"), "18.00");
    EXPECT_EQ(b.label(LabelText::RequiredCapacity), "18.00");
    EXPECT_EQ(labelText(b, "QRLabel93"), "11.50");
}

TEST(FansAndCapacity, CoolingModeScalesTheRestToEighteenHours)
{
    // r4 = 5.00 (1000 kg × 3.6 × 5 K in 1 h), r9 = 1.00 (2 fans × 0.5 kW),
    // the other seven 6.00 (vehicles 12 kW × 24 h / 24 / 2).
    CalcInputs in = baseInputs();
    in.record.processingMode = QStringLiteral("Охлаждение");
    in.record.runningHours = 1;
    in.record.safetyFactor = 1.2;
    in.record.productTurnover = 1000;
    in.record.productEntryTemperature = 10;
    in.record.productFinalTemperature = 5;
    ProductRow p;
    p.TZAM = -2;
    p.CP1 = 3.6;
    in.product = p;
    in.record.vehiclePower = 12;
    in.record.lightingHours = 24;
    in.record.fansRefined = true;
    in.record.fanPower = 0.5;
    in.record.fanCount = 2;
    clearBoxes(in, {1, 2, 3, 5, 6, 7});
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.gain(Gain::Product), 5.0);
    EXPECT_EQ(b.gain(Gain::Vehicles), 6.0);
    EXPECT_EQ(b.gain(Gain::Fans), 1.0);
    EXPECT_EQ(b.requiredCapacity, 15.6);
    EXPECT_EQ(b.sum, 12.0);
    EXPECT_EQ(labelText(b, "QRLabel98"), "15.60");

    // The fan estimate in cooling mode is the plain S8.
    in.record.fansRefined = false;
    in.record.fanAllowance = 10;
    const HeatBalance c = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(c.details.fanBase, 11);
    EXPECT_EQ(c.gain(Gain::Fans), 1.1);
}

TEST(FansAndCapacity, StorageOverTheFullDayEqualsTheSum)
{
    CalcInputs in = baseInputs();
    in.record.ventilationRate = 5;
    in.record.lightingPower = 5;
    in.record.lightingHours = 10;
    in.record.workers = 3;
    in.record.vehiclePower = 7;
    in.record.fanAllowance = 20;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_GT(*b.sum, 1.0);
    EXPECT_EQ(b.requiredCapacity, b.sum);
}

TEST(FansAndCapacity, RatedPowerIgnoresTheOtherGains)
{
    CalcInputs in = baseInputs();
    in.record.vehiclePower = 40;
    in.record.lightingHours = 12;
    in.record.fansRefined = true;
    in.record.fanPower = 0.37;
    in.record.fanCount = 3;
    in.record.fanAllowance = 50;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.fans, 0.37 * 3);
    EXPECT_EQ(b.gain(Gain::Fans), 1.11);
    in.record.vehiclePower = 0;
    EXPECT_EQ(computeHeatBalance(in).gain(Gain::Fans), 1.11);
    in.include[8] = false;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Fans), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel88"), "0.00");
}

TEST(FansAndCapacity, ClearedRowsLeaveTheEstimateToo)
{
    CalcInputs in = baseInputs();
    in.record.surfaceArea = {60, 0, 0, 0, 0, 0};
    in.record.wallMaterialThickness[0] = 100;
    in.record.wallInsulationThickness[0] = 100;
    in.enclosures[0] = {0.5, 0.04}; // 60 / 2.85 × 50 K: about 1.05 kW
    in.record.vehiclePower = 40;
    in.record.lightingHours = 12;
    in.record.fanAllowance = 10;
    const HeatBalance with = computeHeatBalance(in);
    in.include[0] = false;
    const HeatBalance without = computeHeatBalance(in);
    const double r1 = *with.gain(Gain::Walls);
    EXPECT_GT(r1, 0.5);
    EXPECT_NEAR(with.details.fanBase - without.details.fanBase, r1, 1e-9);
    EXPECT_LT(*without.gain(Gain::Fans), *with.gain(Gain::Fans));
    EXPECT_LT(*without.requiredCapacity, *with.requiredCapacity);
}
