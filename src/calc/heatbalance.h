#pragma once

#include "calcinputs.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kvor {

// The steps of one run, in the order they run.
enum class CalcStep {
    Walls,
    Ventilation,
    Infiltration,
    ProductTreatment,
    Respiration,
    Lighting,
    Personnel,
    Vehicles,
    Fans,
    RequiredCapacity,
    Sum, // with the total labels
};

// Where a run writes.
enum class OutputTarget {
    Panel,               // CurrencyEdit1 … CurrencyEdit11
    CalculationReport,   // QRLabel70 … QRLabel98 of the calculation report
    EquipmentListReport, // QRLabel98 of the equipment list report
    MainWindow,          // Label3
    Record,              // VN_KR
};

// One write of a run. Panel writes carry the held value and the text the field
// keeps ("0.##"); label writes the label's text; the record write the computed
// ventilation rate (the table rounds it as it stores it).
struct CalcOutput {
    OutputTarget target = OutputTarget::Panel;
    QString name;
    double value = 0;
    QString text;
};

// Working values of a run, for reports, tools and tests. Each stays 0 when its
// step was skipped or not reached.
struct CalcDetails {
    std::array<double, 6> enclosureResistance{}; // R, m²·K/W
    std::array<double, 6> enclosureGain{};       // Q_i, W
    double walls = 0;                            // Qстін, kW

    double ventilationRate = 0;  // n, volumes per day
    double airMassFlow = 0;      // G, kg/s
    int humidityClass = 0;       // b
    double outdoorEnthalpy = 0;  // h_out
    double chamberEnthalpy = 0;  // h_in
    double ventilation = 0;      // Qвен, kW

    double doorArea = 0;         // A
    double chamberDensity = 0;   // ρ_in
    double outsideDensity = 0;   // ρ_out
    double densityFactor = 0;    // Fm
    double doorAirEnthalpy = 0;  // h_1
    double doorRoot = 0;         // √(IN_DV × (1 − ρ_out / ρ_in))
    double doorFlow = 0;         // G_door
    double goodsFactor = 0;      // k
    qint64 entries = 0;          // N
    double doorOpenFraction = 0; // Dt
    double protection = 0;       // E
    double infiltration = 0;     // Qінф, kW

    double productHeat = 0;      // Qp, kW
    double packagingHeat = 0;    // Qt, kW
    double respirationEnd = 0;   // q_e
    double respirationStart = 0; // q_s
    double respiration = 0;      // Qдих, kW

    double lighting = 0;         // Qосв, kW
    double personHeat = 0;       // QP, W
    double personnel = 0;        // Qперс, kW
    double vehicles = 0;         // Qнтз, kW
    double fanBase = 0;          // Qx, kW
    double fans = 0;             // Qпо, kW
};

// The result of one run. Whatever the run did not write keeps the previous
// run's value: a run stopped by an undefined operation lists only the writes
// made before it, and the step and the message that stopped it.
//
// A caller applies `outputs` in order (the record write puts the record into
// edit state first), then shows `error` if there is one. Only CurrencyEdit11's
// change notification depends on the order of the panel writes.
struct HeatBalance {
    std::vector<CalcOutput> outputs; // in the order the run wrote them
    std::optional<CalcStep> stoppedAt;
    QString error; // Ukrainian, for the user
    CalcDetails details;
    // The rate used (QRLabel77) and the number of entries (Label3), when their
    // steps finished.
    std::optional<double> ventilationRate;
    std::optional<qint64> entries;

    bool completed() const { return !stoppedAt.has_value(); }
    // Held value of CurrencyEdit`field` (1 … 9 the gains, 10 the sum, 11 the
    // required capacity), when the run wrote it.
    std::optional<double> panel(int field) const;
    std::optional<double> row(int row) const { return panel(row); }
    std::optional<double> sum() const { return panel(10); }
    std::optional<double> required() const { return panel(11); }
    std::optional<QString> label(const QString &name, OutputTarget target = OutputTarget::CalculationReport) const;
    // The rate written back into VN_KR, when the run computed one.
    std::optional<double> ventilationRateToStore() const;
};

// One heat-balance run over plain inputs: the nine gains in their fixed order,
// the required capacity and the sum, with every value the panel and the report
// labels receive.
HeatBalance computeHeatBalance(const CalcInputs &inputs);

// ρ(t) = 1.293 / (1 + t / 273.15), fixed point with four decimals.
double airDensity(int t);

} // namespace kvor
