#include "resultbindings.h"

#include "rounding.h"

namespace kvor {

namespace {

ResultBinding gainRow(Gain g, int row, const char *name)
{
    return {ResultKind::Gain, int(g), OutputTarget::Panel, QLatin1String(name), row};
}

ResultBinding report(LabelText l, const char *name, OutputTarget target = OutputTarget::CalculationReport)
{
    return {ResultKind::Label, int(l), target, QLatin1String(name), 0};
}

} // namespace

const std::vector<ResultBinding> &ResultBindings::table()
{
    static const std::vector<ResultBinding> bindings = {
        gainRow(Gain::Walls, 1, "CurrencyEdit1"),
        report(LabelText::WallAGain, "QRLabel70"),
        report(LabelText::WallBGain, "QRLabel71"),
        report(LabelText::WallCGain, "QRLabel72"),
        report(LabelText::WallDGain, "QRLabel73"),
        report(LabelText::CeilingGain, "QRLabel74"),
        report(LabelText::FloorGain, "QRLabel75"),
        report(LabelText::Walls, "QRLabel76"),
        // The computed rate goes into the record before the lookups that can
        // stop the run.
        {ResultKind::VentilationRateToStore, 0, OutputTarget::Record, QStringLiteral("VN_KR"), 0},
        gainRow(Gain::Ventilation, 2, "CurrencyEdit2"),
        report(LabelText::VentilationRate, "QRLabel77"),
        report(LabelText::Ventilation, "QRLabel78"),
        report(LabelText::Entries, "Label3", OutputTarget::MainWindow),
        report(LabelText::Entries, "QRLabel97"),
        report(LabelText::DoorOperation, "QRLabel79"),
        gainRow(Gain::Infiltration, 3, "CurrencyEdit3"),
        report(LabelText::Infiltration, "QRLabel80"),
        gainRow(Gain::Product, 4, "CurrencyEdit4"),
        report(LabelText::ProductHeat, "QRLabel81"),
        report(LabelText::PackagingHeat, "QRLabel82"),
        report(LabelText::Product, "QRLabel83"),
        gainRow(Gain::Respiration, 5, "CurrencyEdit5"),
        report(LabelText::Respiration, "QRLabel84"),
        gainRow(Gain::Lighting, 6, "CurrencyEdit6"),
        report(LabelText::Lighting, "QRLabel85"),
        gainRow(Gain::Personnel, 7, "CurrencyEdit7"),
        report(LabelText::Personnel, "QRLabel86"),
        gainRow(Gain::Vehicles, 8, "CurrencyEdit8"),
        report(LabelText::Vehicles, "QRLabel87"),
        gainRow(Gain::Fans, 9, "CurrencyEdit9"),
        report(LabelText::Fans, "QRLabel88"),
        // The required capacity is computed before the sum.
        {ResultKind::RequiredCapacity, 0, OutputTarget::Panel, QStringLiteral("CurrencyEdit11"), 11},
        {ResultKind::Sum, 0, OutputTarget::Panel, QStringLiteral("CurrencyEdit10"), 10},
        report(LabelText::RequiredCapacity, "QRLabel98"),
        report(LabelText::RequiredCapacity, "QRLabel98", OutputTarget::EquipmentListReport),
        report(LabelText::Sum, "QRLabel93"),
    };
    return bindings;
}

void ResultBindings::forEachWrite(const HeatBalance &balance, const std::function<void(const CalcOutput &)> &write)
{
    for (const ResultBinding &b : table()) {
        std::optional<double> value;
        switch (b.kind) {
        case ResultKind::Gain: value = balance.gains[size_t(b.index)]; break;
        case ResultKind::Sum: value = balance.sum; break;
        case ResultKind::RequiredCapacity: value = balance.requiredCapacity; break;
        case ResultKind::VentilationRateToStore: value = balance.ventilationRateToStore; break;
        case ResultKind::Label:
            if (const std::optional<QString> &text = balance.labels[size_t(b.index)])
                write({b.target, b.name, 0, *text, 0, &b});
            continue;
        }
        if (!value)
            continue;
        const QString text = b.target == OutputTarget::Panel ? Rounding::upTo(*value, 2) : QString();
        write({b.target, b.name, *value, text, b.panelRow, &b});
    }
}

std::vector<CalcOutput> ResultBindings::writes(const HeatBalance &balance)
{
    std::vector<CalcOutput> all;
    all.reserve(table().size());
    forEachWrite(balance, [&all](const CalcOutput &o) { all.push_back(o); });
    return all;
}

} // namespace kvor
