#include "calcfixture.h"

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

// Two realistic chambers over the psychrometric air table. The expected figures
// come from an independent Python transcription of the formulas (IEEE doubles
// for the arithmetic, the decimal module for the roundings: halves away from
// zero on 15 significant digits for the held values and labels, halves to even
// for the air density and the respiration rates), run once.

namespace {

void setChamber(CalcRecord &r, double length, double width, double height)
{
    r.chamberLength = length;
    r.chamberWidth = width;
    r.chamberHeight = height;
    r.chamberVolume = length * width * height;
    r.surfaceArea = {width * height, length * height, width * height, length * height, width * length, width * length};
}

void setEnclosure(CalcInputs &in, size_t i, const char *material, double mt, double km, const char *insulation,
                  double it, double ki, int outside)
{
    in.record.wallMaterial[i] = QString::fromUtf8(material);
    in.record.wallMaterialThickness[i] = mt;
    in.record.wallInsulation[i] = QString::fromUtf8(insulation);
    in.record.wallInsulationThickness[i] = it;
    in.record.temperatureBeyondWall[i] = outside;
    in.enclosures[i] = {km, ki};
}

void expectRows(const HeatBalance &b, const std::array<const char *, 9> &rows)
{
    for (int row = 1; row <= 9; ++row) {
        ASSERT_TRUE(b.gains[size_t(row - 1)].has_value()) << row;
        EXPECT_EQ(QString::number(*b.gains[size_t(row - 1)], 'f', 2), QLatin1String(rows[size_t(row - 1)])) << "row " << row;
    }
    const char *const fed[9] = {"QRLabel76", "QRLabel78", "QRLabel80", "QRLabel83", "QRLabel84",
                                "QRLabel85", "QRLabel86", "QRLabel87", "QRLabel88"};
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(labelText(b, fed[i]), QLatin1String(rows[i])) << fed[i];
}

} // namespace

TEST(FullBalance, FrozenBeefStore)
{
    CalcInputs in;
    in.airTable = psychrometricAirTable();
    in.ventilationRateDecimals = 8;
    CalcRecord &r = in.record;
    r.processingMode = QStringLiteral("Хранение");
    r.chamberTemperature = -18;
    r.runningHours = 18;
    r.safetyFactor = 1.1;
    setChamber(r, 6.0, 4.0, 3.2);
    r.outdoorTemperature = 32;
    r.outdoorHumidity = 47;
    for (size_t i = 0; i < 4; ++i)
        setEnclosure(in, i, "Кирпич глиняный", 250, 0.81, "Пенополиуретан", 150, 0.025, 32);
    r.temperatureBeyondWall[2] = 20; // wall В faces a corridor
    setEnclosure(in, 4, "Железобетон", 200, 2.04, "Пенополистирол", 200, 0.040, 32);
    setEnclosure(in, 5, "Бетон", 150, 1.86, "Экструд. пенополист.", 100, 0.033, 15);
    r.ventilationRateEntered = false;
    r.chamberHumidity = 90;
    r.doorHeight = 2.0;
    r.doorWidth = 1.2;
    r.automaticDoors = false;
    r.goodsKind = QStringLiteral("Штабелi на пiддонах");
    r.doorProtection = QStringLiteral("Штора");
    r.vehicleLoadCapacity = 1000;
    r.product = QStringLiteral("Говядина (туша)");
    r.productTurnover = 2500;
    r.productMass = 20000;
    r.productEntryTemperature = 4;
    r.productFinalTemperature = -18;
    r.packaging = QStringLiteral("Ящик деревянный");
    r.packagingTurnover = 250;
    r.packagingEntryTemperature = 20;
    r.packagingFinalTemperature = -18;
    r.lightingPower = 5;
    r.lightingHours = 8;
    r.workers = 2;
    r.vehiclePower = 3;
    r.fansRefined = false;
    r.fanAllowance = 15;
    in.product = ProductRow{QStringLiteral("Говядина (туша)"), -2.2, 3.24, 2.31, 191, 0, 0, 0};
    in.packaging = PackagingRow{QStringLiteral("Ящик деревянный"), 2.5};

    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);

    const char *const enclosures[6] = {"0.10", "0.15", "0.08", "0.15", "0.23", "0.24"};
    const double watts[6] = {99.08012733111643, 148.62019099667467, 75.30089677164848,
                             148.62019099667467, 228.6230030888358, 242.81632792008958};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(b.details.enclosureGain[size_t(i)], watts[i], 1e-9) << i;
        EXPECT_EQ(labelText(b, qPrintable(QStringLiteral("QRLabel%1").arg(70 + i))), QLatin1String(enclosures[i]));
    }
    EXPECT_DOUBLE_EQ(*b.ventilationRateToStore, 7.987620630283671);
    EXPECT_EQ(b.ventilationRate, 7.98762063);
    EXPECT_EQ(labelText(b, "QRLabel77"), "7.99");
    EXPECT_NEAR(b.details.ventilation, 0.8570381583725472, 1e-12);
    EXPECT_NEAR(b.details.densityFactor, 0.9556121761617039, 1e-12);
    EXPECT_NEAR(b.details.doorFlow, 109.6658382514897, 1e-9);
    EXPECT_NEAR(b.details.infiltration, 0.21780853986059762, 1e-12);
    EXPECT_EQ(b.entries, 3);
    EXPECT_EQ(b.label(LabelText::Entries), "3");
    EXPECT_EQ(labelText(b, "QRLabel97"), "3");
    EXPECT_EQ(labelText(b, "QRLabel79"), "Ручная");
    EXPECT_NEAR(b.details.productHeat, 7.163946759259259, 1e-12);
    EXPECT_NEAR(b.details.packagingHeat, 0.27488425925925924, 1e-12);
    EXPECT_EQ(labelText(b, "QRLabel81"), "7.16");
    EXPECT_EQ(labelText(b, "QRLabel82"), "0.27");

    expectRows(b, {"0.94", "0.86", "0.22", "7.44", "0.00", "0.04", "0.25", "0.50", "2.05"});
    EXPECT_EQ(b.sum, 12.3);
    EXPECT_EQ(b.requiredCapacity, 17.08);
    EXPECT_EQ(labelText(b, "QRLabel93"), "12.30");
    EXPECT_EQ(labelText(b, "QRLabel98"), "17.08");
    EXPECT_EQ(b.label(LabelText::RequiredCapacity), "17.08");
}

