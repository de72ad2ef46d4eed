#pragma once

#include <QObject>

namespace kvor {

class CalculationDocument;
class InputPanel;
class MainWindow;

// The input panel as a view of the calculation: its events become the
// document's rules, and the document's changes switch the panel's captions,
// visibility and enabled states.
class InputPanelView : public QObject {
    Q_OBJECT
public:
    InputPanelView(MainWindow &window, InputPanel &panel, CalculationDocument &document);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectPanel();
    void onRegionChosen();

    MainWindow &m_window;
    InputPanel &m_panel;
    CalculationDocument &m_document;
};

} // namespace kvor
