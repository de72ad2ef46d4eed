#include "selectcommand.h"

#include "batchsession.h"
#include "cliargs.h"
#include "jsonwriter.h"

#include "calc/rounding.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbferror.h"

#include <exception>
#include <vector>

namespace kvor {

namespace {

struct System {
    QString sis, agr, vohl, nabor, shkaf, gr, pgr;
    qint32 q = 0;
    double t = 0, ppot = 0, ipot = 0;
};

struct Listing {
    double required = 0;
    int systems = 1;
    CatalogueSelection selection;
    CatalogueSelection::Outcome outcome = CatalogueSelection::Outcome::Listed;
    std::vector<System> rows;
};

// GR and PGR of a group, as the window's group lines show them.
std::pair<QString, QString> groupLines(DbfTable &groups, qint32 id)
{
    if (!groups.locate(QStringLiteral("ID"), id))
        return {};
    return {groups.value(QStringLiteral("GR")).toString(), groups.value(QStringLiteral("PGR")).toString()};
}

void list(BatchSession &session, int int1, int int2, Listing &out)
{
    ReferenceTables &dm = session.dm();
    const SelectionInputs in = session.selectionInputs(int1, int2);
    out.required = in.required;
    out.systems = in.systems == 0 ? 1 : in.systems;
    out.outcome = out.selection.build(dm.taKat, session.dataDir(), in);
    if (out.outcome != CatalogueSelection::Outcome::Listed)
        return;
    const QString column = out.selection.ambientColumn();
    for (dm.taKat.first(); !dm.taKat.eof(); dm.taKat.next()) {
        DbfTable &k = dm.taKat;
        System s;
        s.sis = k.value(QStringLiteral("SIS")).toString();
        s.agr = k.value(QStringLiteral("AGR")).toString();
        s.vohl = k.value(QStringLiteral("VOHL")).toString();
        s.q = k.fieldByName(QLatin1Char('Q') + column)->asInteger();
        s.t = k.fieldByName(QLatin1Char('T') + column)->asFloat();
        s.ppot = k.fieldByName(QStringLiteral("PPOT"))->asFloat();
        s.ipot = k.fieldByName(QStringLiteral("IPOT"))->asFloat();
        s.nabor = k.value(QStringLiteral("NABOR")).toString();
        s.shkaf = k.value(QStringLiteral("SHKAF")).toString();
        std::tie(s.gr, s.pgr) = groupLines(dm.taGrups, k.fieldByName(QStringLiteral("ID_GRUP"))->asInteger());
        out.rows.push_back(s);
    }
}

QByteArray json(const QString &file, const Listing &l)
{
    QByteArray out;
    JsonWriter w(out);
    const bool banded = l.outcome != CatalogueSelection::Outcome::NoBand;
    auto textOrNull = [&](bool present, const QString &text) {
        if (present)
            w.string(text);
        else
            w.null();
    };
    w.beginObject();
    w.key("file");
    w.string(file);
    w.key("required");
    w.number(l.required);
    w.key("systems_count");
    w.integer(l.systems);
    w.key("catalogue");
    textOrNull(banded, l.selection.catalogueFile());
    w.key("heading");
    textOrNull(banded, l.selection.heading());
    w.key("column");
    textOrNull(banded, l.selection.ambientColumn());
    w.key("filter");
    textOrNull(banded, l.selection.filter());
    w.key("message");
    textOrNull(!l.selection.message().isEmpty(), l.selection.message());
    w.key("systems");
    w.beginArray();
    auto text = [&](const char *key, const QString &v) {
        w.key(key);
        w.string(v);
    };
    auto number = [&](const char *key, double v) {
        w.key(key);
        w.number(v);
    };
    for (const System &s : l.rows) {
        w.beginObject();
        text("SIS", s.sis);
        text("AGR", s.agr);
        text("VOHL", s.vohl);
        w.key("Q");
        w.integer(s.q);
        number("T", s.t);
        number("PPOT", s.ppot);
        number("IPOT", s.ipot);
        text("NABOR", s.nabor);
        text("SHKAF", s.shkaf);
        text("GR", s.gr);
        text("PGR", s.pgr);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    out += '\n';
    return out;
}

QByteArray table(const QString &file, const Listing &l)
{
    QStringList lines;
    lines << QStringLiteral("Розрахунок: %1").arg(file);
    lines << QStringLiteral("Потрібна холодопродуктивність, кВт: %1").arg(Rounding::fixed(l.required, 2));
    lines << QStringLiteral("Кількість систем: %1").arg(l.systems);
    if (l.outcome != CatalogueSelection::Outcome::NoBand) {
        lines << QStringLiteral("Каталог: %1 (%2 °С)").arg(l.selection.catalogueFile(), l.selection.heading());
        lines << QStringLiteral("Відбір: %1").arg(l.selection.filter());
    }
    if (!l.selection.message().isEmpty())
        lines << l.selection.message();
    if (!l.rows.empty()) {
        const QString col = l.selection.ambientColumn();
        lines << QString();
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(QStringLiteral("Система"), -9)
                     .arg(QStringLiteral("Агрегат (конденсатор)"), -26)
                     .arg(QStringLiteral("Компресор"), -16)
                     .arg(QStringLiteral("Q +%1°С").arg(col), 8)
                     .arg(QStringLiteral("dT +%1°С").arg(col), 8)
                     .arg(QStringLiteral("кВт"), 6)
                     .arg(QStringLiteral("А"), 6)
                     .arg(QStringLiteral("Магістр."), -8)
                     .arg(QStringLiteral("Контроллер"));
        for (const System &s : l.rows)
            lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                         .arg(s.sis, -9)
                         .arg(s.agr, -26)
                         .arg(s.vohl, -16)
                         .arg(s.q, 8)
                         .arg(QString::number(s.t), 8)
                         .arg(QString::number(s.ppot), 6)
                         .arg(QString::number(s.ipot), 6)
                         .arg(s.nabor, -8)
                         .arg(s.shkaf);
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace

QString SelectCommand::usage()
{
    return QStringLiteral("usage: kvor-cli select FILE.kvor [--data DIR] [--int1 P] [--int2 P] [--json]");
}

int SelectCommand::run(const QStringList &args, QByteArray &out, QString &err)
{
    CliArgs parsed;
    if (!parsed.parse(args, {QStringLiteral("--data"), QStringLiteral("--int1"), QStringLiteral("--int2")},
                      {QStringLiteral("--json")}, usage(), err))
        return 1;
    int int1 = 0, int2 = 0;
    if (!parsed.percent(QStringLiteral("--int1"), 60, 100, 95, int1, err)
        || !parsed.percent(QStringLiteral("--int2"), 100, 200, 150, int2, err)) {
        err += QLatin1Char('\n') + usage();
        return 1;
    }
    Listing listing;
    BatchSession session;
    if (!runGuarded([&] {
            session.open(parsed.file(), parsed.value(QStringLiteral("--data")));
            list(session, int1, int2, listing);
        }, err))
        return 1;
    out = parsed.has(QStringLiteral("--json")) ? json(parsed.file(), listing) : table(parsed.file(), listing);
    return 0;
}

} // namespace kvor
