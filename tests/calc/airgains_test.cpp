#include "calcfixture.h"

#include "calc/rounding.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

// The worked figures are given as leading digits ("0.95527…").
::testing::AssertionResult leadsWith(double value, double digits, double lastPlace)
{
    if (value >= digits && value < digits + lastPlace)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << value << " does not begin with " << digits;
}

} // namespace

TEST(AirDensity, RoundedToFourDecimals)
{
    EXPECT_EQ(airDensity(-20), 1.3952);
    EXPECT_EQ(airDensity(0), 1.293);
    EXPECT_EQ(airDensity(30), 1.165);
    EXPECT_EQ(airDensity(-18), 1.3842); // 1.38422…
    EXPECT_EQ(airDensity(2), 1.2836);   // 1.28360…
}

TEST(Ventilation, ComputedRateIsWrittenBackAndUsed)
{
    CalcInputs in = baseInputs();
    in.record.ventilationRateEntered = false;
    in.record.ventilationRate = 3; // replaced
    in.record.chamberVolume = 100;
    in.record.chamberTemperature = 0;
    in.record.temperatureBeyondWall[0] = 30;
    HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.ventilationRateToStore, 7.0);
    EXPECT_EQ(b.ventilationRate, 7.0);
    EXPECT_EQ(labelText(b, "QRLabel77"), "7.00");
    // G = 100 × 7 × 1.293 / 86400; h_out = VL50(30 °C) = 64.2, h_in = VL90(0 °C) = 8.5.
    EXPECT_DOUBLE_EQ(b.details.airMassFlow, 100 * 7 * 1.293 / 86400);
    EXPECT_DOUBLE_EQ(b.details.outdoorEnthalpy, 64.2);
    EXPECT_DOUBLE_EQ(b.details.chamberEnthalpy, 8.5);
    EXPECT_NEAR(b.details.ventilation, 0.583496, 1e-6);
    EXPECT_EQ(b.gain(Gain::Ventilation), 0.58);
    EXPECT_EQ(labelText(b, "QRLabel78"), "0.58");

    // 50 m³: 9.899…, read back as the record's column keeps it.
    in.record.chamberVolume = 50;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(*b.ventilationRateToStore, 9.899494936611665);
    EXPECT_DOUBLE_EQ(*b.ventilationRate, 9.899494936611665);
    in.ventilationRateDecimals = 8;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(*b.ventilationRateToStore, 9.899494936611665);
    EXPECT_EQ(b.ventilationRate, 9.89949494);
    in.ventilationRateDecimals = 2;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.ventilationRate, 9.9);
    EXPECT_DOUBLE_EQ(b.details.airMassFlow, 50 * 9.9 * 1.293 / 86400);
    EXPECT_EQ(labelText(b, "QRLabel77"), "9.90");
}

TEST(Ventilation, EnteredRateIsKept)
{
    CalcInputs in = baseInputs();
    in.record.ventilationRateEntered = true;
    in.record.ventilationRate = 4.5;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_FALSE(b.ventilationRateToStore.has_value());
    EXPECT_FALSE(wrote(b, OutputTarget::Record, QStringLiteral("VN_KR")));
    EXPECT_EQ(b.ventilationRate, 4.5);
    EXPECT_EQ(labelText(b, "QRLabel77"), "4.50");
    EXPECT_DOUBLE_EQ(b.details.airMassFlow, 72 * 4.5 * 1.3952 / 86400);
}

TEST(Ventilation, NoVolumeNoVentilation)
{
    CalcInputs in = baseInputs();
    in.record.ventilationRateEntered = false;
    in.record.ventilationRate = 5;
    in.record.chamberVolume = 0;
    in.record.outdoorHumidity = 80; // class 80, but the step is skipped
    HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_FALSE(b.ventilationRateToStore.has_value());
    EXPECT_EQ(b.gain(Gain::Ventilation), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel77"), "0.00");
    EXPECT_EQ(b.ventilationRate, 0.0);
    EXPECT_EQ(b.details.humidityClass, 0);
    // The door then takes outside air at humidity class 50, and the chamber air
    // is still looked up: VL50(30 °C) - VL90(-20 °C).
    EXPECT_DOUBLE_EQ(b.details.doorAirEnthalpy, 64.2);
    EXPECT_DOUBLE_EQ(b.details.chamberEnthalpy, -18.7);

    in.record.chamberVolume = -5;
    b = computeHeatBalance(in);
    EXPECT_FALSE(b.ventilationRateToStore.has_value());
    EXPECT_EQ(b.gain(Gain::Ventilation), 0.0);
}

TEST(Ventilation, HumidityClassIsTheNearestMultipleOfFive)
{
    CalcInputs in = baseInputs();
    in.airTable = psychrometricAirTable();
    const int cases[][2] = {{47, 50}, {48, 50}, {52, 50}, {53, 55}, {57, 55}, {58, 60}, {0, 50},
                            {-7, 50}, {77, 75}, {78, 80}, {98, 100}, {100, 100}, {102, 100}, {103, 100}};
    for (const auto &c : cases) {
        in.record.outdoorHumidity = c[0];
        const HeatBalance b = computeHeatBalance(in);
        EXPECT_TRUE(b.completed()) << c[0];
        EXPECT_EQ(b.details.humidityClass, c[1]) << c[0];
    }
}

TEST(Ventilation, OutdoorAboveTheAirTableCountsAsZeroEnthalpy)
{
    CalcInputs in = baseInputs();
    in.record.ventilationRate = 5;
    in.record.outdoorTemperature = 41; // above the last row (40)
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.outdoorEnthalpy, 0);
    EXPECT_DOUBLE_EQ(b.details.ventilation, (0 - -18.7) * (72 * 5 * 1.3952 / 86400));
    EXPECT_EQ(b.gain(Gain::Ventilation), 0.11); // 0.1088…
}

