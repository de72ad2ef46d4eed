#pragma once

#include "selection/core/catalogueselection.h"
#include "document/calculationdocument.h"
#include "storage/referencetables.h"

#include <QString>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kvor {

// What the window showed after the heat balance of an opened file ran.
struct BatchShown {
    std::array<std::optional<double>, 11> panel; // CurrencyEdit1 … CurrencyEdit11
    std::vector<std::pair<QString, QString>> labels;          // calculation report and window, in run order
    std::vector<std::pair<QString, QString>> equipmentLabels; // the equipment list report's
    std::optional<double> ventilationRate;
    std::optional<qint64> entries;
    QString mode;
    QString error; // the step that stopped the run
};

using ReportLabelTexts = std::vector<std::pair<QString, QString>>;

// A calculation file opened by the program's own Open command, on a temporary
// copy (the user's file is never written), with the reference tables of a data
// folder opened read-only. Several files can be opened one after another: the
// reference tables stay open, each file gets a document of its own.
class BatchSession {
public:
    BatchSession();
    ~BatchSession();

    // Opens `file` with the tables of `dataDir` (empty: DATA beside the
    // executable) and runs the balance, closing the file opened before. The
    // tables are opened on the first call; later calls keep them and their
    // folder. Throws DbfError with the message on failure.
    void open(const QString &file, const QString &dataDir);
    // The reference tables alone, so a failure there is told apart from a
    // file's own. Throws DbfError.
    void openTables(const QString &dataDir);

    // What the selection window reads for a build, with the window's per-cent fields.
    SelectionInputs selectionInputs(int int1, int int2);
    // The main window's report label stores as the run left them.
    void reportLabels(ReportLabelTexts &report, ReportLabelTexts &equipment) const;

    ReferenceTables &dm() { return m_dm; }
    CalculationDocument &document() { return *m_document; }
    const BatchShown &shown() const { return m_shown; }
    const QString &dataDir() const { return m_dataDir; }
    const QString &file() const { return m_file; }
    // The scratch copy of the file last opened (empty before its copy exists).
    const QString &copyPath() const { return m_copy; }

private:
    QTemporaryDir m_temp;
    ReferenceTables m_dm;
    std::unique_ptr<CalculationDocument> m_document;
    QString m_copy; // the open file's scratch copy
    bool m_tablesOpen = false;
    BatchShown m_shown;
    QString m_dataDir;
    QString m_file;
};

} // namespace kvor
