// libFuzzer target: arbitrary bytes as a calculation file opened by the
// program's Open command (the record's own steps, the input rules and the
// heat-balance runs), then reading every field, editing and posting one field,
// changing include flags and closing, which writes them. Everything must fail
// only with DbfError.

#include "fuzzinput.h"
#include "document/calculationdocument.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QDate>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kvor;

namespace {

struct Session {
    QTemporaryDir dir;
    ReferenceTables dm;
    QString path;

    Session()
    {
        if (!dir.isValid())
            std::abort();
        path = dir.filePath(QStringLiteral("fuzz.kvor"));
        const QString data = QStringLiteral(KVOR_FUZZ_DATA_DIR);
        try {
            for (DbfTable *t :
                 {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taIsp, &dm.taGrups}) {
                t->setDatabaseName(data);
                t->setReadOnly(true);
                t->open();
            }
        } catch (const DbfError &) {
            std::abort(); // the shipped tables must open
        }
    }
};

Session &session()
{
    static Session s;
    return s;
}

void readField(const DbfField &f)
{
    try {
        (void)f.value();
        (void)f.isNull();
        (void)f.asString();
        switch (f.kind()) {
        case FieldKind::Boolean: (void)f.asBoolean(); break;
        case FieldKind::Date: (void)f.asDate(); break;
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::Float:
            (void)f.asFloat();
            (void)f.asInteger();
            break;
        default: break;
        }
    } catch (const DbfError &) {
    }
}

void editOneField(DbfTable &t, uint8_t pick, uint8_t variant)
{
    if (t.fieldCount() == 0)
        return;
    DbfField *f = t.field(pick % t.fieldCount());
    static const double numbers[] = {0.0, -1.0, 3.2, 0.4, 1e9, -273.15, 2147483647.0, 1e300};
    static const char *const texts[] = {"Хранение", "Охлаждение", "", "Мясо", "Ї zz", "x"};
    try {
        t.first();
        t.edit();
        switch (f->kind()) {
        case FieldKind::String:
            f->setValue(QString::fromUtf8(texts[variant % std::size(texts)]).repeated(1 + variant / 64));
            break;
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::Float: f->setValue(numbers[variant % std::size(numbers)]); break;
        case FieldKind::Boolean: f->setValue(bool(variant & 1)); break;
        case FieldKind::Date: f->setValue(variant & 1 ? QDate(2025, 5, 1) : QDate()); break;
        default: break;
        }
        t.post();
        for (int i = 0; i < t.fieldCount(); ++i)
            readField(*t.field(i));
    } catch (const DbfError &) {
        try {
            t.cancel();
        } catch (const DbfError &) {
        }
    }
}

void closeWork(CalculationDocument &document)
{
    DbfTable &work = document.record();
    try {
        document.close();
    } catch (const DbfError &) {
    }
    if (!work.active())
        return;
    // Flags that cannot be written keep the record open; let the next input
    // start from a closed table.
    try {
        work.cancel();
        work.close();
    } catch (const DbfError &) {
    }
    if (work.active())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Session &s = session();
    writeFile(s.path, data, size);
    CalculationDocument document(s.dm); // afresh, so each input replays alone
    DbfTable &work = document.record();
    try {
        document.open(s.path);
    } catch (const DbfError &) {
        if (work.active())
            std::abort(); // a failed open leaves the table closed
        return 0;
    }
    for (int i = 0; i < work.fieldCount(); ++i)
        readField(*work.field(i));
    const uint8_t pick = size > 0 ? data[size - 1] : 0;
    const uint8_t variant = size > 1 ? data[size - 2] : 0;
    editOneField(work, pick, variant);
    // A few flags change so closing writes a changed record.
    for (int row = 1; row <= 8; ++row)
        if ((pick ^ variant) & (1u << (row - 1)))
            document.setIncluded(row, !document.included()[size_t(row - 1)]);
    closeWork(document);
    return 0;
}