TEST(Infiltration, WorkedDoorFlow)
{
    // Chamber -20 °C, 30 °C outside wall А, door 2 m x 1.5 m.
    const CalcInputs in = baseInputs();
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.details.chamberDensity, 1.3952);
    EXPECT_EQ(b.details.outsideDensity, 1.165);
    EXPECT_DOUBLE_EQ(b.details.doorArea, 3);
    EXPECT_TRUE(leadsWith(b.details.densityFactor, 0.95527, 1e-5));
    EXPECT_TRUE(leadsWith(b.details.doorRoot, 0.57444, 1e-5));
    EXPECT_DOUBLE_EQ(b.details.doorRoot, std::sqrt(2 * (1 - 1.165 / 1.3952)));
    const double dh = 64.2 - -18.7; // VL50(30 °C) - VL90(-20 °C)
    EXPECT_TRUE(leadsWith(b.details.doorFlow / dh, 1.58943, 1e-5));
    // Hooks (k 1), manual door, no load capacity (N 1), no protection:
    // Dt = 25 / 86400.
    EXPECT_EQ(b.details.goodsFactor, 1.0);
    EXPECT_EQ(b.details.entries, 1);
    EXPECT_DOUBLE_EQ(b.details.doorOpenFraction, 25.0 / 86400);
    EXPECT_EQ(b.details.protection, 0.0);
    EXPECT_DOUBLE_EQ(b.details.infiltration, b.details.doorFlow * (25.0 / 86400) * 1.1 * 1.0);
    EXPECT_EQ(b.gain(Gain::Infiltration), 0.04); // 131.76 × 0.000289 × 1.1 = 0.0419
    EXPECT_EQ(labelText(b, "QRLabel80"), "0.04");
}

TEST(Infiltration, NoFlowWithoutDifferenceOrDoor)
{
    CalcInputs in = baseInputs();
    in.record.temperatureBeyondWall[0] = in.record.chamberTemperature;
    HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.details.doorRoot, 0);
    EXPECT_EQ(b.details.infiltration, 0);
    EXPECT_EQ(b.gain(Gain::Infiltration), 0.0);

    in = baseInputs();
    in.record.doorWidth = 0;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.infiltration, 0);

    // Zero height with a colder outside: the root's argument is 0 × (negative),
    // not negative, so nothing stops.
    in = baseInputs();
    in.record.doorHeight = 0;
    in.record.temperatureBeyondWall[0] = -30;
    b = computeHeatBalance(in);
    EXPECT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_EQ(b.gain(Gain::Infiltration), 0.0);
}

TEST(Infiltration, DoorAirColderThanTheChamberBringsNoHeat)
{
    // A cooler whose wall А faces a colder corridor or a freezer: the door lets
    // no heat in (and gives no credit for cold air), and the run goes on.
    const struct {
        int chamber, door;
        bool included;
        bool flows;
    } cases[] = {
        {-20, -25, true, false}, {-20, -25, false, false}, {2, -18, true, false},
        {0, -1, true, false},    {-20, -20, true, false},  {-20, 30, true, true},
    };
    for (const auto &c : cases) {
        CalcInputs in = baseInputs();
        in.record.chamberTemperature = c.chamber;
        in.record.temperatureBeyondWall[0] = c.door;
        in.record.productTurnover = 10000;
        in.record.vehicleLoadCapacity = 3000; // N = 4
        in.include[2] = c.included;
        const HeatBalance b = computeHeatBalance(in);
        const auto where = [&] { return QStringLiteral("%1/%2 box %3").arg(c.chamber).arg(c.door).arg(c.included); };
        ASSERT_TRUE(b.completed()) << qPrintable(where()) << ": " << qPrintable(b.error);
        EXPECT_EQ(b.details.infiltration > 0, c.flows) << qPrintable(where());
        EXPECT_GE(b.details.infiltration, 0) << qPrintable(where());
        if (!c.flows) {
            EXPECT_EQ(b.gain(Gain::Infiltration), 0.0) << qPrintable(where());
        }
        EXPECT_EQ(labelText(b, "QRLabel97"), "4") << qPrintable(where());
        EXPECT_EQ(b.label(LabelText::Entries), "4") << qPrintable(where());
        EXPECT_EQ(labelText(b, "QRLabel79"), "Ручная") << qPrintable(where());
        EXPECT_TRUE(b.requiredCapacity.has_value()) << qPrintable(where());
        EXPECT_EQ(labelText(b, "QRLabel93"), Rounding::fixed(*b.sum, 2)) << qPrintable(where());
    }
}

