#pragma once

#include <QFrame>

class QLabel;

namespace kvor {

// The small calculator a numeric edit drops down: digits, the four operations,
// "=", "C", backspace and the decimal point. "=" or "OK" closes it and hands the
// result to the edit; Esc or a click outside closes it without a value.
class CalculatorPopup : public QFrame {
    Q_OBJECT
public:
    explicit CalculatorPopup(QWidget *parent = nullptr);

    void setValue(double value);
    double value() const;
    QString displayText() const;
    // Shows the calculator under `anchor` (above it when there is no room below).
    void popup(QWidget *anchor);

    // Button presses, also reachable from the keyboard: '0'..'9', '.', '+', '-',
    // '*', '/', '=', 'C' (clear), 'B' (backspace), 'N' (change sign), 'O' (OK).
    void press(QChar key);

signals:
    void accepted(double value);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showDisplay();
    bool applyPending();
    void accept();

    QLabel *m_display = nullptr;
    QString m_entry;       // the operand being typed; empty after an operation
    double m_accumulator = 0;
    QChar m_pending;       // the operation waiting for its right operand
    bool m_error = false;  // division by zero until "C"
};

} // namespace kvor
