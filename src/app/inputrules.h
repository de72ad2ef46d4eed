#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace kvor {

class InputPanel;
class Tdm1;
class TfmKvor;

// The input panel's rules: what its handlers do beyond recalculating. Each
// fills fields from other fields or from the reference tables and switches the
// panel's labels, visibility and enabled states; the record side that the batch
// tool shares lives in RecordRules. Table-layer errors go to the error box and
// stop the rule.
class InputRules : public QObject {
    Q_OBJECT
public:
    InputRules(TfmKvor &window, InputPanel &panel, Tdm1 &dm);

    // Operating mode: the record's mode text, the labels and the stored-mass fields.
    void RadioGroup1Click(int item);
    // Region close-up: the outdoor climate from the region list, or typed for "Другой".
    void DBLookupComboBox3CloseUp();
    // Outdoor temperature to all six surfaces.
    void DBEdit36Exit();
    // Same construction as wall А.
    void chIdentClick();
    // Final temperatures follow the chamber temperature in storage mode.
    void DBEdit42Exit();
    // Stacking height from the chamber height.
    void DBEdit40Exit();
    // Full load of the chamber.
    void BitBtn1Click();
    // Product category: filters the products, then checks the product.
    void ComboBox1Change(const QString &category);
    // Product check.
    void DBComboBox1Change();
    // The four check boxes' enablings and the recommended lighting power.
    void DBCheckBox4Click();

    static QString otherRegion();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool open() const;
    bool guarded(const std::function<bool()> &f);
    void setLabel(const char *name, const QString &text);

    TfmKvor &m_window;
    InputPanel &m_panel;
    Tdm1 &m_dm;
};

} // namespace kvor
