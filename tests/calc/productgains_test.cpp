#include "calcfixture.h"

#include "calc/rounding.h"

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

// 1000 kg a day of a product with CP1 3.0, CP2 1.5, LSKR 250, TZAM -2,
// brought from 10 °C to -20 °C; no packaging turnover.
CalcInputs freezing()
{
    CalcInputs in = baseInputs();
    in.record.productTurnover = 1000;
    in.record.productEntryTemperature = 10;
    in.record.productFinalTemperature = -20;
    ProductRow p;
    p.NAIM = QStringLiteral("Тест");
    p.TZAM = -2;
    p.CP1 = 3.0;
    p.CP2 = 1.5;
    p.LSKR = 250;
    in.product = p;
    return in;
}

// Respiration: Q1 10, Q2 15, Q3 25 kJ/(t·h).
CalcInputs breathing()
{
    CalcInputs in = freezing();
    in.product->Q1 = 10;
    in.product->Q2 = 15;
    in.product->Q3 = 25;
    return in;
}

} // namespace

TEST(ProductTreatment, ProductFreezesOnTheWay)
{
    const HeatBalance b = computeHeatBalance(freezing());
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_DOUBLE_EQ(b.details.productHeat, (1000 * 3.0 * 12 + 1000 * 250.0 + 1000 * 1.5 * 18) / 86400);
    EXPECT_NEAR(b.details.productHeat, 3.6226, 1e-4);
    EXPECT_EQ(labelText(b, "QRLabel81"), "3.62");
    EXPECT_EQ(labelText(b, "QRLabel82"), "0.00");
    EXPECT_EQ(b.gain(Gain::Product), 3.62);
    EXPECT_EQ(labelText(b, "QRLabel83"), "3.62");
}

TEST(ProductTreatment, TheFreezingPointDecidesTheFormula)
{
    CalcInputs in = freezing();
    in.record.productFinalTemperature = 0; // stays above freezing
    EXPECT_NEAR(computeHeatBalance(in).details.productHeat, 0.3472, 1e-4);
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat, 1000 * 3.0 * 10 / 86400);

    in.record.productFinalTemperature = -2; // ends at the freezing point: latent heat included
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat, (1000 * 3.0 * 12 + 1000 * 250.0 + 0) / 86400);

    in.record.productEntryTemperature = -2; // starts at the freezing point: frozen formula
    in.record.productFinalTemperature = -20;
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat, 1000 * 1.5 * 18 / 86400);

    in.record.productEntryTemperature = -5; // frozen already
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat, 1000 * 1.5 * 15 / 86400);

    // A fractional freezing point against whole temperatures.
    in.product->TZAM = -2.2;
    in.record.productEntryTemperature = 4;
    in.record.productFinalTemperature = -5;
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat,
                     (1000 * 3.0 * (4 - -2.2) + 1000 * 250.0 + 1000 * 1.5 * (-2.2 - -5)) / 86400);
    in.record.productFinalTemperature = -2; // -2.2 < -2: still above freezing at the end
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.productHeat, 1000 * 3.0 * 6 / 86400);
}

TEST(ProductTreatment, Packaging)
{
    CalcInputs in = freezing();
    in.record.packagingTurnover = 500;
    in.record.packagingEntryTemperature = 20;
    in.record.packagingFinalTemperature = 0;
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.packagingHeat, 500 * 2.5 * 20 / 86400.0);
    EXPECT_EQ(labelText(b, "QRLabel82"), "0.29");
    EXPECT_EQ(b.gain(Gain::Product), 3.91); // 3.62269 + 0.28935 = 3.91204
    EXPECT_EQ(labelText(b, "QRLabel83"), "3.91");

    in.packaging.reset(); // name not in the packaging table
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.packagingHeat, 0);
    EXPECT_EQ(b.gain(Gain::Product), 3.62);
}

