#include "balancesource.h"

#include "storage/dbferror.h"
#include "storage/dbffield.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <optional>
#include <vector>

namespace kvor {

namespace {

const QString kName = QStringLiteral("NAIM");

// Locate by a stored name. An empty name stands for no choice and matches no
// row, even a row whose own name is empty.
bool locateName(DbfTable &table, const QString &field, const QString &name)
{
    return !name.isEmpty() && table.locate(field, name, true);
}

double number(const DbfTable &table, const QString &field)
{
    return table.fieldByName(field)->asFloat();
}

} // namespace

CalcInputs BalanceSource::gather(ReferenceTables &dm, const std::array<bool, 9> &include, const QStringList &goodsItems,
                                 const QStringList &protectionItems)
{
    CalcInputs in;
    DbfTable &work = dm.taWork;
    in.record = CalcRecord::read([&work](const QString &name) { return work.value(name); });
    in.include = include;
    in.ventilationRateDecimals = work.fieldByName(QStringLiteral("VN_KR"))->decimals();

    static const QString kMaterialName = QStringLiteral("M_NAIM");
    static const QString kMaterialK = QStringLiteral("M_KTP");
    static const QString kInsulationName = QStringLiteral("IZ_NAIM");
    static const QString kInsulationK = QStringLiteral("IZ_KTP");
    // Most surfaces repeat the one before: a name just searched for on a
    // table is not searched for again, its row is where the table stands.
    struct Search {
        bool done = false;
        QString name;
        std::optional<double> conductivity;
    };
    auto conductivity = [](DbfTable &table, const QString &nameField, const QString &kField, const QString &name,
                           Search &last) {
        if (!(last.done && last.name == name)) {
            last = Search{true, name,
                          locateName(table, nameField, name) ? std::optional<double>(number(table, kField))
                                                             : std::nullopt};
        }
        return last.conductivity;
    };
    Search material, insulation;
    for (size_t i = 0; i < 6; ++i) {
        EnclosureLayers &layers = in.enclosures[i];
        layers.material = conductivity(dm.taMater, kMaterialName, kMaterialK, in.record.wallMaterial[i], material);
        if (!layers.material)
            continue; // without the material the insulation is not looked for
        layers.insulation =
            conductivity(dm.taIzolm, kInsulationName, kInsulationK, in.record.wallInsulation[i], insulation);
    }

    // The product is whatever the products table stands on: the input rules
    // keep it on TE_PTIP, and a table filtered to nothing has none.
    DbfTable &prod = dm.taProd;
    if (prod.active() && !prod.eof() && prod.recNo() > 0) {
        ProductRow p;
        p.NAIM = prod.value(kName).toString();
        p.TZAM = number(prod, QStringLiteral("TZAM"));
        p.CP1 = number(prod, QStringLiteral("CP1"));
        p.CP2 = number(prod, QStringLiteral("CP2"));
        p.LSKR = number(prod, QStringLiteral("LSKR"));
        p.Q1 = number(prod, QStringLiteral("Q1"));
        p.Q2 = number(prod, QStringLiteral("Q2"));
        p.Q3 = number(prod, QStringLiteral("Q3"));
        in.product = p;
    }

    if (locateName(dm.taTara, kName, in.record.packaging)) {
        PackagingRow t;
        t.NAIM = dm.taTara.value(kName).toString();
        t.SP = number(dm.taTara, QStringLiteral("SP"));
        in.packaging = t;
    }

    in.airTable = readAirTable(dm.taInt);
    in.goodsItems = goodsItems;
    in.protectionItems = protectionItems;
    return in;
}

AirTable BalanceSource::readAirTable(DbfTable &table)
{
    QStringList columns;
    std::vector<const DbfField *> fields;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const DbfField *f = table.field(i);
        if (f->name().startsWith(QLatin1String("VL"), Qt::CaseInsensitive)) {
            columns << f->name();
            fields.push_back(f);
        }
    }
    const DbfField *temperature = table.fieldByName(QStringLiteral("TEMVOZD"));
    const DbfField *person = table.findField(QStringLiteral("QP"));

    // The table is read on every run and hardly ever changes: the numbers of
    // the last reading serve again while its records hold the same bytes at
    // the same places.
    struct Reading {
        QStringList columns;
        std::vector<int> layout; // offset, length, decimals and kind of each field read
        QByteArray records;
        AirTable air;
    };
    thread_local std::optional<Reading> last;
    std::vector<int> layout;
    for (const DbfField *f : fields)
        layout.insert(layout.end(), {f->offset(), f->length(), f->decimals(), int(f->kind())});
    for (const DbfField *f : {temperature, person})
        if (f)
            layout.insert(layout.end(), {f->offset(), f->length(), f->decimals(), int(f->kind())});
        else
            layout.push_back(-1);
    const int length = table.recordLength();
    layout.push_back(length);
    QByteArray records;
    for (table.first(); !table.eof(); table.next())
        records.append(table.recordBuffer(), length);
    if (last && last->layout == layout && last->columns == columns && last->records == records)
        return last->air;

    AirTable air(columns, person != nullptr);
    // Numbers straight from the record buffers.
    std::vector<double> values(fields.size());
    for (qsizetype at = 0; at + length <= records.size() && length > 0; at += length) {
        const char *record = records.constData() + at;
        for (size_t c = 0; c < fields.size(); ++c)
            values[c] = fields[c]->numberFrom(record);
        air.addRow(temperature->numberFrom(record), values, person ? person->numberFrom(record) : 0.0);
    }
    last = Reading{columns, std::move(layout), std::move(records), air};
    return air;
}

bool BalanceSource::apply(ReferenceTables &dm, const HeatBalance &balance, const std::function<void(const CalcOutput &)> &show,
                          QString *error)
{
    bool written = true;
    ResultBindings::forEachWrite(balance, [&](const CalcOutput &o) {
        if (!written)
            return;
        if (o.target != OutputTarget::Record) {
            if (show)
                show(o);
            return;
        }
        try {
            dm.taWork.edit();
            dm.taWork.setValue(o.name, o.value);
        } catch (const DbfError &e) {
            if (error)
                *error = e.message();
            written = false;
        }
    });
    return written;
}

} // namespace kvor
