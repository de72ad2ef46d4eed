// The heat balance at the edges of what the input panel and the record's
// fields let through: every run either completes with finite numbers or stops
// at one step with a message for the user; no text ever reads "nan" or "inf".

#include "calcfixture.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

// Every written value finite, every text a plain number or word; a stopped run
// names its reason. Returns a description of the first offence, empty if none.
QString offence(const HeatBalance &b)
{
    for (const CalcOutput &o : ResultBindings::writes(b)) {
        if (!std::isfinite(o.value))
            return o.name + QStringLiteral(" = ") + QString::number(o.value);
        const QString t = o.text.toLower();
        if (t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf")))
            return o.name + QStringLiteral(" shows ") + o.text;
    }
    if (!b.completed() && !b.error.startsWith(QStringLiteral("Неможливо обчислити ")))
        return QStringLiteral("stopped without a message: ") + b.error;
    return QString();
}

// The busiest chamber: every step has something to compute, packaging and
// the real air table included.
CalcInputs busy()
{
    CalcInputs in = busyInputs();
    in.airTable = psychrometricAirTable();
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    in.record.packagingTurnover = 200;
    in.record.packagingEntryTemperature = 5;
    in.record.packagingFinalTemperature = -20;
    in.record.safetyFactor = 1.1;
    in.record.runningHours = 18;
    return in;
}

void setTemperatures(CalcInputs &in, int chamber, int outside)
{
    in.record.chamberTemperature = chamber;
    in.record.outdoorTemperature = outside;
    in.record.temperatureBeyondWall = {outside, outside, outside, outside, outside, outside};
    in.record.productFinalTemperature = chamber;
    in.record.packagingFinalTemperature = chamber;
}

} // namespace

TEST(Limits, TemperaturesAtTheEditBoundsAndTheAirTableEdges)
{
    // The chamber edit takes -60 … 900 and the outside edits -50 … 300; the air
    // table runs from -30 to 40 °C.
    const int chambers[] = {-60, -31, -30, -18, 0, 40, 41, 299, 900};
    const int outsides[] = {-50, -31, -30, 0, 30, 40, 41, 300};
    for (const char *mode : {"Хранение", "Охлаждение"}) {
        for (int chamber : chambers) {
            for (int outside : outsides) {
                CalcInputs in = busy();
                in.record.processingMode = QString::fromUtf8(mode);
                setTemperatures(in, chamber, outside);
                const HeatBalance b = computeHeatBalance(in);
                const QString bad = offence(b);
                EXPECT_TRUE(bad.isEmpty()) << mode << " " << chamber << "/" << outside << ": " << qPrintable(bad);
                // A door wall colder than the chamber no longer stops a run either.
                EXPECT_TRUE(b.completed()) << mode << " " << chamber << "/" << outside << ": " << qPrintable(b.error);
                EXPECT_TRUE(b.requiredCapacity.has_value());
            }
        }
    }
}

TEST(Limits, TheWidestValuesTheRecordHoldsGiveFiniteResults)
{
    // The largest numbers the template's fields store: dimensions 9999.999 m,
    // thicknesses 99999 mm, masses 99999999 kg, small integers 999.
    CalcInputs in = busy();
    CalcRecord &r = in.record;
    r.chamberLength = r.chamberWidth = r.chamberHeight = 9999.999;
    r.chamberVolume = r.chamberLength * r.chamberWidth * r.chamberHeight;
    r.surfaceArea = {r.chamberWidth * r.chamberHeight, r.chamberLength * r.chamberHeight, r.chamberWidth * r.chamberHeight,
              r.chamberLength * r.chamberHeight, r.chamberWidth * r.chamberLength, r.chamberWidth * r.chamberLength};
    for (size_t i = 0; i < 6; ++i) {
        r.wallMaterialThickness[i] = 99999;
        r.wallInsulationThickness[i] = 99999;
    }
    r.productMass = r.productTurnover = r.packagingTurnover = 99999999;
    r.vehicleLoadCapacity = 1;
    r.doorHeight = r.doorWidth = 9999.999;
    r.lightingPower = r.lightingHours = r.workers = r.vehiclePower = 999;
    r.fanAllowance = 90;
    r.safetyFactor = 2;
    r.runningHours = 1;
    setTemperatures(in, -60, 300);
    HeatBalance b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_GT(*b.requiredCapacity, 1e6) << "a huge chamber needs a huge capacity, not an overflow";

    // The refined fan load at its widest too.
    r.fansRefined = true;
    r.fanCount = 999;
    r.fanPower = 99999.999;
    b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    EXPECT_TRUE(b.completed()) << qPrintable(b.error);

    // The same numbers negative, as a careless file may hold them.
    CalcInputs neg = busy();
    neg.record.chamberLength = -9999.999;
    neg.record.chamberVolume = -9999.999 * 4 * 3;
    neg.record.productMass = neg.record.productTurnover = -99999999;
    neg.record.vehicleLoadCapacity = -5;
    neg.record.lightingPower = neg.record.workers = neg.record.vehiclePower = -999;
    b = computeHeatBalance(neg);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
}