TEST(Infiltration, NumberOfEntries)
{
    CalcInputs in = baseInputs();
    in.record.productTurnover = 10000;
    in.record.packagingTurnover = 0;
    const struct {
        double capacity;
        qint64 n;
    } cases[] = {{3000, 4}, {5000, 3}, {0, 1}, {-100, 1}, {20000, 1}, {2500, 5}};
    for (const auto &c : cases) {
        in.record.vehicleLoadCapacity = c.capacity;
        const HeatBalance b = computeHeatBalance(in);
        EXPECT_EQ(b.entries, c.n) << c.capacity;
        EXPECT_EQ(b.label(LabelText::Entries), QString::number(c.n)) << c.capacity;
        EXPECT_EQ(labelText(b, "QRLabel97"), QString::number(c.n)) << c.capacity;
    }
    // Packaging turnover counts towards the loads.
    in.record.packagingTurnover = 2000;
    in.record.vehicleLoadCapacity = 3000;
    EXPECT_EQ(computeHeatBalance(in).entries, 5);
}

TEST(Infiltration, DoorOpenFraction)
{
    CalcInputs in = baseInputs();
    in.record.productTurnover = 10000;
    in.record.vehicleLoadCapacity = 3000; // N = 4
    in.record.automaticDoors = true;
    in.record.goodsKind = QStringLiteral("Штабелi на пiддонах"); // as the file gives it back
    HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.goodsFactor, 0.8);
    EXPECT_DOUBLE_EQ(b.details.doorOpenFraction, 0.00625); // (480 + 60) / 86400
    EXPECT_EQ(labelText(b, "QRLabel79"), "Автоматическая");

    in.record.automaticDoors = false;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.doorOpenFraction, (480.0 + 100) / 86400);
    EXPECT_EQ(labelText(b, "QRLabel79"), "Ручная");

    in.record.goodsKind = QStringLiteral("Штабелі на піддонах"); // the item itself
    EXPECT_EQ(computeHeatBalance(in).details.goodsFactor, 0.8);
    in.record.goodsKind = QStringLiteral("Мясні туші на гаках");
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.goodsFactor, 1.0);
    EXPECT_DOUBLE_EQ(b.details.doorOpenFraction, (600.0 + 100) / 86400);
    in.record.goodsKind = QStringLiteral("штабелi на пiддонах"); // case matters
    EXPECT_EQ(computeHeatBalance(in).details.goodsFactor, 1.0);
    in.record.goodsKind.clear();
    EXPECT_EQ(computeHeatBalance(in).details.goodsFactor, 1.0);
}

TEST(Infiltration, DoorwayProtection)
{
    CalcInputs in = baseInputs();
    const struct {
        const char *stored;
        double e;
    } cases[] = {
        {"Відсутня", 0},      {"Вiдсутня", 0},     {"Штора", 0.2},  {"Пов. завiса", 0.7},
        {"Пов. завіса", 0.7}, {"пов. завiса", 0},  {"Пов.завiса", 0}, {"", 0},
    };
    const HeatBalance open = computeHeatBalance(in);
    for (const auto &c : cases) {
        in.record.doorProtection = QString::fromUtf8(c.stored);
        const HeatBalance b = computeHeatBalance(in);
        EXPECT_EQ(b.details.protection, c.e) << c.stored;
        EXPECT_DOUBLE_EQ(b.details.infiltration, open.details.doorFlow * open.details.doorOpenFraction * 1.1 * (1 - c.e))
            << c.stored;
    }
}

TEST(Infiltration, LabelsWhateverTheBox)
{
    CalcInputs in = baseInputs();
    in.record.productTurnover = 10000;
    in.record.vehicleLoadCapacity = 3000;
    in.record.automaticDoors = true;
    in.include[2] = false;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Infiltration), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel80"), "0.00");
    EXPECT_GT(b.details.infiltration, 0.01);
    EXPECT_EQ(labelText(b, "QRLabel97"), "4");
    EXPECT_EQ(b.label(LabelText::Entries), "4");
    EXPECT_EQ(labelText(b, "QRLabel79"), "Автоматическая");

    // Likewise the ventilation rate with row 2 cleared.
    in.include[1] = false;
    in.record.ventilationRate = 6;
    const HeatBalance v = computeHeatBalance(in);
    EXPECT_EQ(v.gain(Gain::Ventilation), 0.0);
    EXPECT_EQ(labelText(v, "QRLabel78"), "0.00");
    EXPECT_EQ(labelText(v, "QRLabel77"), "6.00");
}
