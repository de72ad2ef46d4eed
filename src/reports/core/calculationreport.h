#pragma once

#include "reportdefinition.h"
#include "reportpage.h"
#include "reportprintersettings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kvor {

class DbfTable;
class ReportLabels;

// The calculation report form `fmReport`: one A4 page over the calculation
// record, the labels the heat balance wrote and the title block. Created at
// start-up and never shown itself; the preview and print commands render it.
class CalculationReport : public QObject {
    Q_OBJECT
public:
    explicit CalculationReport(QObject *parent = nullptr);
    ~CalculationReport() override;

    // The report as laid out; loaded from the resources on first use.
    ReportDefinition &QuickRep1();

    void setWorkTable(DbfTable *taWork) { m_work = taWork; }
    // Run-time label texts (QRLabel70..QRLabel98), copied in at every rendering.
    void setLabels(const ReportLabels *labels) { m_labels = labels; }
    // The main window's version label.
    void setVersionText(std::function<QString()> f) { m_versionText = std::move(f); }
    // The calculation file's name in the footer; unset, the path `taWork` was opened with.
    void setFileName(std::function<QString()> f) { m_fileName = std::move(f); }
    // Where "TitleRep.txt" is looked for; the executable's folder unless set.
    void setTitleFolder(const QString &folder) { m_titleFolder = folder; }
    QString titleFolder() const;

    // Before-print: the file name and version in the footer and the title block.
    void QuickRep1BeforePrint();
    // A full rendering: before-print, the run-time labels, then the layout over `taWork`.
    std::vector<ReportPage> render(const std::function<void(int)> &progress = {});

    ReportPrinterSettings printerSettings;

private:
    DbfTable *m_work = nullptr;
    const ReportLabels *m_labels = nullptr;
    std::function<QString()> m_versionText;
    std::function<QString()> m_fileName;
    QString m_titleFolder;
    std::unique_ptr<ReportDefinition> m_def;
};

} // namespace kvor
