#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace kvor {

class InputPanel;
class ReferenceTables;
class MainWindow;

// The input panel's rules: what its handlers do beyond recalculating. Each
// fills fields from other fields or from the reference tables and switches the
// panel's labels, visibility and enabled states; the record side that the batch
// tool shares lives in RecordRules. Table-layer errors go to the error box and
// stop the rule.
class InputRules : public QObject {
    Q_OBJECT
public:
    InputRules(MainWindow &window, InputPanel &panel, ReferenceTables &dm);

    // Operating mode: the record's mode text, the labels and the stored-mass fields.
    void applyProcessingMode(int item);
    // Region close-up: the outdoor climate from the region list, or typed for "Другой".
    void applyRegionClimate();
    // Outdoor temperature to all six surfaces.
    void copyOutdoorTemperatureToSurfaces();
    // Same construction as wall А.
    void copyWallAToAllSurfaces();
    // Final temperatures follow the chamber temperature in storage mode.
    void finalTemperaturesFromChamber();
    // Stacking height from the chamber height.
    void stackingHeightFromChamberHeight();
    // Full load of the chamber.
    void fillChamber();
    // Product category: filters the products, then checks the product.
    void applyProductCategory(const QString &category);
    // Product check.
    void checkProduct();
    // The four check boxes' enablings and the recommended lighting power.
    void applyOptionBoxes();

    static QString otherRegion();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool open() const;
    bool guarded(const std::function<bool()> &f);
    void setLabel(const char *name, const QString &text);

    MainWindow &m_window;
    InputPanel &m_panel;
    ReferenceTables &m_dm;
};

} // namespace kvor
