// Timings of the table layer on a catalogue-shaped file of 100,000 records,
// with shapelib's dBase reader as the yardstick for a plain walk.
//
// The file is generated once per run in a temporary folder from a fixed seed,
// so every run measures the same bytes. After the benchmarks a summary prints
// the walk ratio and each timing against its budget; the exit status is 1 only
// when a benchmark failed its own sanity check (wrong row count, Locate miss...).

#include "storage/dbferror.h"
#include "storage/dbffield.h"
#include "storage/dbftable.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace kvor;

namespace {

constexpr qint64 kRecords = 100000;
constexpr int kFilterLow = 5000;
constexpr int kFilterHigh = 9000;
const char *const kCatalogueName = "kat-18.dbf";
const char *const kEditName = "kat-edit.dbf";

struct Generated {
    std::unique_ptr<QTemporaryDir> dir;
    QString cataloguePath;
    QString editPath;
    qint64 filterMatches = 0; // records with kFilterLow <= Q25 <= kFilterHigh
};
Generated g_data;

// The catalogue's columns as the selection declares them.
std::vector<FieldDef> catalogueDefs()
{
    return {
        {"SIS", FieldKind::String, 8},      {"AGR", FieldKind::String, 30},
        {"VOHL", FieldKind::String, 14},    {"Q25", FieldKind::Integer, 0},
        {"T25", FieldKind::Float, 0},       {"Q30", FieldKind::Integer, 0},
        {"T30", FieldKind::Float, 0},       {"Q35", FieldKind::Integer, 0},
        {"T35", FieldKind::Float, 0},       {"Q40", FieldKind::Integer, 0},
        {"T40", FieldKind::Float, 0},       {"PPOT", FieldKind::Float, 0},
        {"IPOT", FieldKind::Float, 0},      {"NABOR", FieldKind::String, 7},
        {"SHKAF", FieldKind::String, 16},   {"ID_GRUP", FieldKind::Integer, 0},
        {"VO", FieldKind::SmallInt, 0},
    };
}

const std::vector<DbfColumn> &catalogueColumns()
{
    static const std::vector<DbfColumn> columns = {
        {"SIS", 'C', 8, 0},   {"AGR", 'C', 30, 0},  {"VOHL", 'C', 14, 0},   {"Q25", 'N', 7, 0},
        {"T25", 'N', 5, 1},   {"Q30", 'N', 7, 0},   {"T30", 'N', 5, 1},     {"Q35", 'N', 7, 0},
        {"T35", 'N', 5, 1},   {"Q40", 'N', 7, 0},   {"T40", 'N', 5, 1},     {"PPOT", 'N', 8, 2},
        {"IPOT", 'N', 8, 2},  {"NABOR", 'C', 7, 0}, {"SHKAF", 'C', 16, 0},  {"ID_GRUP", 'N', 5, 0},
        {"VO", 'N', 1, 0},
    };
    return columns;
}

// Code page 866 for the Russian letters the generated texts use; written here
// rather than borrowed from the library so the data does not depend on it.
std::string oem866(const QString &text)
{
    std::string out;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c < 0x80)
            out += char(c);
        else if (c >= 0x410 && c <= 0x42F)
            out += char(0x80 + (c - 0x410));
        else if (c >= 0x430 && c <= 0x43F)
            out += char(0xA0 + (c - 0x430));
        else if (c >= 0x440 && c <= 0x44F)
            out += char(0xE0 + (c - 0x440));
        else if (c == 0x401)
            out += char(0xF0);
        else if (c == 0x451)
            out += char(0xF1);
        else
            out += '?';
    }
    return out;
}

