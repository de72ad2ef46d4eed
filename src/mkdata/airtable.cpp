#include "airtable.h"

#include "stagedfiles.h"

#include "storage/dbftable.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace kvor {

namespace {

constexpr double kPressure = 101325.0; // Pa, sea level
constexpr double kKelvin = 273.15;
constexpr int kHumidities = 11;        // 50, 55 … 100 %

// Floor of the person heat: the straight line 272 − 6 t W falls below what a
// working person still gives off (about 120 W) at 25.3 °C.
constexpr double kMinPersonHeat = 120.0;

// Saturation pressure of water vapour, Pa (Hyland and Wexler): over ice below
// 0 °C, over liquid water from 0 °C. No enhancement factor, so the table matches
// the usual textbook enthalpies.
double saturationPressure(double t)
{
    const double T = t + kKelvin;
    if (t < 0) {
        return std::exp(-5.6745359e+03 / T + 6.3925247e+00 - 9.6778430e-03 * T + 6.2215701e-07 * T * T
                        + 2.0747825e-09 * T * T * T - 9.4840240e-13 * T * T * T * T
                        + 4.1635019e+00 * std::log(T));
    }
    return std::exp(-5.8002206e+03 / T + 1.3914993e+00 - 4.8640239e-02 * T + 4.1764768e-05 * T * T
                    - 1.4452093e-08 * T * T * T + 6.5459673e+00 * std::log(T));
}

QString humidityColumn(int index)
{
    // The calculation asks for "VL" followed by the humidity's digits.
    return QStringLiteral("VL%1").arg(50 + 5 * index);
}

} // namespace

double AirTable::enthalpy(double temperature, double relativeHumidity)
{
    const double vapour = relativeHumidity / 100.0 * saturationPressure(temperature);
    const double ratio = 0.621945 * vapour / (kPressure - vapour); // kg water per kg dry air
    return 1.006 * temperature + ratio * (2501.0 + 1.86 * temperature);
}

AirRow AirTable::row(int temperature)
{
    AirRow r;
    r.temperature = temperature;
    for (int i = 0; i < kHumidities; ++i)
        r.enthalpy[i] = enthalpy(temperature, 50 + 5 * i);
    r.personHeat = std::max(272.0 - 6.0 * temperature, kMinPersonHeat);
    return r;
}

void AirTable::write(const QString &dataDir)
{
    std::vector<DbfColumn> columns = {{QStringLiteral("TEMVOZD"), 'N', 4, 0}};
    // Widths keep a place for the sign: N(8,2) holds −999.99 … 999.99 kJ/kg.
    for (int i = 0; i < kHumidities; ++i)
        columns.push_back({humidityColumn(i), 'N', 8, 2});
    columns.push_back({QStringLiteral("QP"), 'N', 6, 1});

    StagedFiles staged(dataDir);
    const QString path = staged.add(QStringLiteral("s_int.DBF"));
    DbfTable::create(path, columns);
    {
        DbfTable table;
        table.setTableName(path);
        table.open();
        for (int t = kFirst; t <= kLast; ++t) {
            const AirRow r = row(t);
            table.append();
            table.setValue(QStringLiteral("TEMVOZD"), r.temperature);
            for (int i = 0; i < kHumidities; ++i)
                table.setValue(humidityColumn(i), r.enthalpy[i]);
            table.setValue(QStringLiteral("QP"), r.personHeat);
            table.post();
        }
        table.close();
    }
    staged.commit();
}

} // namespace kvor
