#include "calcfixture.h"

#include <QMap>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

QString key(const CalcOutput &o)
{
    static const char *const targets[] = {"panel", "report", "list", "window", "record"};
    return QLatin1String(targets[int(o.target)]) + QLatin1Char(':') + o.name;
}

// What the window would show: each run's writes over the previous state.
void apply(const HeatBalance &b, QMap<QString, QString> &state)
{
    for (const CalcOutput &o : ResultBindings::writes(b))
        state[key(o)] = o.target == OutputTarget::Record ? QString::number(o.value, 'g', 17) : o.text;
}

QStringList writtenKeys(const HeatBalance &b)
{
    QStringList keys;
    for (const CalcOutput &o : ResultBindings::writes(b))
        keys << key(o);
    return keys;
}

} // namespace

TEST(Driver, WritesInTheOrderOfTheSteps)
{
    const HeatBalance b = computeHeatBalance(busyInputs());
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    const QStringList expected = {
        "panel:CurrencyEdit1", "report:QRLabel70", "report:QRLabel71", "report:QRLabel72", "report:QRLabel73",
        "report:QRLabel74", "report:QRLabel75", "report:QRLabel76",
        "record:VN_KR", "panel:CurrencyEdit2", "report:QRLabel77", "report:QRLabel78",
        "window:Label3", "report:QRLabel97", "report:QRLabel79", "panel:CurrencyEdit3", "report:QRLabel80",
        "panel:CurrencyEdit4", "report:QRLabel81", "report:QRLabel82", "report:QRLabel83",
        "panel:CurrencyEdit5", "report:QRLabel84",
        "panel:CurrencyEdit6", "report:QRLabel85", "panel:CurrencyEdit7", "report:QRLabel86",
        "panel:CurrencyEdit8", "report:QRLabel87",
        "panel:CurrencyEdit9", "report:QRLabel88",
        "panel:CurrencyEdit11", "panel:CurrencyEdit10",
        "report:QRLabel98", "list:QRLabel98", "report:QRLabel93",
    };
    EXPECT_EQ(writtenKeys(b), expected);
    // Every gain non-zero, so the order above is not of zeros.
    for (int row = 1; row <= 9; ++row)
        EXPECT_NE(b.gains[size_t(row - 1)], 0.0) << row;
    // Panel texts are the "0.##" form of the held value.
    for (const CalcOutput &o : ResultBindings::writes(b)) {
        if (o.target == OutputTarget::Panel) {
            EXPECT_EQ(o.text.toDouble(), o.value) << qPrintable(o.name);
        }
    }
}

TEST(Driver, AllBoxesClearedGiveZeros)
{
    CalcInputs in = busyInputs();
    in.include.fill(false);
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    for (int row = 1; row <= 9; ++row)
        EXPECT_EQ(b.gains[size_t(row - 1)], 0.0) << row;
    EXPECT_EQ(b.sum, 0.0);
    EXPECT_EQ(b.requiredCapacity, 0.0);
    for (const char *name : {"QRLabel76", "QRLabel78", "QRLabel80", "QRLabel83", "QRLabel84", "QRLabel85",
                             "QRLabel86", "QRLabel87", "QRLabel88", "QRLabel93", "QRLabel98"})
        EXPECT_EQ(labelText(b, name), "0.00") << name;
    // The computed values still reach their own labels.
    EXPECT_NE(labelText(b, "QRLabel70"), "0.00");
    EXPECT_NE(labelText(b, "QRLabel81"), "0.00");
    EXPECT_NE(labelText(b, "QRLabel77"), "0.00");
    EXPECT_EQ(labelText(b, "QRLabel97"), "3");

    // Storage mode still divides by the running time.
    in.record.runningHours = 0;
    EXPECT_EQ(computeHeatBalance(in).stoppedAt, CalcStep::Fans);
}

TEST(Driver, SumIsTheSumOfTheShownValues)
{
    // Lighting 0.004 (shown 0.00), product 0.004 (0.00), vehicles 0.0208 (0.02):
    // the unrounded total 0.0288 would show 0.03, the sum shows 0.02.
    CalcInputs in = baseInputs();
    in.include = {false, false, false, true, false, true, false, true, false};
    in.record.lightingPower = 4;
    in.record.lightingHours = 1;
    in.record.vehiclePower = 1;
    in.record.productTurnover = 1;
    in.record.productEntryTemperature = 10;
    in.record.productFinalTemperature = 0;
    ProductRow p;
    p.TZAM = -2;
    p.CP1 = 34.56;
    in.product = p;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_NEAR(b.details.lighting + b.details.productHeat + b.details.vehicles, 0.0288, 1e-4);
    EXPECT_EQ(b.gain(Gain::Product), 0.0);
    EXPECT_EQ(b.gain(Gain::Lighting), 0.0);
    EXPECT_EQ(b.gain(Gain::Vehicles), 0.02);
    EXPECT_EQ(b.sum, 0.02);
    EXPECT_EQ(b.requiredCapacity, 0.02);
    EXPECT_EQ(labelText(b, "QRLabel93"), "0.02");
}