TEST(ProductTreatment, CoolingModeSpreadsOverTheTreatmentTime)
{
    CalcInputs in = freezing();
    in.record.packagingTurnover = 500;
    in.record.packagingEntryTemperature = 20;
    in.record.packagingFinalTemperature = 0;
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    const HeatBalance storage = computeHeatBalance(in);
    in.record.processingMode = QStringLiteral("Охлаждение");
    in.record.runningHours = 4;
    const HeatBalance cooling = computeHeatBalance(in);
    EXPECT_NEAR(cooling.details.productHeat, 6 * storage.details.productHeat, 1e-12);
    EXPECT_NEAR(cooling.details.packagingHeat, 6 * storage.details.packagingHeat, 1e-12);
    EXPECT_EQ(labelText(cooling, "QRLabel81"), "21.74"); // 21.7361
    EXPECT_EQ(labelText(cooling, "QRLabel82"), "1.74");  // 1.7361
    EXPECT_EQ(cooling.gain(Gain::Product), 23.47);                     // 23.4722
}

TEST(ProductTreatment, UnknownModeOrNoProductGivesNothing)
{
    CalcInputs in = freezing();
    in.record.processingMode = QStringLiteral("Заморозка");
    HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.productHeat, 0);
    EXPECT_EQ(labelText(b, "QRLabel81"), "0.00");
    in.record.processingMode.clear();
    EXPECT_EQ(computeHeatBalance(in).details.productHeat, 0);
    in.record.processingMode = QStringLiteral("хранение"); // the mode text is compared exactly
    EXPECT_EQ(computeHeatBalance(in).details.productHeat, 0);

    in = freezing();
    in.product.reset();
    in.record.packagingTurnover = 500;
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.productHeat, 0);
    EXPECT_EQ(b.details.packagingHeat, 0);
    EXPECT_EQ(b.gain(Gain::Product), 0.0);

    // Without a product the cooling step divides nothing, so a zero treatment
    // time does not stop the run.
    in.record.processingMode = QStringLiteral("Охлаждение");
    in.record.runningHours = 0;
    EXPECT_TRUE(computeHeatBalance(in).completed());
}

TEST(ProductTreatment, ClearedBoxKeepsTheHeatLabels)
{
    CalcInputs in = freezing();
    in.record.packagingTurnover = 500;
    in.record.packagingEntryTemperature = 20;
    in.record.packagingFinalTemperature = 0;
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    in.include[3] = false;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Product), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel83"), "0.00");
    EXPECT_EQ(labelText(b, "QRLabel81"), "3.62");
    EXPECT_EQ(labelText(b, "QRLabel82"), "0.29");
}

TEST(Respiration, RateByTemperature)
{
    CalcInputs in = breathing();
    in.record.processingMode = QStringLiteral("Охлаждение"); // rates only; time is irrelevant
    in.record.runningHours = 1;
    const struct {
        int t;
        double rate;
    } cases[] = {{0, 10}, {5, 12} /* 12.5 to even */, {7, 14} /* 13.5 */, {9, 14} /* 14.5 */,
                 {10, 15}, {15, 20}, {20, 25}, {30, 35}, {31, 0},
                 {-1, 10} /* above TZAM -2 */, {-2, 0}, {-3, 0}};
    for (const auto &c : cases) {
        in.record.productEntryTemperature = 20;
        in.record.productFinalTemperature = c.t;
        EXPECT_EQ(computeHeatBalance(in).details.respirationEnd, c.rate) << c.t;
    }
    in.record.productEntryTemperature = 15;
    in.record.productFinalTemperature = 5;
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.respirationStart, 20);
    EXPECT_EQ(b.details.respirationEnd, 12);
}