TEST(Limits, AChamberOfNoVolume)
{
    CalcInputs in = busy();
    CalcRecord &r = in.record;
    r.chamberLength = r.chamberWidth = r.chamberHeight = 0;
    r.chamberVolume = 0;
    r.surfaceArea = {};
    r.ventilationRate = 4;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    EXPECT_EQ(b.gain(Gain::Walls), 0.0) << "no area, no wall gain";
    EXPECT_EQ(b.gain(Gain::Ventilation), 0.0) << "no volume, no ventilation";
    EXPECT_FALSE(b.ventilationRateToStore.has_value()) << "the stored rate stays as it was";
    EXPECT_EQ(b.gain(Gain::Lighting), 0.0) << "no floor, no lighting";
    EXPECT_GT(*b.gain(Gain::Infiltration), 0.0) << "the door still lets warm air in";
    EXPECT_GT(*b.gain(Gain::Product), 0.0) << "the product is still cooled";
}

TEST(Limits, ATinyChamberGivesARateTheRecordCannotHold)
{
    // 0.01 × 0.01 × 0.001 m: 70 / √1e-7 ≈ 221,359 volumes a day. The run itself
    // is fine; storing the rate is the table's business ("Number too large").
    CalcInputs in = busy();
    in.record.chamberLength = 0.01;
    in.record.chamberWidth = 0.01;
    in.record.chamberHeight = 0.001;
    in.record.chamberVolume = 1e-7;
    in.record.surfaceArea = {1e-5, 1e-5, 1e-5, 1e-5, 1e-4, 1e-4};
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    ASSERT_TRUE(b.ventilationRateToStore.has_value());
    EXPECT_NEAR(*b.ventilationRateToStore, 70 / std::sqrt(1e-7), 1e-6);
    EXPECT_GT(*b.ventilationRateToStore, 99999.99999999) << "wider than VN_KR's N(14,8)";
}

TEST(Limits, ARegionHumidityNeverLacksItsColumnInAFullAirTable)
{
    // A region row may hold any humidity; the class is brought into 50 … 100,
    // and a table with every VL column from 50 to 100 always has it.
    CalcInputs in = busy();
    for (int humidity = -999; humidity <= 999; humidity += (humidity > -10 && humidity < 110) ? 1 : 100) {
        in.record.outdoorHumidity = humidity;
        const HeatBalance b = computeHeatBalance(in);
        ASSERT_TRUE(b.completed()) << humidity << ": " << qPrintable(b.error);
        EXPECT_GE(b.details.humidityClass, 50);
        EXPECT_LE(b.details.humidityClass, 100);
    }
    // A table without the class's column stops the ventilation step and says which.
    AirTable partial({QStringLiteral("VL50"), QStringLiteral("VL90")});
    partial.addRow(-30, {-29.89, -29.67}, 452);
    partial.addRow(40, {100.81, 152.66}, 120);
    in.airTable = partial;
    in.record.outdoorHumidity = 64;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Ventilation);
    EXPECT_TRUE(b.error.contains(QStringLiteral("VL65"))) << qPrintable(b.error);
    EXPECT_TRUE(offence(b).isEmpty());
}

TEST(Limits, RunningTimeAndSafetyAtTheirBounds)
{
    // Running time 1 … 24 h, safety 1 … 2: the capacity scales by 24 / time × safety.
    CalcInputs in = busy();
    in.record.runningHours = 24;
    in.record.safetyFactor = 1;
    const HeatBalance full = computeHeatBalance(in);
    ASSERT_TRUE(full.completed());
    in.record.runningHours = 1;
    in.record.safetyFactor = 2;
    const HeatBalance hard = computeHeatBalance(in);
    ASSERT_TRUE(hard.completed()) << qPrintable(hard.error);
    EXPECT_TRUE(offence(hard).isEmpty());
    EXPECT_GT(*hard.requiredCapacity, 40 * *full.requiredCapacity);
}
