// One heat-balance run on the template calculation with the shipped reference
// tables: everything recalculate does but the widgets (reading the record, the
// twelve material searches, the product and packaging rows, the air table, the
// engine and the ventilation-rate write), and the engine alone. Both report the
// median of nine repetitions; the budgets are 200 µs and 20 µs.

#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "document/calculationdocument.h"
#include "storage/dbferror.h"
#include "storage/referencetables.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace kvor;

namespace {

constexpr std::array<bool, 9> kAllIncluded{true, true, true, true, true, true, true, true, true};

// The template opened as the window opens it, over a private copy of DATA.
struct OpenCalculation {
    QTemporaryDir dir;
    ReferenceTables dm;
    CalculationDocument document{dm};
    QString error;

    OpenCalculation()
    {
        const QDir data(QStringLiteral(KVOR_DATA_DIR));
        for (const QString &name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), dir.filePath(name));
        try {
            for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara}) {
                t->setDatabaseName(dir.path());
                t->open();
            }
            QObject::connect(&document, &CalculationDocument::tableError, [this](const QString &m) { error = m; });
            document.open(dir.filePath(QStringLiteral("kvor.dbf")));
        } catch (const DbfError &e) {
            error = e.message();
        }
    }
};

OpenCalculation &calculation()
{
    static auto c = std::make_unique<OpenCalculation>();
    return *c;
}

// The template's result, checked so a run that silently does nothing cannot pass.
bool plausible(const HeatBalance &b)
{
    return b.completed() && b.requiredCapacity && std::fabs(*b.requiredCapacity - 4.10) < 1e-9
           && std::all_of(b.labels.begin(), b.labels.end(), [](const auto &text) { return text.has_value(); });
}

void BM_Recalculate_GatherAndCompute(benchmark::State &state)
{
    OpenCalculation &c = calculation();
    if (!c.error.isEmpty()) {
        state.SkipWithError(c.error.toUtf8().constData());
        return;
    }
    QString error;
    for (auto _ : state) {
        const HeatBalance b = computeHeatBalance(BalanceSource::gather(c.dm, kAllIncluded));
        if (!BalanceSource::apply(c.dm, b, nullptr, &error) || !plausible(b)) {
            state.SkipWithError("the template's balance is not 4.10 kW");
            break;
        }
        benchmark::DoNotOptimize(b.labels.data());
    }
}
BENCHMARK(BM_Recalculate_GatherAndCompute)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_Recalculate_EngineOnly(benchmark::State &state)
{
    OpenCalculation &c = calculation();
    if (!c.error.isEmpty()) {
        state.SkipWithError(c.error.toUtf8().constData());
        return;
    }
    const CalcInputs inputs = BalanceSource::gather(c.dm, kAllIncluded);
    for (auto _ : state) {
        const HeatBalance b = computeHeatBalance(inputs);
        if (!plausible(b)) {
            state.SkipWithError("the template's balance is not 4.10 kW");
            break;
        }
        benchmark::DoNotOptimize(b.labels.data());
    }
}
BENCHMARK(BM_Recalculate_EngineOnly)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
