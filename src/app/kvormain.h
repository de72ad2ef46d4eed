#pragma once

#include "storage/kvordm.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

namespace Ui {
class TfmKvor;
}

class QAction;
class QCheckBox;
class QLineEdit;
class QWindow;

namespace kvor {

class TfmAdd;

// The main window `fmKvor`: start screen, menu, tool bar, the input panel and
// the calculation-file commands.
class TfmKvor : public QMainWindow, public Tdm1Host {
    Q_OBJECT
public:
    explicit TfmKvor(QWidget *parent = nullptr);
    ~TfmKvor() override;

    Ui::TfmKvor *form() const { return m_ui.get(); }

    // The forms created after this one (start-up order).
    void setDataModule(Tdm1 *dm);
    void setAddDialog(TfmAdd *dialog);
    Tdm1 *dm() const { return m_dm; }

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

    // Handlers, named as the program names them.
    void FormActivate();
    void EnableFileCommands(bool on);
    void ClearResults();
    void Recalculate();
    void DBEdit1Change();
    void ComboBox1Change();
    void DBCheckBox4Click();
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileSave1Execute();
    void FileClose1Execute();
    void Button3Click();
    void animClick();

    // Tdm1Host
    void setProcessingModeItem(int item) override;
    void setProductCategoryText(const QString &text) override;
    void setExecutorItems(const QStringList &names) override;
    void setIncludeBoxes(const std::array<bool, 9> &checked) override;
    std::array<bool, 9> includeBoxes() const override;
    void settingsOpened(const QString &folder) override;

    int processingModeItem() const { return m_modeItem; }
    QString productCategoryText() const { return m_categoryText; }
    QCheckBox *includeBox(int row) const; // 1 … 9
    QLineEdit *resultEdit(int row) const; // 1 … 11

    // What happens on activation is decided from the window that had the focus before.
    static bool countsAsActivation(bool firstActivation, bool previousWasOurs, bool previousWasModal);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupToolBar();
    void setupEditCommands();
    void updateEditCommands();
    void showStartScreen();
    void showInputPanel();
    void closeCalculation();
    void openCalculation(const QString &path);
    bool confirmReplace(const QString &path);
    void showNews(bool on);

    std::unique_ptr<Ui::TfmKvor> m_ui;
    QPointer<Tdm1> m_dm;
    QPointer<TfmAdd> m_add;
    QString m_appDir;
    QString m_dataDir;
    bool m_tablesOpened = false;
    bool m_selectionOpen = false;
    bool m_activatedOnce = false;
    QString m_fileFolder;
    int m_modeItem = 0;
    QString m_categoryText;

    QAction *m_bFileSave = nullptr;
    QAction *m_bFileClose = nullptr;
    QAction *m_bFilePrev = nullptr;
    QAction *m_bFilePrint = nullptr;
    QAction *m_bEditCut = nullptr;
    QAction *m_bEditCopy = nullptr;
    QAction *m_bEditPaste = nullptr;

    QPointer<QWindow> m_focusWindow;
    bool m_focusWindowModal = false;
    bool m_previousOurs = false;
    bool m_previousModal = false;
};

} // namespace kvor