TEST(Driver, AStopKeepsTheEarlierWritesOnly)
{
    // Infiltration with a negative door height.
    CalcInputs in = busyInputs();
    in.record.doorHeight = -2;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Infiltration);
    EXPECT_TRUE(b.error.contains(QStringLiteral("інфільтрації"))) << qPrintable(b.error);
    EXPECT_TRUE(b.error.contains(QStringLiteral("висота дверей від'ємна (-2 м)"))) << qPrintable(b.error);
    EXPECT_EQ(writtenKeys(b),
              (QStringList{"panel:CurrencyEdit1", "report:QRLabel70", "report:QRLabel71", "report:QRLabel72",
                           "report:QRLabel73", "report:QRLabel74", "report:QRLabel75", "report:QRLabel76",
                           "record:VN_KR", "panel:CurrencyEdit2", "report:QRLabel77", "report:QRLabel78"}));
    EXPECT_TRUE(b.ventilationRate.has_value());
    EXPECT_FALSE(b.entries.has_value());
    EXPECT_FALSE(b.sum.has_value());
    EXPECT_FALSE(b.requiredCapacity.has_value());

    // Applied over a complete earlier run, the later fields keep that run's values.
    QMap<QString, QString> state;
    const HeatBalance before = computeHeatBalance(baseInputs());
    ASSERT_TRUE(before.completed());
    apply(before, state);
    const QMap<QString, QString> previous = state;
    apply(b, state);
    EXPECT_EQ(state.value("panel:CurrencyEdit1"), ResultBindings::writes(b).front().text);
    EXPECT_NE(state.value("panel:CurrencyEdit1"), previous.value("panel:CurrencyEdit1"));
    EXPECT_EQ(state.value("report:QRLabel77"), *b.label(LabelText::VentilationRate));
    for (const char *k : {"panel:CurrencyEdit3", "panel:CurrencyEdit9", "panel:CurrencyEdit10", "panel:CurrencyEdit11",
                          "window:Label3", "report:QRLabel97", "report:QRLabel79", "report:QRLabel93",
                          "list:QRLabel98"})
        EXPECT_EQ(state.value(k), previous.value(k)) << k;
}

TEST(Driver, EachUndefinedOperationStopsAtItsStep)
{
    struct Case {
        const char *what;
        std::function<void(CalcInputs &)> change;
        CalcStep step;
        const char *inMessage;
        int rowsWritten;
    };
    const Case cases[] = {
        {"zero conductivity", [](CalcInputs &in) { in.enclosures[3].insulation = 0.0; }, CalcStep::Walls,
         "(стіна Г) дорівнює нулю", 0},
        {"chamber humidity column", [](CalcInputs &in) { in.record.chamberHumidity = 63; }, CalcStep::Ventilation,
         "немає стовпця VL63", 1},
        {"outdoor humidity column", [](CalcInputs &in) { in.record.outdoorHumidity = 70; }, CalcStep::Ventilation,
         "стовпця VL70", 1},
        {"door air column when ventilation is skipped",
         [](CalcInputs &in) {
             in.record.chamberVolume = 0;
             in.airTable = AirTable({QStringLiteral("VL85"), QStringLiteral("VL90")});
             in.airTable.addRow(-20, {-18.8, -18.7}, 392);
             in.airTable.addRow(40, {146.0, 152.7}, 120);
         },
         CalcStep::Infiltration, "стовпця VL50", 2},
        {"negative door height", [](CalcInputs &in) { in.record.doorHeight = -2; }, CalcStep::Infiltration,
         "висота дверей від'ємна", 2},
        {"below absolute zero", [](CalcInputs &in) { in.record.temperatureBeyondWall[0] = -300; }, CalcStep::Infiltration,
         "абсолютний нуль", 2},
        {"zero treatment time",
         [](CalcInputs &in) {
             in.record.processingMode = QStringLiteral("Охлаждение");
             in.record.runningHours = 0;
         },
         CalcStep::ProductTreatment, "час термообробки дорівнює 0 год", 3},
        {"person heat column",
         [](CalcInputs &in) {
             AirTable t({QStringLiteral("VL50"), QStringLiteral("VL90")});
             t.addRow(-20, {-19.3, -18.7}, 392);
             t.addRow(40, {100.8, 152.7}, 120);
             in.airTable = t;
         },
         CalcStep::Personnel, "стовпця VL85", 6},
        {"zero running time", [](CalcInputs &in) { in.record.runningHours = 0; }, CalcStep::Fans,
         "час роботи обладнання дорівнює 0 год", 8},
    };
    for (const Case &c : cases) {
        CalcInputs in = busyInputs();
        c.change(in);
        const HeatBalance b = computeHeatBalance(in);
        ASSERT_EQ(b.stoppedAt, c.step) << c.what << ": " << qPrintable(b.error);
        EXPECT_TRUE(b.error.startsWith(QStringLiteral("Неможливо обчислити "))) << c.what;
        EXPECT_TRUE(b.error.contains(QString::fromUtf8(c.inMessage))) << c.what << ": " << qPrintable(b.error);
        for (int row = 1; row <= 9; ++row)
            EXPECT_EQ(b.gains[size_t(row - 1)].has_value(), row <= c.rowsWritten) << c.what << ", row " << row;
        EXPECT_FALSE(b.sum.has_value()) << c.what;
        EXPECT_FALSE(b.requiredCapacity.has_value()) << c.what;
        EXPECT_FALSE(b.label(LabelText::RequiredCapacity).has_value()) << c.what;
    }
}

TEST(Driver, TheRateIsWrittenBeforeAMissingColumnStopsVentilation)
{
    CalcInputs in = busyInputs();
    in.record.chamberHumidity = 63;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Ventilation);
    EXPECT_DOUBLE_EQ(*b.ventilationRateToStore, 70 / std::sqrt(72.0));
    EXPECT_FALSE(b.label(LabelText::VentilationRate).has_value());
    EXPECT_FALSE(b.ventilationRate.has_value());
}
