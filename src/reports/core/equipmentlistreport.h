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

// The equipment list report form `fmReport2`: the main data of the calculation
// and one row per system the selection window lists. Only ever shown through
// the preview window.
class EquipmentListReport : public QObject {
    Q_OBJECT
public:
    explicit EquipmentListReport(QObject *parent = nullptr);
    ~EquipmentListReport() override;

    ReportDefinition &QuickRep1();

    void setWorkTable(DbfTable *taWork) { m_work = taWork; }
    void setCatalogueTable(DbfTable *taKat) { m_kat = taKat; }
    // Run-time label texts (the required capacity, QRLabel98).
    void setLabels(const ReportLabels *labels) { m_labels = labels; }
    void setVersionText(std::function<QString()> f) { m_versionText = std::move(f); }
    // The calculation file's name in the footer; unset, the path `taWork` was opened with.
    void setFileName(std::function<QString()> f) { m_fileName = std::move(f); }
    // The selection window's temperature label ("+12" ... "-30").
    void setTemperatureHeading(std::function<QString()> f) { m_temperature = std::move(f); }
    // Whether a catalogue column (Q25 ... T40) is shown in the selection window.
    void setFieldVisible(std::function<bool(const QString &)> f) { m_visible = std::move(f); }
    void setTitleFolder(const QString &folder) { m_titleFolder = folder; }
    QString titleFolder() const;

    // The display label of a catalogue field ("Q +25°С" for Q25); empty when it has none.
    static QString displayLabel(const QString &field);

    // Before-print: footer, column headings, the shown capacity pair and the title block.
    void QuickRep1BeforePrint();
    // A full rendering over `taWork` and the catalogue's rows; leaves the catalogue on its last row.
    std::vector<ReportPage> render(const std::function<void(int)> &progress = {});

    ReportPrinterSettings printerSettings;

private:
    DbfTable *m_work = nullptr;
    DbfTable *m_kat = nullptr;
    const ReportLabels *m_labels = nullptr;
    std::function<QString()> m_versionText;
    std::function<QString()> m_fileName;
    std::function<QString()> m_temperature;
    std::function<bool(const QString &)> m_visible;
    QString m_titleFolder;
    std::unique_ptr<ReportDefinition> m_def;
};

} // namespace kvor
