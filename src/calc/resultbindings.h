#pragma once

#include "heatbalance.h"

#include <QString>

#include <functional>
#include <vector>

namespace kvor {

// Where a result goes.
enum class OutputTarget {
    Panel,               // CurrencyEdit1 … CurrencyEdit11
    CalculationReport,   // QRLabel70 … QRLabel98 of the calculation report
    EquipmentListReport, // QRLabel98 of the equipment list report
    MainWindow,          // Label3
    Record,              // VN_KR
};

// Which result of a HeatBalance a binding takes.
enum class ResultKind {
    Gain,
    Sum,
    RequiredCapacity,
    Label,
    VentilationRateToStore,
};

// One place a result is shown or stored.
struct ResultBinding {
    ResultKind kind = ResultKind::Gain;
    int index = 0; // the Gain or the LabelText, for those kinds
    OutputTarget target = OutputTarget::Panel;
    QString name;     // the widget, report element or record field
    int panelRow = 0; // 1 … 11 on the panel, else 0
};

// One write of a result. Panel writes carry the held value and the text the
// field keeps ("0.##"); label writes the label's text; the record write the
// computed ventilation rate.
struct CalcOutput {
    OutputTarget target = OutputTarget::Panel;
    QString name;
    double value = 0;
    QString text;
    int panelRow = 0;
    const ResultBinding *binding = nullptr; // the table row it came from

    bool isLabel(LabelText label) const
    {
        return binding && binding->kind == ResultKind::Label && binding->index == int(label);
    }
};

// The one table from a run's typed results to the panel rows, the report
// labels and the record, in the order a run writes them: CurrencyEdit11
// announces its change when written, so whoever listens sees the panel as far
// as this order has filled it; kvor-cli lists the labels in this order.
class ResultBindings {
public:
    static const std::vector<ResultBinding> &table();

    // The writes `balance` made, in the table's order; results the run did not
    // write are left out.
    static void forEachWrite(const HeatBalance &balance, const std::function<void(const CalcOutput &)> &write);
    static std::vector<CalcOutput> writes(const HeatBalance &balance);
};

} // namespace kvor
