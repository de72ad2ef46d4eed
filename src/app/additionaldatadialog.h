#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AdditionalDataDialog;
}

namespace kvor {

class ReferenceTables;

// The additional-data dialog `fmAdd`: client, note, executor (with the
// executors list kept in the settings tables) and the calculation-files folder.
class AdditionalDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdditionalDataDialog(QWidget *parent = nullptr);
    ~AdditionalDataDialog() override;

    void setReferenceTables(ReferenceTables *dm);

    void setExecutorItems(const QStringList &names);
    QString folder() const;
    void setFolder(const QString &folder); // runs the folder change step
    // Where the open and save dialogs start when no folder is stored: the
    // user's documents folder, or home when there is none.
    static QString defaultFolder();

    void addExecutor();
    void removeExecutor();
    void onFolderEdited(const QString &text);

signals:
    // The open and save dialogs start in this folder from now on.
    void folderChanged(const QString &folder);

private:
    void refillExecutors();

    std::unique_ptr<Ui::AdditionalDataDialog> m_ui;
    ReferenceTables *m_dm = nullptr;
};

} // namespace kvor