TEST(Respiration, BelowZeroAboveFreezingAtTheZeroRate)
{
    // Pears (TZAM -1.6, Q1 37, Q2 93, Q3 233), 300 t stored, nothing taken in:
    // at 0 °C 300 × 37 / 3600 = 3.08 kW; living fruit at -1 °C still respires
    // at the 0 °C rate; at or below the freezing point it does not.
    CalcInputs in = baseInputs();
    ProductRow pears;
    pears.NAIM = QStringLiteral("Груши");
    pears.TZAM = -1.6;
    pears.Q1 = 37;
    pears.Q2 = 93;
    pears.Q3 = 233;
    in.product = pears;
    in.record.productMass = 300000;
    in.record.productTurnover = 0;
    const struct {
        double tzam;
        int t0, t1;
        double rateEnd, kw;
    } cases[] = {
        {-1.6, 0, 0, 37, 3.08}, {-1.6, -1, -1, 37, 3.08}, {-1.6, 5, -1, 37, 3.08}, {-1.6, -2, -2, 0, 0},
        {-1.6, 0, -2, 0, 0},    {-1.0, -1, -1, 0, 0},     {-1.0, 0, -1, 0, 0},     {-3.0, -2, -2, 37, 3.08},
    };
    for (const auto &c : cases) {
        in.product->TZAM = c.tzam;
        in.record.productEntryTemperature = c.t0;
        in.record.productFinalTemperature = c.t1;
        const HeatBalance b = computeHeatBalance(in);
        const auto where = [&] { return QStringLiteral("TZAM %1, %2 -> %3").arg(c.tzam).arg(c.t0).arg(c.t1); };
        ASSERT_TRUE(b.completed()) << qPrintable(where()) << ": " << qPrintable(b.error);
        EXPECT_EQ(b.details.respirationEnd, c.rateEnd) << qPrintable(where());
        EXPECT_EQ(b.gain(Gain::Respiration), c.kw) << qPrintable(where());
        EXPECT_EQ(labelText(b, "QRLabel84"), Rounding::fixed(c.kw, 2)) << qPrintable(where());
    }
}

TEST(Respiration, StorageAndCoolingFormulas)
{
    CalcInputs in = breathing();
    in.record.productMass = 20000;
    in.record.productTurnover = 1000;
    in.record.productEntryTemperature = 15; // 20
    in.record.productFinalTemperature = 5;  // 12
    HeatBalance b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.respiration, 20.0 * 12 / 3600 + 1.0 * 0.5 * 32 / 3600); // 0.07111
    EXPECT_EQ(b.gain(Gain::Respiration), 0.07);
    EXPECT_EQ(labelText(b, "QRLabel84"), "0.07");

    in.record.processingMode = QStringLiteral("Охлаждение");
    in.record.runningHours = 4;
    b = computeHeatBalance(in);
    EXPECT_DOUBLE_EQ(b.details.respiration, 1.0 * 0.5 * 32 / 3600); // stored mass not counted
    EXPECT_EQ(b.gain(Gain::Respiration), 0.0);

    // Any text other than the storage one takes the cooling formula.
    in.record.processingMode = QStringLiteral("Заморозка");
    EXPECT_DOUBLE_EQ(computeHeatBalance(in).details.respiration, 1.0 * 0.5 * 32 / 3600);
}

TEST(Respiration, NoGainFrozenClearedOrWithoutProduct)
{
    CalcInputs in = breathing();
    in.record.productMass = 200000;
    in.record.productEntryTemperature = -2; // arrives frozen (TZAM -2)
    in.record.productFinalTemperature = 5;
    HeatBalance b = computeHeatBalance(in);
    EXPECT_EQ(b.details.respiration, 0);
    EXPECT_EQ(b.gain(Gain::Respiration), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel84"), "0.00");

    in.record.productEntryTemperature = 15;
    in.include[4] = false;
    b = computeHeatBalance(in);
    EXPECT_EQ(b.gain(Gain::Respiration), 0.0);
    EXPECT_EQ(labelText(b, "QRLabel84"), "0.00");

    in.include[4] = true;
    EXPECT_EQ(computeHeatBalance(in).gain(Gain::Respiration), 0.67); // 200 × 12 / 3600 + 0.00444
    in.product.reset();
    b = computeHeatBalance(in);
    EXPECT_EQ(b.details.respiration, 0);
    EXPECT_EQ(b.gain(Gain::Respiration), 0.0);
}
