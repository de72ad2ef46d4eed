#pragma once

#include "calcinputs.h"

#include <QString>

#include <array>
#include <optional>

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

// The nine gains, in the order a run computes them (panel rows 1 … 9).
enum class Gain {
    Walls,
    Ventilation,
    Infiltration,
    Product,
    Respiration,
    Lighting,
    Personnel,
    Vehicles,
    Fans,
};
inline constexpr int kGainCount = 9;

// The texts a run gives the labels of the reports and the window. Those named
// after a gain, RequiredCapacity and Sum show the held value with two decimals.
enum class LabelText {
    WallAGain, // each enclosure's own gain, kW
    WallBGain,
    WallCGain,
    WallDGain,
    CeilingGain,
    FloorGain,
    Walls,
    VentilationRate, // the rate used, volumes per day
    Ventilation,
    Entries,       // entries of vehicles per day, whole
    DoorOperation, // "Автоматическая" or "Ручная"
    Infiltration,
    ProductHeat,   // the product's share of the treatment gain, kW
    PackagingHeat, // the packaging's share, kW
    Product,
    Respiration,
    Lighting,
    Personnel,
    Vehicles,
    Fans,
    RequiredCapacity,
    Sum,
};
inline constexpr int kLabelTextCount = int(LabelText::Sum) + 1;

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

// The result of one run. Values the panel holds are kept to 0.01. Whatever
// the run did not write is empty and keeps the previous run's value on the
// panel and the labels: a run stopped by an undefined operation has only the
// results written before it, and the step and the message that stopped it.
// ResultBindings gives the order of the writes and where each one goes.
struct HeatBalance {
    std::array<std::optional<double>, kGainCount> gains;
    std::optional<double> sum;
    std::optional<double> requiredCapacity;
    std::array<std::optional<QString>, kLabelTextCount> labels;
    // The rate computed for the record's VN_KR (the table rounds it as it
    // stores it), when the run computed one.
    std::optional<double> ventilationRateToStore;

    std::optional<CalcStep> stoppedAt;
    QString error; // Ukrainian, for the user
    CalcDetails details;
    // The rate used and the number of entries, when their steps finished.
    std::optional<double> ventilationRate;
    std::optional<qint64> entries;

    bool completed() const { return !stoppedAt.has_value(); }
    std::optional<double> gain(Gain g) const { return gains[size_t(g)]; }
    const std::optional<QString> &label(LabelText l) const { return labels[size_t(l)]; }
};

// One heat-balance run over plain inputs: the nine gains in their fixed order,
// the required capacity and the sum, with every value the panel and the report
// labels receive.
HeatBalance computeHeatBalance(const CalcInputs &inputs);

// ρ(t) = 1.293 / (1 + t / 273.15), fixed point with four decimals.
double airDensity(int t);

} // namespace kvor
