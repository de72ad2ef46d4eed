// libFuzzer target: arbitrary bytes as a table file. Opening, walking, reading
// every value, Locate, binding declared fields and writing records must fail
// only with DbfError.

#include "fuzzinput.h"
#include "storage/dbferror.h"
#include "storage/dbffield.h"
#include "storage/dbftable.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace kvor;

namespace {

const QString &tablePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid())
            std::abort();
        return dir.filePath(QStringLiteral("fuzz.dbf"));
    }();
    return path;
}

// Reads a field every way a caller can; bad numbers are the expected failure.
void readField(const DbfField &f)
{
    try {
        const QVariant v = f.value();
        (void)v;
        (void)f.isNull();
        (void)f.asString();
        if (f.kind() == FieldKind::Boolean)
            (void)f.asBoolean();
        if (f.kind() == FieldKind::Date)
            (void)f.asDate();
        if (f.isNumeric()) {
            (void)f.asFloat();
            (void)f.asInteger();
        }
    } catch (const DbfError &) {
    }
}

void readRecord(const DbfTable &t)
{
    (void)t.isDeleted();
    for (int i = 0; i < t.fieldCount(); ++i)
        readField(*t.field(i));
}

void walk(DbfTable &t)
{
    int guard = 0;
    for (t.first(); !t.eof() && guard <= t.recordCount(); t.next(), ++guard)
        readRecord(t);
    if (guard > t.recordCount())
        std::abort(); // navigation must end after at most every record
    t.last();
    if (!t.eof())
        readRecord(t);
}

void firstPass(const QString &path, QString *textValue)
{
    DbfTable t;
    t.setTableName(path);
    try {
        t.open();
        walk(t);
        for (qint64 k = 1; k <= t.recordCount(); ++k) {
            if (t.goToRecord(k))
                readRecord(t);
        }
        (void)t.goToRecord(0);
        (void)t.goToRecord(t.recordCount() + 1);

        for (int i = 0; i < t.fieldCount(); ++i) {
            DbfField *f = t.field(i);
            if (f->kind() != FieldKind::String)
                continue;
            if (t.goToRecord(1)) {
                try {
                    *textValue = f->asString();
                } catch (const DbfError &) {
                }
            }
            (void)t.locate(f->name(), *textValue);
            (void)t.locate(f->name(), QStringLiteral("zz"), false);
            break;
        }
        for (int i = 0; i < t.fieldCount(); ++i) {
            DbfField *f = t.field(i);
            if (f->isNumeric() || f->kind() == FieldKind::Boolean) {
                (void)t.locate(f->name(), QStringLiteral("1"));
                break;
            }
        }
        t.close();
    } catch (const DbfError &) {
    }
}

// Binds declared fields of assorted kinds to the file's first fields, so both
// the family check and reads through declared fields run.
void secondPass(const QString &path, const uint8_t *data, size_t size)
{
    std::vector<FieldDef> defs;
    {
        DbfTable probe;
        probe.setTableName(path);
        try {
            probe.open();
            static const FieldKind kinds[] = {FieldKind::String, FieldKind::SmallInt, FieldKind::Integer,
                                              FieldKind::Float,  FieldKind::Boolean,  FieldKind::Date};
            for (int i = 0; i < probe.fieldCount() && i < 4; ++i) {
                const DbfField *f = probe.field(i);
                // Pick the kind from the input so mutations steer the check.
                const size_t pick = size > 0 ? data[size_t(i * 7 + 3) % size] : 0;
                FieldDef d;
                d.name = f->name().toLower();
                d.kind = (pick & 1) ? kinds[(pick >> 1) % std::size(kinds)] : f->kind();
                d.size = int(pick % 5);
                defs.push_back(d);
            }
            probe.close();
        } catch (const DbfError &) {
        }
    }
    defs.push_back(FieldDef{QStringLiteral("CALC"), FieldKind::Float, 0, true});

    DbfTable t;
    t.setTableName(path);
    t.setFieldDefs(defs);
    t.setFieldCalculator([](DbfTable &table) {
        if (DbfField *f = table.findField(QStringLiteral("CALC")))
            f->setValue(double(table.recNo()) * 0.5);
    });
    try {
        t.open();
        walk(t);
        t.close();
    } catch (const DbfError &) {
    }
    // A missing declared field must fail cleanly too.
    defs.insert(defs.begin(), FieldDef{QStringLiteral("NO_SUCH"), FieldKind::String, 10, false});
    t.setFieldDefs(defs);
    try {
        t.open();
        t.close();
    } catch (const DbfError &) {
    }
}

// Writes into the malformed file: edit, append and delete either work or fail
// with DbfError.
void writePass(const QString &path)
{
    DbfTable t;
    t.setTableName(path);
    try {
        t.open();
        if (!t.isEmpty()) {
            t.edit();
            for (int i = 0; i < t.fieldCount(); ++i) {
                DbfField *f = t.field(i);
                try {
                    if (f->kind() == FieldKind::String)
                        f->setValue(QStringLiteral("Ї zz"));
                    else if (f->isNumeric())
                        f->setValue(-1.25);
                    else if (f->kind() == FieldKind::Boolean)
                        f->setValue(true);
                    else if (f->kind() == FieldKind::Date)
                        f->setValue(QDate(2025, 5, 1));
                } catch (const DbfError &) {
                }
            }
            t.post();
            t.deleteRecord();
        }
        t.append();
        t.post();
        walk(t);
        t.close();
    } catch (const DbfError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &path = tablePath();
    writeFile(path, data, size);
    QString text;
    firstPass(path, &text);
    secondPass(path, data, size);
    writePass(path);
    return 0;
}
