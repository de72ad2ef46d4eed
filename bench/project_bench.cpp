// Projects and the batch tool's throughput:
//  - a 50-chamber project loaded, every chamber opened and recalculated on its
//    private copy, and the totals (budget 200 ms);
//  - kvor-cli balance over 10,000 files in one process (budget 5 s, that is at
//    least 2,000 files/s), beside the one-file-per-call use of 50 processes.
// The chambers are varied copies of the shipped template, made once.

#include "project/core/chamberevaluator.h"
#include "project/core/chambersummary.h"
#include "project/core/projectfile.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

using namespace kvor;

namespace {

constexpr int kChambers = 50;
constexpr int kBatchFiles = 10000;
constexpr int kSingleCalls = 50;

// Chambers of many sizes and both modes, and the project over them.
struct Chambers {
    QTemporaryDir dir;
    QString project;
    QStringList files; // names inside dir, kChambers of them
    QString error;

    Chambers()
    {
        try {
            ProjectFile p;
            p.name = QStringLiteral("Bench store");
            for (int i = 0; i < kChambers; ++i) {
                const QString name = QStringLiteral("c%1.kvor").arg(i, 2, 10, QLatin1Char('0'));
                const QString path = dir.filePath(name);
                if (!QFile::copy(QStringLiteral(KVOR_DATA_DIR "/kvor.dbf"), path))
                    throw std::runtime_error("cannot copy the template");
                QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
                DbfTable t;
                t.setTableName(path);
                t.open();
                t.first();
                t.edit();
                t.setValue(QStringLiteral("OB_KAMDL"), 6 + i % 17);
                t.setValue(QStringLiteral("OB_KAMSH"), 4 + i % 9);
                t.setValue(QStringLiteral("OB_KAMVS"), 3 + (i % 4) * 0.5);
                t.setValue(QStringLiteral("OB_TERMR"), i % 2 ? QStringLiteral("Охлаждение") : QStringLiteral("Хранение"));
                t.post();
                t.close();
                files << name;
                p.chambers.push_back(ProjectChamber{path, {}});
            }
            project = dir.filePath(QStringLiteral("bench.kvorproj"));
            p.save(project);
        } catch (const DbfError &e) {
            error = e.message();
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
    }
};

Chambers &chambers()
{
    static auto c = std::make_unique<Chambers>();
    return *c;
}

void BM_Project50_LoadEvaluateTotals(benchmark::State &state)
{
    Chambers &c = chambers();
    if (!c.error.isEmpty()) {
        state.SkipWithError(c.error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        const ProjectFile project = ProjectFile::load(c.project);
        ChamberEvaluator evaluator(QStringLiteral(KVOR_DATA_DIR));
        std::vector<ChamberSummary> summaries;
        for (const ProjectChamber &chamber : project.chambers)
            summaries.push_back(evaluator.evaluate(chamber.path));
        const ProjectTotals totals = projectTotals(summaries);
        // A chamber that did not open or stopped would make the figure meaningless.
        if (summaries.size() != size_t(kChambers) || totals.leftOut != 0 || totals.required <= 0) {
            state.SkipWithError("not every chamber of the project was calculated");
            break;
        }
        for (const ChamberSummary &s : summaries)
            if (!s.runError.isEmpty()) {
                state.SkipWithError(("a chamber's run stopped: " + s.runError).toUtf8().constData());
                return;
            }
        benchmark::DoNotOptimize(totals.required);
    }
}
BENCHMARK(BM_Project50_LoadEvaluateTotals)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The 50 chambers repeated to kBatchFiles files of their own.
struct BatchFiles {
    QTemporaryDir dir;
    QStringList names;
    QString error;

    BatchFiles()
    {
        Chambers &c = chambers();
        error = c.error;
        for (int i = 0; i < kBatchFiles && error.isEmpty(); ++i) {
            const QString name = QStringLiteral("f%1.kvor").arg(i, 5, 10, QLatin1Char('0'));
            if (!QFile::copy(c.dir.filePath(c.files.at(i % kChambers)), dir.filePath(name)))
                error = QStringLiteral("cannot copy %1").arg(name);
            names << name;
        }
    }
};

BatchFiles &batchFiles()
{
    static auto b = std::make_unique<BatchFiles>();
    return *b;
}

// kvor-cli as a user starts it; its lines of output, or empty on a failure.
QByteArray runBalance(const QString &folder, const QStringList &files, QString &error)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(KVOR_BIN_DIR "/kvor-cli"),
            QStringList{QStringLiteral("balance")} + files
                + QStringList{QStringLiteral("--data"), QStringLiteral(KVOR_DATA_DIR), QStringLiteral("--json")});
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QStringLiteral("kvor-cli balance failed: %1").arg(QString::fromUtf8(p.readAllStandardError()));
        return {};
    }
    return p.readAllStandardOutput();
}

void BM_BalanceManyFiles_OneProcess(benchmark::State &state)
{
    BatchFiles &b = batchFiles();
    if (!b.error.isEmpty()) {
        state.SkipWithError(b.error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        QString error;
        const QByteArray out = runBalance(b.dir.path(), b.names, error);
        if (out.count('\n') != kBatchFiles) {
            state.SkipWithError(error.isEmpty() ? "not one line per file" : error.toUtf8().constData());
            return;
        }
    }
    state.counters["files/s"] = benchmark::Counter(double(kBatchFiles) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BalanceManyFiles_OneProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_BalanceOneFilePerProcess(benchmark::State &state)
{
    Chambers &c = chambers();
    if (!c.error.isEmpty()) {
        state.SkipWithError(c.error.toUtf8().constData());
        return;
    }
    for (auto _ : state) {
        for (int i = 0; i < kSingleCalls; ++i) {
            QString error;
            if (runBalance(c.dir.path(), {c.files.at(i % kChambers)}, error).count('\n') != 1) {
                state.SkipWithError(error.toUtf8().constData());
                return;
            }
        }
    }
    state.counters["files/s"] = benchmark::Counter(double(kSingleCalls) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BalanceOneFilePerProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
