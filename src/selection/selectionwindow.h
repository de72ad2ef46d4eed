#pragma once

#include <QPointer>

#include "cataloguemodel.h"
#include "windowactivation.h"
#include "selection/core/catalogueselection.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class SelectionWindow;
}

namespace kvor {

class CalculationDocument;

class NumericEdit;
class ReferenceTables;

// The selection window `fmPodbor`: the systems of the catalogue that suit the
// open calculation, the capacity window and number of systems that filter them,
// and adoption of one into the calculation record.
class SelectionWindow : public QDialog {
    Q_OBJECT
public:
    explicit SelectionWindow(QWidget *parent = nullptr);
    ~SelectionWindow() override;

    void setReferenceTables(ReferenceTables *dm);
    ReferenceTables *referenceTables() const { return m_dm; }
    // The calculation a chosen system is adopted into.
    void setDocument(CalculationDocument *document) { m_document = document; }
    void setDataDir(const QString &dir) { m_dataDir = dir; }
    // The required capacity the main window shows (CurrencyEdit11).
    void setRequiredCapacity(std::function<double()> f) { m_required = std::move(f); }
    // What "Друк систем" shows: the equipment list in the print preview.
    void setEquipmentPreview(std::function<void()> f) { m_preview = std::move(f); }
    // Where the window's messages go; unset, a message box.
    void setMessageSink(std::function<void(const QString &)> f) { m_messageSink = std::move(f); }

    QString temperatureHeading() const; // Label3
    CatalogueSelection &selection() { return m_selection; }
    const CatalogueModel &model() const { return m_model; }
    // The current inputs of a build, as the fields show them now.
    SelectionInputs inputs() const;
    // Whether the list (and the equipment list report) shows a catalogue
    // field: the capacity pair only while a catalogue is open.
    bool fieldShown(const QString &field) const;
    // "Відсоток має бути цілим числом від 60 до 100, а не «abc»."
    static QString perCentMessage(const QString &text, int low, int high);

    void setVisible(bool visible) override;

    // Handlers, under the names the window has always used.
    void onActivated();
    void onCatalogueRowChanged();
    void showGroupOfCurrentRow();
    void adoptCurrentSystem(); // adopt the current row
    void previewEquipmentList(); // equipment list
    void closeWindow(); // close
    void onSystemCountEdited();

protected:
    bool event(QEvent *event) override;

private:
    void showMessage(const QString &text);
    void fitColumns();
    void rowChosen(int row);
    void showCurrentRow();
    void perCentChanged(NumericEdit *edit, int low, int high, QString &accepted);

    std::unique_ptr<Ui::SelectionWindow> m_ui;
    ReferenceTables *m_dm = nullptr;
    CalculationDocument *m_document = nullptr;
    QString m_dataDir;
    std::function<double()> m_required;
    std::function<void()> m_preview;
    std::function<void(const QString &)> m_messageSink;
    CatalogueSelection m_selection;
    CatalogueModel m_model;
    bool m_building = false;
    WindowActivation *m_activation = nullptr;
    QString m_int1Text, m_int2Text; // the per-cent texts last accepted
};

} // namespace kvor
