#pragma once

#include "chambersummary.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTemporaryDir;

namespace kvor {

class CalculationDocument;
class ReferenceTables;

// The required capacity of a chamber at one outdoor temperature.
struct CapacityPoint {
    int outdoor = 0;                // °C
    std::optional<double> required; // kW; empty where the run stopped before it
};

// Required capacity against the outdoor temperature, beside what the adopted
// systems deliver at the catalogue's four ambient columns.
struct CapacityCurve {
    std::vector<CapacityPoint> required;  // 20 … 45 °C
    std::optional<ChamberSystem> system;  // its ambientCapacity × count is the supply
    static constexpr int kFrom = 20;
    static constexpr int kTo = 45;
    static constexpr int kAmbient[4] = {25, 30, 35, 40};
    // The highest whole outdoor temperature up to which the systems cover the
    // requirement, reading the supply linearly between the ambient columns
    // (flat beyond them); empty when they cover nothing or there is no system.
    std::optional<int> copesUpTo() const;
    // Total supply (W) at an outdoor temperature, as copesUpTo reads it.
    std::optional<double> supplyAt(double outdoor) const;
};

// Reads chambers of a project: each is opened by the program's own Open
// command on a private copy (its file is never written), with the reference
// tables of one data folder opened read-only once for all of them.
class ChamberEvaluator {
public:
    // Throws DbfError when the data folder's tables cannot be opened.
    explicit ChamberEvaluator(const QString &dataDir);
    ~ChamberEvaluator();

    const QString &dataDir() const { return m_dataDir; }
    ReferenceTables &tables() { return *m_tables; }

    // Never throws: a chamber that cannot be read gets its status and error.
    ChamberSummary evaluate(const QString &path);
    // A calculation open elsewhere (the main window's document), as it stands.
    ChamberSummary summarize(const CalculationDocument &document, const QString &path);

    // Opens a private copy of `path` and runs `work` on the open document.
    // False, with `error` set, when the file cannot be opened; exceptions of
    // `work` propagate after the copy is closed.
    bool withChamber(const QString &path, const std::function<void(CalculationDocument &)> &work,
                     QString *error = nullptr, ChamberStatus *status = nullptr);

    // Recalculated at every outdoor temperature from 20 to 45 °C: the region's
    // temperature and every surface that faced it take the value.
    CapacityCurve capacityCurve(const QString &path);
    CapacityCurve capacityCurve(CalculationDocument &document);

    // The catalogue row of `code` for a chamber at `chamberTemperature`.
    std::optional<ChamberSystem> catalogueSystem(double chamberTemperature, const QString &code);

private:
    struct CatalogueRow {
        std::optional<double> power, current;
        std::array<std::optional<double>, 4> ambient;
    };
    const QHash<QString, CatalogueRow> &catalogue(const QString &file);

    QString m_dataDir;
    std::unique_ptr<ReferenceTables> m_tables;
    std::unique_ptr<CalculationDocument> m_document;
    std::unique_ptr<QTemporaryDir> m_temp;
    QHash<QString, QHash<QString, CatalogueRow>> m_catalogues;
};

} // namespace kvor