class RecordWriter {
public:
    explicit RecordWriter(const std::vector<DbfColumn> &columns)
    {
        int offset = 1;
        for (const DbfColumn &c : columns) {
            m_offsets.push_back(offset);
            m_columns.push_back(c);
            offset += c.length;
        }
        m_record.assign(size_t(offset), ' ');
    }
    int length() const { return int(m_record.size()); }
    void reset() { std::fill(m_record.begin(), m_record.end(), ' '); }
    void text(int col, const std::string &bytes)
    {
        const int width = m_columns[size_t(col)].length;
        std::memcpy(&m_record[size_t(m_offsets[size_t(col)])], bytes.data(),
                    std::min<size_t>(bytes.size(), size_t(width)));
    }
    void number(int col, double value)
    {
        const DbfColumn &c = m_columns[size_t(col)];
        char buf[64];
        const int n = std::snprintf(buf, sizeof buf, "%*.*f", c.length, c.decimals, value);
        if (n != c.length)
            throw std::runtime_error("generator: number does not fit " + c.name.toStdString());
        std::memcpy(&m_record[size_t(m_offsets[size_t(col)])], buf, size_t(n));
    }
    const std::string &bytes() const { return m_record; }

private:
    std::vector<DbfColumn> m_columns;
    std::vector<int> m_offsets;
    std::string m_record;
};

