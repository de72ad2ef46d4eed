#include "calcfixture.h"

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

// Only wall А counts: 10 m², 100 mm at 0.5 and 100 mm at 0.04 W/(m·K), 20 K
// warmer outside.
CalcInputs oneWall()
{
    CalcInputs in = baseInputs();
    in.record.surfaceArea = {10, 0, 0, 0, 0, 0};
    in.record.wallMaterial[0] = QStringLiteral("Бетон");
    in.record.wallInsulation[0] = QStringLiteral("Пенополистирол");
    in.record.wallMaterialThickness[0] = 100;
    in.record.wallInsulationThickness[0] = 100;
    in.record.temperatureBeyondWall[0] = in.record.chamberTemperature + 20;
    in.enclosures[0] = {0.5, 0.04};
    return in;
}

} // namespace

TEST(Walls, WorkedEnclosure)
{
    const HeatBalance b = computeHeatBalance(oneWall());
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_NEAR(b.details.enclosureResistance[0], 2.8507764, 1e-7);
    EXPECT_NEAR(b.details.enclosureGain[0], 70.156, 5e-4);
    EXPECT_EQ(labelText(b, "QRLabel70"), "0.07");
    EXPECT_EQ(b.gain(Gain::Walls), 0.07);
    EXPECT_EQ(labelText(b, "QRLabel76"), "0.07");
    for (const char *name : {"QRLabel71", "QRLabel72", "QRLabel73", "QRLabel74", "QRLabel75"})
        EXPECT_EQ(labelText(b, name), "0.00") << name;
}

TEST(Walls, SurfaceTermsAloneWithZeroThicknesses)
{
    CalcInputs in = oneWall();
    in.record.wallMaterialThickness[0] = 0;
    in.record.wallInsulationThickness[0] = 0;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_NEAR(b.details.enclosureResistance[0], 1 / 22.7 + 1 / 9.37, 1e-15);
    EXPECT_NEAR(b.details.enclosureResistance[0], 0.1507764, 1e-7);
    EXPECT_NEAR(b.details.enclosureGain[0], 10 / 0.15077644934 * 20, 1e-6); // 1326.47 W
    EXPECT_EQ(labelText(b, "QRLabel70"), "1.33");
}

TEST(Walls, NoDifferenceOrNoAreaContributesNothing)
{
    CalcInputs in = oneWall();
    in.record.temperatureBeyondWall[0] = in.record.chamberTemperature;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.enclosureGain[0], 0);
    EXPECT_EQ(b.gain(Gain::Walls), 0.0);

    in = oneWall();
    in.record.surfaceArea[0] = 0; // a chamber dimension of 0
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.enclosureGain[0], 0);
    EXPECT_EQ(labelText(b, "QRLabel70"), "0.00");
}

TEST(Walls, NamesNotInTheirTablesContributeNothing)
{
    CalcInputs in = oneWall();
    in.enclosures[0].material.reset(); // the insulation is then not looked at
    HeatBalance b = computeHeatBalance(in);
    EXPECT_TRUE(b.completed());
    EXPECT_EQ(b.details.enclosureGain[0], 0);
    EXPECT_EQ(labelText(b, "QRLabel70"), "0.00");

    in = oneWall();
    in.enclosures[0].insulation.reset();
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.enclosureGain[0], 0);
    EXPECT_EQ(b.gain(Gain::Walls), 0.0);

    // A missing material with a zero insulation conductivity is not reached.
    in = oneWall();
    in.enclosures[0] = {std::nullopt, 0.0};
    b = computeHeatBalance(in);
    EXPECT_TRUE(b.completed());
}

TEST(Walls, SixEnclosuresInOrderWithTheirSigns)
{
    CalcInputs in = baseInputs(); // chamber -20 °C, 6 x 4 x 3 m
    for (size_t i = 0; i < 6; ++i) {
        in.enclosures[i] = {1.0, 0.05};
        in.record.wallMaterialThickness[i] = 100;  // R = 0.0440529 + 0.1 + 2.0 + 0.1067236 = 2.2507764
        in.record.wallInsulationThickness[i] = 100;
    }
    in.record.temperatureBeyondWall = {30, 10, -20, -30, 30, 0};
    const HeatBalance b = computeHeatBalance(in);
    const double r = 1 / 22.7 + 0.1 + 2.0 + 1 / 9.37;
    const double expected[6] = {12 / r * 50, 18 / r * 30, 0, 18 / r * -10, 24 / r * 50, 24 / r * 20};
    double sum = 0;
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(b.details.enclosureGain[i], expected[i]) << i;
        sum += expected[i];
    }
    // 266.57, 239.92, 0, -79.97, 533.15, 213.26 W
    EXPECT_EQ(labelText(b, "QRLabel70"), "0.27");
    EXPECT_EQ(labelText(b, "QRLabel71"), "0.24");
    EXPECT_EQ(labelText(b, "QRLabel72"), "0.00");
    EXPECT_EQ(labelText(b, "QRLabel73"), "-0.08");
    EXPECT_EQ(labelText(b, "QRLabel74"), "0.53");
    EXPECT_EQ(labelText(b, "QRLabel75"), "0.21");
    EXPECT_DOUBLE_EQ(b.details.walls, sum / 1000);
    EXPECT_EQ(b.gain(Gain::Walls), 1.17);
    EXPECT_EQ(labelText(b, "QRLabel76"), "1.17");
}

TEST(Walls, ClearedBoxZeroesTheRowButNotTheEnclosureLabels)
{
    CalcInputs in = oneWall();
    in.include[0] = false;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Walls), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel76"), "0.00");
    EXPECT_EQ(labelText(b, "QRLabel70"), "0.07");
}

TEST(Walls, ZeroConductivityStopsTheRun)
{
    CalcInputs in = oneWall();
    in.enclosures[0].material = 0.0;
    HeatBalance b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Walls);
    EXPECT_TRUE(b.error.contains(QStringLiteral("«Бетон»"))) << qPrintable(b.error);
    EXPECT_TRUE(b.error.contains(QStringLiteral("стіна А"))) << qPrintable(b.error);
    EXPECT_TRUE(b.error.contains(QStringLiteral("дорівнює нулю"))) << qPrintable(b.error);
    EXPECT_TRUE(ResultBindings::writes(b).empty());

    // 0 mm over 0 W/(m·K) is 0/0: undefined as well.
    in.record.wallMaterialThickness[0] = 0;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.stoppedAt, CalcStep::Walls);

    in = oneWall();
    in.record.surfaceArea = {0, 0, 0, 0, 0, 10};
    in.record.wallMaterial[5] = QStringLiteral("Бетон");
    in.record.wallInsulation[5] = QStringLiteral("Мiнвата");
    in.enclosures[5] = {1.86, 0.0};
    b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Walls);
    EXPECT_TRUE(b.error.contains(QStringLiteral("ізоляції «Мiнвата» (підлога)"))) << qPrintable(b.error);
}
