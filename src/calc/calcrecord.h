#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>

namespace kvor {

// The fields of the calculation record the heat balance reads. Small integers
// are int; integers and floats are double (the arithmetic is in floating point
// anyway). Index 0..5 of the arrays is wall А, Б, В, Г, the ceiling, the floor.
// Which record field fills which member is one table in calcrecord.cpp.
struct CalcRecord {
    QString processingMode;        // "Хранение" (storage) or "Охлаждение" (cooling)
    int chamberTemperature = 0;    // °C
    int runningHours = 0;          // daily running time of the equipment, h
    double safetyFactor = 0;
    double chamberLength = 0;      // m
    double chamberWidth = 0;       // m
    double chamberHeight = 0;      // m
    int outdoorTemperature = 0;    // maximum average daily of the region, °C
    int outdoorHumidity = 0;       // %
    double chamberVolume = 0;      // calculated, m³
    std::array<double, 6> surfaceArea{}; // calculated, m²

    std::array<QString, 6> wallMaterial;
    std::array<double, 6> wallMaterialThickness{};   // mm
    std::array<QString, 6> wallInsulation;
    std::array<double, 6> wallInsulationThickness{}; // mm
    std::array<int, 6> temperatureBeyondWall{};      // °C

    double ventilationRate = 0;    // air volumes per day
    bool ventilationRateEntered = false;

    bool automaticDoors = false;
    QString doorProtection;
    double doorHeight = 0;         // m
    double doorWidth = 0;          // m
    QString goodsKind;
    double vehicleLoadCapacity = 0; // kg

    QString product;
    double productMass = 0;        // stored, kg
    double productTurnover = 0;    // kg per day
    int productEntryTemperature = 0;
    int productFinalTemperature = 0;
    QString packaging;
    double packagingTurnover = 0;  // kg per day
    int packagingEntryTemperature = 0;
    int packagingFinalTemperature = 0;
    int chamberHumidity = 0;       // %

    int lightingHours = 0;         // per day
    int lightingPower = 0;         // W/m²
    int workers = 0;
    int vehiclePower = 0;          // kW

    int fanAllowance = 0;          // % of the refrigeration load
    bool fansRefined = false;      // the fans' own count and power are used
    int fanCount = 0;
    double fanPower = 0;           // kW

    // Every field above, by its record name (calculated ones included).
    static QStringList fieldNames();
    // Fills the fields from a reader of the record by field name. Null values
    // read as empty text, 0 and false, as the table's fields do.
    static CalcRecord read(const std::function<QVariant(const QString &)> &field);
};

} // namespace kvor
