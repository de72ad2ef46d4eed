#pragma once

#include "reports/core/reportlabels.h"
#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "selection/selectionwindow.h"
#include "storage/referencetables.h"
#include "document/calculationdocument.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

namespace Ui {
class MainWindow;
}

class QAction;
class QCheckBox;
class QLineEdit;

namespace kvor {

class InputPanel;
class InputPanelView;
class ProjectWindow;
class AdditionalDataDialog;
class WindowActivation;


// The main window `fmKvor`: start screen, menu, tool bar, the input panel and
// the calculation-file commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    InputPanel *inputPanel() const { return m_input; }
    // The open calculation; there is one once the tables are set.
    CalculationDocument *document() const { return m_document.get(); }

    // The forms created after this one (start-up order).
    void setReferenceTables(ReferenceTables *dm);
    void setAddDialog(AdditionalDataDialog *dialog);
    void setSelectionWindow(SelectionWindow *window);
    // The two report forms; the calculation report prints from here, the
    // equipment list from the selection window.
    void setReportForms(CalculationReport *report, EquipmentListReport *list);
    SelectionWindow *selectionWindow() const { return m_podbor; }
    ReferenceTables *dm() const { return m_dm; }

    // The folder the executable lives in; DATA beside it. Tests point it elsewhere.
    void setApplicationDir(const QString &folder) { m_appDir = folder; }
    const QString &dataDir() const { return m_dataDir; }
    bool tablesOpened() const { return m_tablesOpened; }
    bool selectionOpen() const { return m_selectionOpen; }
    void setSelectionOpen(bool on) { m_selectionOpen = on; }
    bool calculationOpen() const;

    // The initial folder of the open and save dialogs.
    const QString &fileFolder() const { return m_fileFolder; }
    void setFileFolder(const QString &folder) { m_fileFolder = folder; }

    // The first activation opens the reference tables.
    void onActivated();
    void enableFileCommands(bool on);
    void recalculate();
    // Runs whenever the value shown in CurrencyEdit11 changes: a system chosen
    // for another capacity is dropped.
    void dropSystemOfAnotherCapacity();
    void openSelection(); // the equipment selection
    void printReport();
    void previewReport();
    void newFile();
    void openFile();
    // Open without asking for the file: what the project window uses.
    void openCalculation(const QString &path);
    void saveFile();
    void closeFile();
    void openAdditionalData();
    void toggleNews();

    // The project window, created on first use; non-modal beside this one.
    ProjectWindow *projectWindow();
    void showProjectWindow();
    // Opens a project file in the project window; false when it cannot be read.
    bool openProject(const QString &path);

    int processingModeItem() const { return m_document ? m_document->processingMode() : 0; }
    QString productCategoryText() const { return m_document ? m_document->productCategory() : QString(); }
    QCheckBox *includeBox(int row) const; // 1 … 9
    QLineEdit *resultEdit(int row) const; // 1 … 11
    // The value a result field holds (to 0.01 kW), what later readers use.
    double resultValue(int field) const { return m_document ? m_document->result(field) : 0.0; }

    // Texts the heat balance writes for the calculation report, for the
    // equipment list report, and for the window's own labels (Label3).
    const ReportLabels &reportLabels() const;
    const ReportLabels &equipmentReportLabels() const;
    const ReportLabels &windowLabels() const;

signals:
    // The shown required capacity changed (fires dropSystemOfAnotherCapacity).
    void requiredCapacityShownChanged();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupToolBar();
    void showStartScreen();
    void showInputPanel();
    void closeCalculation();
    bool confirmReplace(const QString &path);
    void leaveFailedCommand();
    QString calculationCaption() const;
    void showNews(bool on);
    void showResult(int field, double held);
    void connectDocument();

    std::unique_ptr<Ui::MainWindow> m_ui;
    InputPanel *m_input = nullptr;
    std::unique_ptr<CalculationDocument> m_document; // with the reference tables
    InputPanelView *m_panelView = nullptr;
    QPointer<ReferenceTables> m_dm;
    QPointer<AdditionalDataDialog> m_add;
    QPointer<SelectionWindow> m_podbor;
    QPointer<CalculationReport> m_report;
    QPointer<EquipmentListReport> m_list;
    std::unique_ptr<ProjectWindow> m_projectWindow;
    QString m_appDir;
    QString m_dataDir;
    bool m_tablesOpened = false;
    bool m_selectionOpen = false;
    QString m_fileFolder;


    WindowActivation *m_activation = nullptr;
};

} // namespace kvor
