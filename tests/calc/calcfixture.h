#pragma once

#include "calc/calcinputs.h"
#include "calc/heatbalance.h"
#include "calc/resultbindings.h"

#include <QString>

#include <gtest/gtest.h>

namespace kvor::test {

// A small air table with round numbers, for checks by hand.
//   TEMVOZD   VL50    VL55    VL85    VL90    QP
//     -20    -19.3   -19.2   -18.8   -18.7   392
//       0      4.7     5.2     8.0     8.5   272
//      30     64.2    67.7    88.9    92.5   120
//      40    100.8   107.1   146.0   152.7   120
inline AirTable smallAirTable()
{
    AirTable t({QStringLiteral("VL50"), QStringLiteral("VL55"), QStringLiteral("VL85"), QStringLiteral("VL90")});
    t.addRow(-20, {-19.3, -19.2, -18.8, -18.7}, 392);
    t.addRow(0, {4.7, 5.2, 8.0, 8.5}, 272);
    t.addRow(30, {64.2, 67.7, 88.9, 92.5}, 120);
    t.addRow(40, {100.8, 107.1, 146.0, 152.7}, 120);
    return t;
}

// Rows every 5 K from -30 to 40 °C, columns VL50 … VL100, from the moist-air
// formulas of the reference data notes (Hyland–Wexler saturation pressure,
// h = 1.006 t + W (2501 + 1.86 t), no enhancement factor), rounded to 0.01;
// QP = 272 - 6 t W, not below 120. Computed once with a Python script.
inline AirTable psychrometricAirTable()
{
    struct R {
        int t;
        double vl[11];
        double qp;
    };
    static const R rows[] = {
        {-30, {-29.89, -29.87, -29.84, -29.81, -29.78, -29.75, -29.72, -29.69, -29.67, -29.64, -29.61}, 452},
        {-25, {-24.67, -24.63, -24.58, -24.53, -24.48, -24.43, -24.39, -24.34, -24.29, -24.24, -24.20}, 422},
        {-20, {-19.34, -19.26, -19.18, -19.10, -19.03, -18.95, -18.87, -18.79, -18.71, -18.64, -18.56}, 392},
        {-15, {-13.83, -13.71, -13.58, -13.46, -13.33, -13.21, -13.08, -12.95, -12.83, -12.70, -12.58}, 362},
        {-10, {-8.08, -7.88, -7.68, -7.48, -7.28, -7.08, -6.89, -6.69, -6.49, -6.29, -6.09}, 332},
        {-5, {-1.95, -1.64, -1.33, -1.03, -0.72, -0.41, -0.10, 0.21, 0.52, 0.83, 1.14}, 302},
        {0, {4.71, 5.18, 5.65, 6.12, 6.60, 7.07, 7.54, 8.02, 8.49, 8.97, 9.44}, 272},
        {5, {11.78, 12.46, 13.14, 13.82, 14.50, 15.18, 15.86, 16.54, 17.22, 17.91, 18.59}, 242},
        {10, {19.61, 20.58, 21.54, 22.50, 23.47, 24.43, 25.40, 26.37, 27.34, 28.31, 29.28}, 212},
        {15, {28.44, 29.79, 31.14, 32.49, 33.84, 35.20, 36.56, 37.92, 39.28, 40.65, 42.02}, 182},
        {20, {38.55, 40.42, 42.29, 44.17, 46.05, 47.93, 49.82, 51.71, 53.61, 55.51, 57.42}, 152},
        {25, {50.32, 52.88, 55.45, 58.03, 60.62, 63.21, 65.81, 68.42, 71.04, 73.67, 76.31}, 122},
        {30, {64.21, 67.69, 71.19, 74.71, 78.24, 81.78, 85.34, 88.91, 92.50, 96.11, 99.73}, 120},
        {35, {80.80, 85.50, 90.23, 94.99, 99.77, 104.58, 109.42, 114.29, 119.19, 124.11, 129.07}, 120},
        {40, {100.81, 107.12, 113.47, 119.88, 126.33, 132.84, 139.40, 146.00, 152.66, 159.37, 166.13}, 120},
    };
    QStringList columns;
    for (int h = 50; h <= 100; h += 5)
        columns << QStringLiteral("VL%1").arg(h);
    AirTable t(columns);
    for (const R &r : rows)
        t.addRow(r.t, std::vector<double>(r.vl, r.vl + 11), r.qp);
    return t;
}

// A plain storage chamber 6 x 4 x 3 m at -20 °C that every step can compute:
// no wall materials found (walls 0), the ventilation rate entered (0), a
// 2 x 1.5 m manual door with 30 °C air outside wall А, no product.
inline CalcInputs baseInputs()
{
    CalcInputs in;
    CalcRecord &r = in.record;
    r.processingMode = QStringLiteral("Хранение");
    r.chamberTemperature = -20;
    r.runningHours = 24;
    r.safetyFactor = 1;
    r.chamberLength = 6;
    r.chamberWidth = 4;
    r.chamberHeight = 3;
    r.chamberVolume = 72;
    r.surfaceArea = {12, 18, 12, 18, 24, 24};
    r.outdoorTemperature = 30;
    r.outdoorHumidity = 50;
    r.temperatureBeyondWall = {30, 30, 30, 30, 30, 30};
    r.ventilationRateEntered = true;
    r.ventilationRate = 0;
    r.chamberHumidity = 90;
    r.doorHeight = 2;
    r.doorWidth = 1.5;
    r.goodsKind = QStringLiteral("Мясні туші на гаках");
    r.doorProtection = QStringLiteral("Відсутня");
    in.airTable = smallAirTable();
    return in;
}

// Every step busy: walls found, a computed ventilation rate, a product.
inline CalcInputs busyInputs()
{
    CalcInputs in = baseInputs();
    in.record.ventilationRateEntered = false;
    for (size_t i = 0; i < 6; ++i) {
        in.enclosures[i] = {0.5, 0.04};
        in.record.wallMaterialThickness[i] = 100;
        in.record.wallInsulationThickness[i] = 100;
    }
    in.record.productTurnover = 2000;
    in.record.productEntryTemperature = 5;
    in.record.productFinalTemperature = -20;
    ProductRow p;
    p.TZAM = -1;
    p.CP1 = 3.5;
    p.CP2 = 1.8;
    p.LSKR = 240;
    p.Q1 = 20;
    p.Q2 = 40;
    p.Q3 = 80;
    in.product = p;
    in.record.productMass = 10000;
    in.record.lightingPower = 5;
    in.record.lightingHours = 8;
    in.record.workers = 2;
    in.record.vehiclePower = 4;
    in.record.fanAllowance = 15;
    in.record.vehicleLoadCapacity = 1000;
    return in;
}

inline bool wrote(const HeatBalance &b, OutputTarget target, const QString &name)
{
    for (const CalcOutput &o : ResultBindings::writes(b)) {
        if (o.target == target && o.name == name)
            return true;
    }
    return false;
}

inline QString labelText(const HeatBalance &b, const char *name)
{
    for (const CalcOutput &o : ResultBindings::writes(b)) {
        if (o.target == OutputTarget::CalculationReport && o.name == QLatin1String(name))
            return o.text;
    }
    return QStringLiteral("<not written>");
}

} // namespace kvor::test
