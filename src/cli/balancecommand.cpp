#include "balancecommand.h"

#include "cliargs.h"

#include "batchsession.h"
#include "jsonwriter.h"

#include "calc/rounding.h"
#include "storage/dbferror.h"


#include <QHash>

#include <algorithm>
#include <exception>
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

// Labels by number, Label3 beside its report twin QRLabel97; a label written
// twice keeps its first place and its last text.
std::vector<std::pair<QString, QString>> orderedLabels(const std::vector<std::pair<QString, QString>> &labels)
{
    auto rank = [](const QString &name) {
        if (name == QLatin1String("Label3"))
            return 97 * 10 + 1;
        return QStringView(name).mid(7).toInt() * 10; // after "QRLabel"
    };
    struct Ranked {
        int rank;
        const QString *name;
        const QString *text;
    };
    std::vector<Ranked> sorted;
    sorted.reserve(labels.size());
    QHash<QString, size_t> seen;
    for (const auto &l : labels) {
        const auto it = seen.constFind(l.first);
        if (it != seen.constEnd()) {
            sorted[*it].text = &l.second;
            continue;
        }
        seen.insert(l.first, sorted.size());
        sorted.push_back({rank(l.first), &l.first, &l.second});
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const Ranked &a, const Ranked &b) { return a.rank < b.rank; });
    std::vector<std::pair<QString, QString>> out;
    out.reserve(sorted.size());
    for (const Ranked &r : sorted)
        out.emplace_back(*r.name, *r.text);
    return out;
}

QByteArray heldNumber(const std::optional<double> &v)
{
    return v ? Rounding::fixed(*v, 2).toLatin1() : QByteArray("null");
}

QByteArray json(const QString &file, const BatchShown &s)
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

QByteArray table(const QString &file, const BatchShown &s)
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
    return QStringLiteral("usage: kvor-cli balance FILE.kvor... [--data DIR] [--json]");
}

int BalanceCommand::run(const QStringList &args, QByteArray &out, QString &err)
{
    CliArgs parsed;
    parsed.allowSeveralFiles();
    if (!parsed.parse(args, {QStringLiteral("--data")}, {QStringLiteral("--json")}, usage(), err))
        return 1;
    const bool asJson = parsed.has(QStringLiteral("--json"));
    const QString dataDir = parsed.value(QStringLiteral("--data"));

    BatchSession session;
    if (parsed.files().size() == 1) {
        const QString file = parsed.file();
        if (!runGuarded([&] { session.open(file, dataDir); }, err))
            return 1;
        const BatchShown &shown = session.shown();

        out = asJson ? json(file, shown) : table(file, shown);
        if (shown.error.isEmpty())
            return 0;
        if (!asJson)
            err = shown.error;
        return 3;
    }

    // Several files: the tables once, then each file in turn. A file that does
    // not open is told in its place and the rest still run.
    if (!runGuarded([&] { session.openTables(dataDir); }, err))
        return 1;
    QStringList messages;
    bool stopped = false;
    bool unopened = false;
    bool firstTable = true;
    for (const QString &file : parsed.files()) {
        QString failure;
        if (!runGuarded([&] { session.open(file, dataDir); }, failure)) {
            unopened = true;
            // Named as the user named it, not by its scratch copy.
            if (!session.copyPath().isEmpty())
                failure.replace(session.copyPath(), file);
            messages << file + QStringLiteral(": ") + failure;
            if (asJson) {
                QByteArray line;
                JsonWriter w(line);
                w.beginObject();
                w.key("file");
                w.string(file);
                w.key("error");
                w.string(failure);
                w.endObject();
                out += line + '\n';
            }
            continue;
        }
        const BatchShown &shown = session.shown();
        if (asJson) {
            out += json(file, shown);
        } else {
            if (!firstTable)
                out += '\n';
            out += table(file, shown);
        }
        firstTable = false;
        if (!shown.error.isEmpty()) {
            stopped = true;
            if (!asJson)
                messages << file + QStringLiteral(": ") + shown.error;
        }
    }
    err = messages.join(QLatin1Char('\n'));
    return unopened ? 1 : stopped ? 3 : 0;
}

} // namespace kvor
