#pragma once

#include "calc/heatbalance.h"
#include "calc/resultbindings.h"
#include "reports/core/reportlabels.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QTemporaryDir;

namespace kvor {

class DbfTable;
class ReferenceTables;

// A refrigeration system taken from the catalogue into the calculation.
struct AdoptedSystem {
    QString code;        // SIS
    QString description; // the group's two lines, joined
    QString unit;        // AGR
    QString cooler;      // VOHL
    QString cabinet;     // SHKAF
    QString kit;         // NABOR
    QVariant capacity;   // at the chosen ambient column; null when the catalogue has none
};

// The open calculation: its record (the reference tables' `taWork`), the
// processing mode, the product category, the nine include flags, the results
// the last runs held and the texts they wrote for the reports. Its methods are
// the user's commands and the input rules; windows follow its signals.
//
// Commands raise DbfError as the table layer does. Rules report a table error
// through tableError() and stop there, as the program always has; they return
// false when they did not run (no calculation open, or that error), whatever
// the run after them gave.
class CalculationDocument : public QObject {
    Q_OBJECT
public:
    explicit CalculationDocument(ReferenceTables &tables, QObject *parent = nullptr);
    ~CalculationDocument() override;

    ReferenceTables &tables() const { return m_tables; }
    DbfTable &record() const;
    bool isOpen() const;
    // The calculation's file as the user named it.
    const QString &filePath() const { return m_path; }
    // Opened from a private copy because the user may not write the file.
    bool isReadOnly() const { return m_viewCopy != nullptr; }

    // ---- commands
    // New: the data folder's template copied to `path` and opened, the results
    // cleared, then the category and option rules. False when the copy did not appear.
    bool createFromTemplate(const QString &dataDir, const QString &path);
    // Open: the record's own steps, then the option and category rules.
    void open(const QString &path);
    // Converts an old calculation file that did not open; see CalcFiles::convert.
    CalcFiles::Conversion convertOldFile(const QString &dataDir, const QString &path, QString *target,
                                         const std::function<bool(const QString &)> &replace);
    // Writes the record and, for another name, copies the file there and opens that.
    void saveAs(const QString &path);
    // Writes the include flags and whatever is pending into the record and closes it.
    void close();

    // ---- input rules
    // 0 storage, anything else cooling: the record's mode text and a run.
    void setProcessingMode(int item);
    // The region list's climate into the record, unless the region is "Другой"
    // (typed by hand) or the list does not stand on the record's region; then
    // the outdoor temperature to all surfaces.
    bool applyRegionClimate();
    bool copyOutdoorTemperatureToSurfaces();
    // Wall А's construction to the other five surfaces while ST_IDENT is set.
    bool copyWallAToAllSurfaces();
    // In storage mode the final product and packaging temperatures follow the chamber's.
    bool finalTemperaturesFromChamber();
    bool stackingHeightFromChamberHeight();
    // Product mass and daily turnover of a chamber filled to `fraction`.
    bool fillChamber(double fraction);
    // Filters the products to `category` (a partial text too) and checks the product.
    bool setProductCategory(const QString &category);
    // The record's product among those offered, or the first of them; then a run.
    bool checkProduct();
    // The recommended lighting power while OS_REC is set; then a run.
    bool applyOptionBoxes();
    void setIncluded(int row, bool on); // 1 … 9
    bool recalculate();

    // ---- the chosen system; table errors propagate
    void adoptSystem(const AdoptedSystem &system);
    // Empties the adopted system (its capacity no longer fits the requirement).
    void discardSystem();

    // ---- state
    int processingMode() const { return m_mode; }
    const QString &productCategory() const { return m_category; }
    const std::array<bool, 9> &included() const { return m_included; }
    // The value result row `row` holds (1 … 9 the gains, 10 the sum, 11 the required capacity).
    double result(int row) const { return m_results.at(size_t(row - 1)); }
    const ReportLabels &reportLabels() const { return m_reportLabels; }
    const ReportLabels &equipmentLabels() const { return m_equipmentLabels; }
    const ReportLabels &windowLabels() const { return m_windowLabels; }
    // The last run and the writes it made, in order (fewer when a record write failed).
    const HeatBalance &lastRun() const { return m_lastRun; }
    const std::vector<CalcOutput> &lastWrites() const { return m_lastWrites; }
    // Why the last run stopped: an undefined operation, or a record write that failed.
    const QString &lastRunError() const { return m_lastRunError; }

    static QString storageMode();
    static QString coolingMode();
    static QString otherRegion();

signals:
    void opened();
    void closed();
    void modeChanged(int item);
    void productCategoryChanged(const QString &category);
    void includedChanged(int row, bool on);
    // A result row written by a run, in the order the run writes them.
    void resultChanged(int row, double value);
    void windowLabelChanged(const QString &name, const QString &text);
    void executorsChanged(const QStringList &names);
    void tableError(const QString &message, DbfError::Kind kind);
    // A run stopped at an undefined operation or at a record write that failed.
    void runStopped(const QString &message);
    // A rule that needs an open calculation ran without one.
    void notOpen();

private:
    template <class F>
    bool guarded(F &&f);
    void openFile(const QString &path);
    void afterOpen();
    void beforeClose();
    void clearResults();
    void setResult(int row, double value);
    void apply(const CalcOutput &output);
    void productCategoryFilter(const QString &category);
    void keepProduct();

    ReferenceTables &m_tables;
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_viewCopy; // what a read-only calculation is worked on
    int m_mode = 0;
    QString m_category;
    std::array<bool, 9> m_included{};
    std::array<double, 11> m_results{};
    ReportLabels m_reportLabels;
    ReportLabels m_equipmentLabels;
    ReportLabels m_windowLabels;
    HeatBalance m_lastRun;
    std::vector<CalcOutput> m_lastWrites;
    QString m_lastRunError;
};

} // namespace kvor
