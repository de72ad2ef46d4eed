#include "balancecommand.h"

#include "cliargs.h"

#include "jsonwriter.h"

#include "calc/balancesource.h"
#include "calc/heatbalance.h"
#include "calc/recordrules.h"
#include "calc/rounding.h"
#include "storage/calcfiles.h"
#include "storage/dbferror.h"
#include "storage/kvordm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace kvor {

namespace {

// The nine gains as the JSON names them and the calculation report captions them.
struct GainRow {
    const char *key;
    const char *caption;
};

const GainRow kGains[9] = {
    {"walls", "Теплопритік через стіни Qстін, кВт"},
    {"ventilation", "Теплопритік від обємної вентиляції Qвен, кВт"},
    {"infiltration", "Теплопритік від інфільтрації Qінф, кВт"},
    {"product", "Теплопритік від термообрабки Qпрод, кВт"},
    {"respiration", "Теплопритік від дихання продуктів Qдих, кВт"},
    {"lighting", "Теплопритік від освітлення Qосв, кВт"},
    {"personnel", "Теплопритік від персоналу Qперс, кВт"},
    {"vehicles", "Теплопритік від НТЗ Qнтз, кВт"},
    {"fans", "Теплопритік від двигунів вентиляторів Qпо, кВт"},
};

// What the data module's open step asks of a freshly started main window: the
// mode selector starts on storage, the include boxes all ticked.
class BatchHost : public Tdm1Host {
public:
    explicit BatchHost(Tdm1 &dm) : m_dm(dm) {}

    void setProcessingModeItem(int item) override
    {
        if (item == m_modeItem)
            return;
        m_modeItem = item;
        RecordRules::processingMode(m_dm, item);
    }
    void setProductCategoryText(const QString &text) override { m_category = text; }
    void setExecutorItems(const QStringList &) override {}
    void setIncludeBoxes(const std::array<bool, 9> &checked) override { m_boxes = checked; }
    std::array<bool, 9> includeBoxes() const override { return m_boxes; }
    void settingsOpened(const QString &) override {}

    const QString &category() const { return m_category; }

private:
    Tdm1 &m_dm;
    int m_modeItem = 0;
    QString m_category;
    std::array<bool, 9> m_boxes{true, true, true, true, true, true, true, true, true};
};

// What one run showed: the panel fields and labels it reached.
struct Shown {
    std::array<std::optional<double>, 11> panel;
    std::vector<std::pair<QString, QString>> labels; // calculation report and window, in run order
    std::optional<double> ventilationRate;
    std::optional<qint64> entries;
    QString mode;
    QString error;
};

// The data module's tables the calculation reads, from `dataDir`, read-only.
void openReferenceTables(Tdm1 &dm, const QString &dataDir)
{
    for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara}) {
        t->setDatabaseName(dataDir);
        t->setReadOnly(true);
        t->open();
    }
}

// Opens the copy and runs what the Open command runs after it: the check-box
// rule, then the category rule with its product check, which recalculates.
// Earlier runs of the window's open path are not repeated: each one is
// overwritten by this last one, which sees the record as the open left it.
Shown balanceAfterOpen(Tdm1 &dm, BatchHost &host, const QString &copy)
{
    dm.taWork.setDatabaseName(QString());
    dm.taWork.setTableName(copy);
    dm.taWork.open();

    RecordRules::checkBoxes(dm);
    RecordRules::productCategory(dm, host.category());
    RecordRules::productConsistency(dm);

    const HeatBalance balance = computeHeatBalance(BalanceSource::gather(dm, host.includeBoxes()));
    Shown shown;
    bool rateShown = false;
    bool entriesShown = false;
    const bool applied = BalanceSource::apply(dm, balance, [&](const CalcOutput &o) {
        switch (o.target) {
        case OutputTarget::Panel:
            if (const int field = BalanceSource::panelField(o))
                shown.panel[size_t(field - 1)] = o.value;
            break;
        case OutputTarget::CalculationReport:
        case OutputTarget::MainWindow:
            rateShown = rateShown || o.name == QLatin1String("QRLabel77");
            entriesShown = entriesShown || o.name == QLatin1String("Label3");
            shown.labels.emplace_back(o.name, o.text);
            break;
        case OutputTarget::EquipmentListReport: // the same text as the calculation report's QRLabel98
        case OutputTarget::Record:
            break;
        }
    }, &shown.error);
    if (applied && !balance.completed())
        shown.error = balance.error;
    if (rateShown)
        shown.ventilationRate = balance.ventilationRate;
    if (entriesShown)
        shown.entries = balance.entries;
    shown.mode = dm.taWork.value(QStringLiteral("OB_TERMR")).toString();
    return shown;
}

// Labels by number, Label3 beside its report twin QRLabel97.
std::vector<std::pair<QString, QString>> orderedLabels(const std::vector<std::pair<QString, QString>> &labels)
{
    auto rank = [](const QString &name) {
        if (name == QLatin1String("Label3"))
            return 97 * 10 + 1;
        return QStringView(name).mid(7).toInt() * 10; // after "QRLabel"
    };
    std::vector<std::pair<QString, QString>> sorted;
    for (const auto &l : labels) {
        bool replaced = false;
        for (auto &s : sorted) {
            if (s.first == l.first) {
                s.second = l.second;
                replaced = true;
            }
        }
        if (!replaced)
            sorted.push_back(l);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const auto &a, const auto &b) { return rank(a.first) < rank(b.first); });
    return sorted;
}

