#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kvor {

enum class ChamberStatus { Ok, NoSystem, NotCovered, Missing, Locked, Damaged };

// "ok", "no-system", … as the batch tool prints them.
QString statusKey(ChamberStatus status);
// What the project window shows.
QString statusText(ChamberStatus status);
// Missing, locked and damaged chambers have no figures to add up.
inline bool hasFigures(ChamberStatus status)
{
    return status == ChamberStatus::Ok || status == ChamberStatus::NoSystem || status == ChamberStatus::NotCovered;
}

// The refrigeration system a chamber adopted, with what the catalogue says of it.
struct ChamberSystem {
    QString code;        // SIS
    QString description; // OBR_NAIM
    QString unit;        // OBR_AGR
    QString compressor;  // OBR_VO
    QString controller;  // OBR_SHKAF
    QString pipeSet;     // OBR_KMONT
    double capacity = 0; // PROIZSYS, W, of one system
    int count = 1;       // KOLSYS; 0 counts as 1
    // From the catalogue row of the code, when the chamber's catalogue has it.
    std::optional<double> power;   // PPOT, kW, of one system
    std::optional<double> current; // IPOT, A, of one system
    // Q25, Q30, Q35, Q40, W, of one system.
    std::array<std::optional<double>, 4> ambientCapacity;
};

// One chamber of a project as the list shows it.
struct ChamberSummary {
    QString path; // absolute
    QString name; // file name without its suffix
    ChamberStatus status = ChamberStatus::Missing;
    QString error; // why a missing, locked or damaged chamber has no figures
    double volume = 0;
    int temperature = 0;  // OB_TEMKAM, °C
    double outdoorTemperature = 0; // OB_RGTMAX, °C
    QString mode;         // OB_TERMR
    QString executor;     // OB_ISP
    // What the results panel shows after opening: rows 1 … 9, the sum, the
    // required capacity (kW); empty where the run did not get to them.
    std::array<std::optional<double>, 9> gains;
    std::optional<double> sum;
    std::optional<double> required;
    QString runError; // the step that stopped the run
    std::optional<ChamberSystem> system;
};

// The status from the figures: no system, or whether the systems' capacity
// (PROIZSYS W × KOLSYS) reaches the required capacity.
ChamberStatus coverageStatus(const std::optional<double> &required, const std::optional<ChamberSystem> &system);

struct ProjectTotals {
    double required = 0; // kW
    int systems = 0;
    double power = 0;   // kW
    double current = 0; // A
    int leftOut = 0;    // chambers missing, locked or damaged
};

ProjectTotals projectTotals(const std::vector<ChamberSummary> &chambers);

} // namespace kvor