void putLe32(std::string &s, size_t at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        s[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

unsigned le16(const std::string &s, size_t at)
{
    return unsigned(quint8(s[at])) | (unsigned(quint8(s[at + 1])) << 8);
}

// Creates the empty table through the library (so the header is the one the
// program writes), then appends the records in bulk and fixes the count.
void generateCatalogue(const QString &path)
{
    DbfTable::create(path, catalogueColumns());

    std::string file;
    {
        std::ifstream in(path.toStdString(), std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (file.size() < 32)
        throw std::runtime_error("generator: created header is too short");
    const unsigned headerLength = le16(file, 8);
    const unsigned recordLength = le16(file, 10);
    RecordWriter rec(catalogueColumns());
    if (int(recordLength) != rec.length() || file.size() < headerLength)
        throw std::runtime_error("generator: created header disagrees with the columns");
    file.resize(headerLength); // drops an end-of-file byte, if create wrote one

    std::mt19937 rng(20250501u);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    const std::vector<std::string> makers = {"Bitzer", "Copeland", "Danfoss", "Maneurop", "Tecumseh", "Embraco",
                                             "Bock", "Dorin", "Frascold", "Refcomp"};
    const std::vector<QString> unitsRu = {
        QStringLiteral("Агрегат АКМ-"), QStringLiteral("Холодильный агрегат ХА-"), QStringLiteral("Моноблок ММ-"),
        QStringLiteral("Сплит-система СС-"), QStringLiteral("Компрессорный блок КБ-"), QStringLiteral("Агрегат низкотемп. АН-")};
    const std::vector<QString> nabors = {
        QStringLiteral("НБ-12"), QStringLiteral("НБ-16"), QStringLiteral("НБ-22"), QStringLiteral("M-28"),
        QStringLiteral("M-35"), QStringLiteral("M-42"), QStringLiteral("ТР-54")};
    const std::vector<QString> shkafs = {
        QStringLiteral("ЩУ-1"), QStringLiteral("ЩУ-2 с таймером"), QStringLiteral("Danfoss EKC202"),
        QStringLiteral("Eliwell IC915"), QStringLiteral("Dixell XR60CX"), QStringLiteral("Шкаф управления 3"),
        QStringLiteral("Carel IR33"), QStringLiteral("ЩУ-4 оттайка")};
    std::vector<std::string> naborBytes, shkafBytes;
    for (const QString &s : nabors)
        naborBytes.push_back(oem866(s));
    for (const QString &s : shkafs)
        shkafBytes.push_back(oem866(s));

    file.reserve(size_t(headerLength) + size_t(recordLength) * size_t(kRecords));
    int naborRun = 0, shkafRun = 0;
    size_t nabor = 0, shkaf = 0;
    qint64 matches = 0;
    char buf[64];
    for (qint64 k = 1; k <= kRecords; ++k) {
        rec.reset();
        if (k == kRecords) {
            rec.text(0, "LASTONE");
        } else {
            std::snprintf(buf, sizeof buf, "K%07lld", static_cast<long long>(k));
            rec.text(0, buf);
        }
        if (uniform(0, 9) < 4) {
            const QString unit = unitsRu[size_t(uniform(0, int(unitsRu.size()) - 1))]
                + QString::number(uniform(10, 999)) + (uniform(0, 1) ? QStringLiteral("Н") : QStringLiteral("С"));
            rec.text(1, oem866(unit));
        } else {
            std::snprintf(buf, sizeof buf, "%s LH%d/%dFES-%dY", makers[size_t(uniform(0, 9))].c_str(),
                          uniform(10, 199), uniform(2, 8), uniform(2, 9));
            rec.text(1, buf);
        }
        std::snprintf(buf, sizeof buf, "ZB%dKCE-TFD", uniform(15, 114));
        rec.text(2, buf);

        const int q25 = uniform(500, 20000);
        if (q25 >= kFilterLow && q25 <= kFilterHigh)
            ++matches;
        const double t25 = uniform(40, 120) / 10.0;
        rec.number(3, q25);
        rec.number(4, t25);
        rec.number(5, std::round(q25 * 0.94));
        rec.number(6, t25 + 0.3);
        rec.number(7, std::round(q25 * 0.88));
        rec.number(8, t25 + 0.6);
        rec.number(9, std::round(q25 * 0.81));
        rec.number(10, t25 + 1.0);
        const double ppot = std::round(q25 * 0.045 + uniform(0, 99)) / 100.0;
        rec.number(11, ppot);
        rec.number(12, std::round(ppot * 210.0) / 100.0);

        // Catalogues list systems group by group, so pipe sets and controllers
        // come in runs of equal values.
        if (naborRun-- <= 0) {
            nabor = size_t(uniform(0, int(naborBytes.size()) - 1));
            naborRun = uniform(0, 7);
        }
        if (shkafRun-- <= 0) {
            shkaf = size_t(uniform(0, int(shkafBytes.size()) - 1));
            shkafRun = uniform(0, 5);
        }
        rec.text(13, naborBytes[nabor]);
        rec.text(14, shkafBytes[shkaf]);
        rec.number(15, uniform(1, 60));
        rec.number(16, uniform(0, 1));
        file += rec.bytes();
    }
    putLe32(file, 4, quint32(kRecords)); // shapelib trusts the header's count

    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out.write(file.data(), std::streamsize(file.size()));
    out.close();
    if (!out)
        throw std::runtime_error("generator: cannot write " + path.toStdString());
    g_data.filterMatches = matches;
}

void generate()
{
    g_data.dir = std::make_unique<QTemporaryDir>();
    if (!g_data.dir->isValid())
        throw std::runtime_error("cannot create a temporary folder");
    g_data.cataloguePath = g_data.dir->filePath(kCatalogueName);
    g_data.editPath = g_data.dir->filePath(kEditName);
    generateCatalogue(g_data.cataloguePath);
    if (!QFile::copy(g_data.cataloguePath, g_data.editPath))
        throw std::runtime_error("cannot copy the catalogue for the edit benchmark");
}

void openCatalogue(DbfTable &t, const QString &name, bool readOnly)
{
    t.setDatabaseName(g_data.dir->path());
    t.setTableName(name);
    t.setReadOnly(readOnly);
    t.setFieldDefs(catalogueDefs());
    t.open();
}

qint64 countVisible(DbfTable &t)
{
    qint64 n = 0;
    for (t.first(); !t.eof(); t.next())
        ++n;
    return n;
}

// ---------------------------------------------------------------------------

void BM_OpenWalkReadAll_Kvor(benchmark::State &state)
{
    try {
        DbfTable t;
        qint64 rows = 0;
        for (auto _ : state) {
            openCatalogue(t, kCatalogueName, true);
            std::vector<DbfField *> texts, floats, ints;
            for (int i = 0; i < t.fieldCount(); ++i) {
                DbfField *f = t.field(i);
                if (f->kind() == FieldKind::String)
                    texts.push_back(f);
                else if (f->kind() == FieldKind::Float)
                    floats.push_back(f);
                else
                    ints.push_back(f);
            }
            rows = 0;
            for (t.first(); !t.eof(); t.next()) {
                for (DbfField *f : texts) {
                    QString s = f->asString();
                    benchmark::DoNotOptimize(s);
                }
                for (DbfField *f : floats) {
                    double v = f->asFloat();
                    benchmark::DoNotOptimize(v);
                }
                for (DbfField *f : ints) {
                    qint32 v = f->asInteger();
                    benchmark::DoNotOptimize(v);
                }
                ++rows;
            }
            t.close();
        }
        if (rows != kRecords)
            state.SkipWithError(("walk saw " + std::to_string(rows) + " records").c_str());
        state.SetItemsProcessed(state.iterations() * kRecords);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_OpenWalkReadAll_Kvor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenWalkReadAll_Shapelib(benchmark::State &state)
{
    const std::string path = g_data.cataloguePath.toStdString();
    qint64 rows = 0;
    for (auto _ : state) {
        DBFHandle h = DBFOpen(path.c_str(), "rb");
        if (!h) {
            state.SkipWithError("DBFOpen failed");
            break;
        }
        std::vector<int> texts, floats, ints;
        for (const FieldDef &d : catalogueDefs()) {
            const int i = DBFGetFieldIndex(h, d.name.toLatin1().constData());
            if (d.kind == FieldKind::String)
                texts.push_back(i);
            else if (d.kind == FieldKind::Float)
                floats.push_back(i);
            else
                ints.push_back(i);
        }
        rows = 0;
        const int n = DBFGetRecordCount(h);
        for (int r = 0; r < n; ++r) {
            if (DBFIsRecordDeleted(h, r))
                continue;
            for (int i : texts) {
                const char *s = DBFReadStringAttribute(h, r, i);
                benchmark::DoNotOptimize(s);
            }
            for (int i : floats) {
                double v = DBFReadDoubleAttribute(h, r, i);
                benchmark::DoNotOptimize(v);
            }
            for (int i : ints) {
                int v = DBFReadIntegerAttribute(h, r, i);
                benchmark::DoNotOptimize(v);
            }
            ++rows;
        }
        DBFClose(h);
    }
    if (rows != kRecords)
        state.SkipWithError(("walk saw " + std::to_string(rows) + " records").c_str());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OpenWalkReadAll_Shapelib)->Unit(benchmark::kMillisecond)->UseRealTime();

// The selection's sequence: filter off, new text, filter on. The two texts mean
// the same but differ, so every application parses and makes the full pass
// (the same text again would reuse the remembered matches).
void BM_Filter_Kvor(benchmark::State &state)
{
    try {
        DbfTable t;
        openCatalogue(t, kCatalogueName, true);
        const QString texts[2] = {
            QStringLiteral("Q25 >= %1 and Q25 <= %2").arg(kFilterLow).arg(kFilterHigh),
            QStringLiteral("Q25 >= %1.0 and Q25 <= %2.0").arg(kFilterLow).arg(kFilterHigh),
        };
        unsigned i = 0;
        for (auto _ : state) {
            t.setFiltered(false);
            t.setFilter(texts[i++ & 1u]);
            t.setFiltered(true);
            benchmark::DoNotOptimize(t.recNo());
        }
        const qint64 visible = countVisible(t);
        if (visible != g_data.filterMatches)
            state.SkipWithError(("filter shows " + std::to_string(visible) + " records, expected "
                                 + std::to_string(g_data.filterMatches))
                                    .c_str());
        state.SetItemsProcessed(state.iterations() * kRecords);
        state.counters["matches"] = double(visible);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_Filter_Kvor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LocateLast_Kvor(benchmark::State &state)
{
    try {
        DbfTable t;
        openCatalogue(t, kCatalogueName, true);
        const QVariant wanted(QStringLiteral("lastone"));
        bool ok = true;
        for (auto _ : state) {
            ok = t.locate(QStringLiteral("SIS"), wanted, true) && ok;
            benchmark::DoNotOptimize(ok);
        }
        if (!ok || t.recNo() != kRecords)
            state.SkipWithError(("Locate ended on record " + std::to_string(t.recNo())).c_str());
        state.SetItemsProcessed(state.iterations() * kRecords);
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_LocateLast_Kvor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EditPost_Kvor(benchmark::State &state)
{
    try {
        DbfTable t;
        openCatalogue(t, kEditName, false);
        t.first();
        DbfField *q25 = t.fieldByName(QStringLiteral("Q25"));
        int value = 7000;
        for (auto _ : state) {
            value = value == 7000 ? 7001 : 7000;
            t.edit();
            q25->setValue(value);
            t.post();
        }
        t.close();
        // What was posted last must be in the file.
        openCatalogue(t, kEditName, true);
        t.first();
        if (state.iterations() > 0 && t.fieldByName(QStringLiteral("Q25"))->asInteger() != value)
            state.SkipWithError("the posted value did not reach the file");
        t.close();
    } catch (const std::exception &e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_EditPost_Kvor)->Unit(benchmark::kMicrosecond)->UseRealTime();

// ---------------------------------------------------------------------------

// Prints as usual and keeps each benchmark's seconds per iteration (the mean
// when repetitions are asked for) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs) {
            const std::string name = r.run_name.function_name;
            if (r.error_occurred) {
                m_failed[name] = r.error_message;
                continue;
            }
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "mean")
                continue;
            if (r.iterations > 0)
                m_seconds[name] = r.real_accumulated_time / double(r.iterations);
        }
    }

    // Returns false when a benchmark reported an error.
    bool summary() const
    {
        std::printf("\nsummary (real time per iteration, %lld records):\n", static_cast<long long>(kRecords));
        const double *kvor = find("BM_OpenWalkReadAll_Kvor");
        const double *shp = find("BM_OpenWalkReadAll_Shapelib");
        if (kvor)
            std::printf("  walk kvor      %9.3f ms\n", *kvor * 1e3);
        if (shp)
            std::printf("  walk shapelib  %9.3f ms\n", *shp * 1e3);
        if (kvor && shp && *shp > 0)
            std::printf("  ratio kvor/shapelib = %.2f\n", *kvor / *shp);
        budget("BM_Filter_Kvor", 30e-3);
        budget("BM_LocateLast_Kvor", 20e-3);
        budget("BM_EditPost_Kvor", 1e-3);
        budget("BM_Project50_LoadEvaluateTotals", 200e-3);
        // 10,000 files in 5 s: 2,000 files a second.
        budget("BM_BalanceManyFiles_OneProcess", 5.0);
        for (const auto &[name, message] : m_failed)
            std::printf("  %s FAILED: %s\n", name.c_str(), message.c_str());
        std::fflush(stdout);
        return m_failed.empty();
    }

private:
    const double *find(const std::string &name) const
    {
        auto it = m_seconds.find(name);
        return it == m_seconds.end() ? nullptr : &it->second;
    }

    void budget(const std::string &name, double limit) const
    {
        if (const double *s = find(name))
            std::printf("  %-20s %9.3f ms (budget %g ms) %s\n", name.c_str(), *s * 1e3, limit * 1e3,
                        *s <= limit ? "ok" : "OVER BUDGET");
    }

    std::map<std::string, double> m_seconds;
    std::map<std::string, std::string> m_failed;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        generate();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kvor_bench: %s\n", e.what());
        return 1;
    }
    // Plain columns: the filter's extra counter would otherwise repeat the header.
    SummaryReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_Color
                                                    : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool ok = reporter.summary();
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
