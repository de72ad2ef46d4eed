#pragma once

#include "project/core/projectfile.h"
#include "reports/core/reportprintersettings.h"
#include "reports/reportpreview.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace Ui {
class ProjectWindow;
}

class QSortFilterProxyModel;
class QTimer;

namespace kvor {

class CalculationDocument;
class ChamberEvaluator;
class ChamberTableModel;
class Prompts;
struct ChamberSummary;

// A cold store of several chambers: the project's details, its chamber list
// with totals, the two charts and the project's file and report commands.
// Non-modal beside the main window, which opens the chambers for editing; while
// one is open there its row follows the main window's document.
class ProjectWindow : public QMainWindow {
    Q_OBJECT
public:
    // `prompts` gives the questions and file dialogs in force when one is asked.
    ProjectWindow(const QString &dataDir, std::function<Prompts &()> prompts, QWidget *parent = nullptr);
    ~ProjectWindow() override;

    // The main window's calculation: rows of a chamber open there come from it.
    void setMainDocument(CalculationDocument *document);
    // Where the project report's chamber pages look for their title block.
    void setTitleFolder(const QString &folder) { m_titleFolder = folder; }
    void setVersionText(const QString &text) { m_versionText = text; }

    bool hasProject() const { return m_open; }
    const ProjectFile &project() const { return m_project; }
    bool isModified() const { return m_modified; }
    ChamberTableModel *model() const { return m_model; }
    QSortFilterProxyModel *sortedModel() const { return m_sorted; }
    // The selected chamber's row in project order, -1 when none.
    int currentChamber() const;
    void selectChamber(int row);
    QString totalsText() const;

    // Opens `path` in place of the current project (asking to save that one
    // first); false, with the user told why, when it cannot be read.
    bool openProject(const QString &path);

public slots:
    void newProject();
    void openProjectFile();
    bool saveProject();
    bool saveProjectAs();
    // False when the user kept the project open (a failed save).
    bool closeProject();

    void newChamber();
    void addChambers();
    void duplicateChamber();
    void removeChamber();
    void openInMainWindow();
    void relocateChamber();
    void recalculateAll();

    void exportCsv();
    void saveCurrentChart();
    void printProject();
    void previewProject();
    void exportPdf();

signals:
    // The main window should open this calculation through its Open command.
    void openCalculationRequested(const QString &path);
    // The main window should close its calculation (writing it as its Close does).
    void closeCalculationRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Prompts &prompts() const { return m_prompts(); }
    ChamberEvaluator *evaluator();
    ChamberSummary summaryOf(const QString &path);
    void showProject();
    void refreshChamber(const QString &path);
    void refreshMainChamber();
    void chambersChanged();
    void updateTotals();
    void updateCapacityChart();
    void updateCommands();
    void updateTitle();
    void setModified(bool on);
    bool confirmReplace(const QString &path);
    bool mayWriteChamber(const QString &path);
    QString exportFileName(const QString &filter, const QString &suffix);
    bool writeProject(const QString &path);
    bool maybeSave();
    void addChamberFile(const QString &path);
    QString projectFolder() const;
    bool mainDocumentHolds(const QString &path) const;
    ReportPreview::ProgressRender reportRender();
    bool chambersFreeForReport();

    std::unique_ptr<Ui::ProjectWindow> m_ui;
    std::function<Prompts &()> m_prompts;
    QString m_dataDir;
    QString m_titleFolder;
    QString m_versionText;
    std::unique_ptr<ChamberEvaluator> m_evaluator;
    QString m_evaluatorError;
    QPointer<CalculationDocument> m_mainDocument;
    QString m_mainPath; // the file the main document had open, kept until its closing is handled
    ChamberTableModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTimer *m_mainRefresh = nullptr;
    ProjectFile m_project;
    bool m_open = false;
    bool m_modified = false;
    ReportPrinterSettings m_printerSettings;
};

} // namespace kvor
