#pragma once

#include "fieldlink.h"

#include <QLineEdit>

#include <functional>

class QToolButton;

namespace kvor {

class CalculatorPopup;

// The numeric edit of the input pages: a right-aligned edit bound to a numeric
// field, with a calculator button at its right edge.
//
// Without the focus it shows ",0.##" (grouped, at most two decimals); with the
// focus the bare number with at most two decimals, zero as an empty text. "," and
// "." type the decimal separator; other characters that cannot make a number
// beep. Esc brings back the stored value. Leaving it brings the value into
// [minValue, maxValue] (when the bounds differ) and writes it if it was typed:
// 0 clears the field, integer fields get a whole number. With validation on exit
// an out-of-range value is refused with a message instead and the focus stays;
// where it cannot come back (the page was left), the refused text goes. Without
// the focus the edit always shows the record.
// A click selects the whole text; Enter moves to the next control.
class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget *parent = nullptr);
    ~NumericEdit() override;

    FieldLink &link() { return m_link; }
    void bind(DataSource *source, const QString &fieldName);

    // Equal bounds (both 0 unless set) mean no range.
    void setRange(double minValue, double maxValue);
    double minValue() const { return m_min; }
    double maxValue() const { return m_max; }
    bool hasRange() const { return m_min != m_max; }
    // MaxLength: the most characters the user may type (0: no limit). Shown values
    // are never cut by it.
    void setMaxTextLength(int length) { m_maxTextLength = length; }
    int maxTextLength() const { return m_maxTextLength; }
    void setValidatedOnLeaving(bool on) { m_validated = on; }
    bool validatedOnLeaving() const { return m_validated; }

    // The number the text stands for (empty, "-" or "." read as 0).
    double value() const;
    bool modified() const { return m_dirty; }

    QToolButton *calculatorButton() const { return m_button; }
    CalculatorPopup *calculator();
    void showCalculator();

    // "Value must be between %d and %d" with both bounds written with two decimals.
    static QString rangeMessage(double minValue, double maxValue);
    // Where that message goes; unset, it goes to the program's error box.
    using MessageSink = std::function<void(QWidget *edit, const QString &text)>;
    static void setMessageSink(MessageSink sink);
    // The refusal sound; unset, the system beep.
    static void setBeep(std::function<void()> beep);

signals:
    // The edit was left and its value, if typed, written (the exit handler's hook).
    void exited();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString formatted(bool focused) const;
    void showField();
    void startEdit();
    // Clamps or (validated) refuses; writes when typed. False when refused.
    bool commit(bool leaving);
    void refuse();
    void calculatorResult(double v);
    void placeButton();

    FieldLink m_link;
    QToolButton *m_button = nullptr;
    CalculatorPopup *m_calculator = nullptr;
    double m_min = 0;
    double m_max = 0;
    bool m_validated = false;
    int m_maxTextLength = 0;
    bool m_dirty = false;
    bool m_showing = false;
};

} // namespace kvor
