#pragma once

#include <QString>

namespace kvor {

// Moist-air properties by temperature, computed from the psychrometric formulas.
struct AirRow {
    int temperature = 0;      // °C
    double enthalpy[11] = {}; // kJ/kg at 50, 55 … 100 % relative humidity
    double personHeat = 0;    // W given off by one working person
};

class AirTable {
public:
    static constexpr int kFirst = -40;
    static constexpr int kLast = 50;

    static AirRow row(int temperature);
    // Specific enthalpy of moist air, kJ/kg (sea-level pressure).
    static double enthalpy(double temperature, double relativeHumidity);
    // Writes "s_int.DBF" into the folder.
    static void write(const QString &dataDir);
};

} // namespace kvor