TEST(FullBalance, PotatoCooling)
{
    CalcInputs in;
    in.airTable = psychrometricAirTable();
    in.ventilationRateDecimals = 8;
    CalcRecord &r = in.record;
    r.processingMode = QStringLiteral("Охлаждение");
    r.chamberTemperature = 2;
    r.runningHours = 10;
    r.safetyFactor = 1.2;
    setChamber(r, 5.0, 4.0, 3.0);
    r.outdoorTemperature = 33;
    r.outdoorHumidity = 54;
    for (size_t i = 0; i < 6; ++i)
        setEnclosure(in, i, "Сэндвич-панель PIR", 100, 0.023, "Пенополиуретан", 0, 0.025, 33);
    r.temperatureBeyondWall[3] = 25;
    r.temperatureBeyondWall[5] = 10;
    r.ventilationRateEntered = true;
    r.ventilationRate = 4;
    r.chamberHumidity = 90;
    r.doorHeight = 2.2;
    r.doorWidth = 1.5;
    r.automaticDoors = true;
    r.goodsKind = QStringLiteral("Мясні туші на гаках");
    r.doorProtection = QStringLiteral("Пов. завiса");
    r.vehicleLoadCapacity = 0;
    r.productTurnover = 3000;
    r.productMass = 50000;
    r.productEntryTemperature = 18;
    r.productFinalTemperature = 3;
    r.packagingTurnover = 300;
    r.packagingEntryTemperature = 18;
    r.packagingFinalTemperature = 3;
    r.lightingPower = 5;
    r.lightingHours = 6;
    r.workers = 1;
    r.vehiclePower = 0;
    r.fansRefined = true;
    r.fanPower = 0.25;
    r.fanCount = 2;
    r.fanAllowance = 10;
    in.product = ProductRow{QStringLiteral("Картофель"), -0.6, 3.67, 1.93, 264, 52, 103, 207};
    in.packaging = PackagingRow{QStringLiteral("Ящик пластм."), 1.7};

    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);

    const char *const enclosures[6] = {"0.08", "0.10", "0.08", "0.08", "0.14", "0.04"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(labelText(b, qPrintable(QStringLiteral("QRLabel%1").arg(70 + i))), QLatin1String(enclosures[i]));
    EXPECT_FALSE(b.ventilationRateToStore.has_value());
    EXPECT_EQ(labelText(b, "QRLabel77"), "4.00");
    EXPECT_NEAR(b.details.ventilation, 0.2367314955555556, 1e-12);
    EXPECT_EQ(b.details.humidityClass, 55);
    EXPECT_NEAR(b.details.densityFactor, 0.973426899361647, 1e-12);
    EXPECT_NEAR(b.details.doorFlow, 89.42317435676897, 1e-9);
    EXPECT_EQ(b.details.protection, 0.7);
    EXPECT_NEAR(b.details.infiltration, 0.0666016350678019, 1e-12);
    EXPECT_EQ(labelText(b, "QRLabel97"), "1");
    EXPECT_EQ(labelText(b, "QRLabel79"), "Автоматическая");
    EXPECT_DOUBLE_EQ(b.details.productHeat, 4.5875);
    EXPECT_DOUBLE_EQ(b.details.packagingHeat, 0.2125);
    EXPECT_EQ(labelText(b, "QRLabel81"), "4.59"); // a decimal half, away from zero
    EXPECT_EQ(labelText(b, "QRLabel82"), "0.21");
    EXPECT_EQ(b.details.respirationEnd, 67);   // 67.3
    EXPECT_EQ(b.details.respirationStart, 186); // 186.2
    EXPECT_NEAR(b.details.respiration, 0.10541666666666667, 1e-15);

    expectRows(b, {"0.52", "0.24", "0.07", "4.80", "0.11", "0.03", "0.07", "0.00", "0.50"});
    EXPECT_EQ(b.sum, 6.34);
    EXPECT_EQ(b.requiredCapacity, 6.96);
    EXPECT_EQ(labelText(b, "QRLabel93"), "6.34");
    EXPECT_EQ(labelText(b, "QRLabel98"), "6.96");
}