QByteArray heldNumber(const std::optional<double> &v)
{
    return v ? Rounding::fixed(*v, 2).toLatin1() : QByteArray("null");
}

QByteArray json(const QString &file, const Shown &s)
{
    QByteArray out;
    auto key = [&](const char *name) { out += JsonWriter::quoted(QString::fromLatin1(name)) + ':'; };
    out += '{';
    key("file");
    out += JsonWriter::quoted(file) + ',';
    key("mode");
    out += JsonWriter::quoted(s.mode) + ',';
    key("gains");
    out += '{';
    for (int i = 0; i < 9; ++i) {
        if (i)
            out += ',';
        key(kGains[i].key);
        out += heldNumber(s.panel[size_t(i)]);
    }
    out += "},";
    key("sum");
    out += heldNumber(s.panel[9]) + ',';
    key("required");
    out += heldNumber(s.panel[10]) + ',';
    key("ventilation_rate");
    {
        JsonWriter w(out);
        if (s.ventilationRate)
            w.number(*s.ventilationRate);
        else
            w.null();
    }
    out += ',';
    key("entries");
    out += s.entries ? QByteArray::number(*s.entries) : QByteArray("null");
    out += ',';
    key("labels");
    out += '{';
    bool first = true;
    for (const auto &[name, text] : orderedLabels(s.labels)) {
        if (!first)
            out += ',';
        first = false;
        out += JsonWriter::quoted(name) + ':' + JsonWriter::quoted(text);
    }
    out += "},";
    key("error");
    out += s.error.isEmpty() ? QByteArray("null") : JsonWriter::quoted(s.error);
    out += "}\n";
    return out;
}

QByteArray table(const QString &file, const Shown &s)
{
    auto value = [](const std::optional<double> &v) { return v ? Rounding::fixed(*v, 2) : QStringLiteral("—"); };
    QStringList lines;
    lines << QStringLiteral("Розрахунок: %1").arg(file);
    lines << QStringLiteral("Режим: %1").arg(s.mode);
    lines << QString();
    auto row = [&](const QString &caption, const QString &text) {
        lines << caption.leftJustified(48, QLatin1Char(' ')) + text.rightJustified(12, QLatin1Char(' '));
    };
    for (int i = 0; i < 9; ++i)
        row(QString::fromUtf8(kGains[i].caption), value(s.panel[size_t(i)]));
    row(QStringLiteral("Сумарний теплопритік, кВт"), value(s.panel[9]));
    row(QStringLiteral("Потрібна холодопродуктивність, кВт"), value(s.panel[10]));
    lines << QString();
    row(QStringLiteral("Кратність вентиляції в камері"), value(s.ventilationRate));
    row(QStringLiteral("Кількість приходів"),
        s.entries ? QString::number(*s.entries) : QStringLiteral("—"));
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace

QString BalanceCommand::usage()
{
    return QStringLiteral("usage: kvor-cli balance FILE.kvor [--data DIR] [--json]");
}

int BalanceCommand::run(const QStringList &args, QByteArray &out, QString &err)
{
    CliArgs parsed;
    QString reason;
    if (!parsed.parse(args, {QStringLiteral("--data")}, {QStringLiteral("--json")}, &reason)) {
        err = reason.isEmpty() ? usage() : reason + QLatin1Char('\n') + usage();
        return 1;
    }
    const QString file = parsed.file();
    const bool asJson = parsed.has(QStringLiteral("--json"));
    QString dataDir = parsed.value(QStringLiteral("--data"));
    if (dataDir.isNull())
        dataDir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DATA"));

    QTemporaryDir temp;
    if (!temp.isValid()) {
        err = QStringLiteral("Cannot create a temporary folder: %1").arg(temp.errorString());
        return 1;
    }

    Shown shown;
    Tdm1 dm;
    BatchHost host(dm);
    dm.setHost(&host);
    try {
        if (QFileInfo(file).isDir())
            throw DbfError(QStringLiteral("Cannot open file %1").arg(file));
        const QString copy = temp.filePath(QFileInfo(file).fileName());
        CalcFiles::copyFileWithDate(file, copy);
        openReferenceTables(dm, dataDir);
        shown = balanceAfterOpen(dm, host, copy);
    } catch (const DbfError &e) {
        err = e.message();
    } catch (const std::exception &e) {
        err = QString::fromLocal8Bit(e.what());
    }
    // Closing writes only the copy; a failure there changes nothing reported.
    try {
        dm.taWork.close();
    } catch (const DbfError &) {
    }
    dm.setHost(nullptr);
    if (!err.isEmpty())
        return 1;

    out = asJson ? json(file, shown) : table(file, shown);
    if (shown.error.isEmpty())
        return 0;
    if (!asJson)
        err = shown.error;
    return 3;
}

} // namespace kvor
