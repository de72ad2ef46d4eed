#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfmAdd;
}

namespace kvor {

class Tdm1;

// The additional-data dialog `fmAdd`: client, note, executor (with the
// executors list kept in the settings tables) and the calculation-files folder.
class TfmAdd : public QDialog {
    Q_OBJECT
public:
    explicit TfmAdd(QWidget *parent = nullptr);
    ~TfmAdd() override;

    Ui::TfmAdd *form() const { return m_ui.get(); }
    void setDataModule(Tdm1 *dm);

    void setExecutorItems(const QStringList &names);
    QString folder() const;
    void setFolder(const QString &folder); // runs the folder change step

    void BitBtn2Click();
    void BitBtn3Click();
    void DirectoryEdit1Change(const QString &text);

signals:
    // The open and save dialogs start in this folder from now on.
    void folderChanged(const QString &folder);

private:
    void refillExecutors();

    std::unique_ptr<Ui::TfmAdd> m_ui;
    Tdm1 *m_dm = nullptr;
};

} // namespace kvor
