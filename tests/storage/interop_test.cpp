// Interoperability with independent dBase tools: tables written by python3-dbf,
// Perl XBase, shapelib and GDAL must read exactly as those tools wrote them, and
// tables DbfTable writes must read back correctly in dbfread and shapelib.

#include "storage/dbferror.h"
#include "storage/dbffield.h"
#include "storage/dbftable.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace kvor;

namespace {

// Texts and dates compared in these forms so failures print readably.
std::string str(const QString &s)
{
    return s.toStdString();
}

std::string str(const QDate &d)
{
    return d.isValid() ? d.toString(Qt::ISODate).toStdString() : std::string("(invalid date)");
}

} // namespace

namespace {

const QString fixtureDir = QStringLiteral(KVOR_SOURCE_DIR "/tests/storage/fixtures/interop/");

// ---------------------------------------------------------------------------
// What a field of a fixture record must read as.

struct Cell {
    enum What { Null, Text, Number, Bool, Date, BadNumber };
    What what = Null;
    QString text;
    double number = 0;
    bool flag = false;
    QDate date;
};

Cell nul() { return {}; }
Cell txt(const QString &s) { Cell c; c.what = Cell::Text; c.text = s; return c; }
Cell num(double v) { Cell c; c.what = Cell::Number; c.number = v; return c; }
Cell yes() { Cell c; c.what = Cell::Bool; c.flag = true; return c; }
Cell no() { Cell c; c.what = Cell::Bool; c.flag = false; return c; }
Cell day(int y, int m, int d) { Cell c; c.what = Cell::Date; c.date = QDate(y, m, d); return c; }
// A field a writer filled with '*' (its NULL): not a number.
Cell bad(const char *stored) { Cell c; c.what = Cell::BadNumber; c.text = QString::fromLatin1(stored); return c; }

struct ColumnInfo {
    const char *name;
    FieldKind kind;
    char type;
    int length;
    int decimals;
};

struct Row {
    qint64 recNo;
    bool deleted;
    std::vector<Cell> cells;
};

struct Fixture {
    const char *file;
    int headerLength;
    std::vector<ColumnInfo> fields;
    std::vector<Row> rows;
};

QString kindName(FieldKind k)
{
    return fieldKindName(k);
}

std::unique_ptr<DbfTable> openFixture(const QString &file)
{
    auto t = std::make_unique<DbfTable>();
    t->setDatabaseName(QString());
    t->setTableName(fixtureDir + file);
    t->setReadOnly(true); // the fixtures live in the source tree
    t->open();
    return t;
}

void checkCell(const DbfTable &t, const ColumnInfo &column, const Cell &want, const QString &where)
{
    SCOPED_TRACE(where.toStdString());
    DbfField *f = t.fieldByName(QString::fromLatin1(column.name));
    ASSERT_NE(f, nullptr);
    switch (want.what) {
    case Cell::Null:
        EXPECT_TRUE(f->isNull());
        EXPECT_TRUE(f->value().isNull()) << f->value().toString().toStdString();
        if (column.kind == FieldKind::String) {
            EXPECT_EQ(str(f->asString()), "");
        }
        if (column.kind == FieldKind::Date) {
            EXPECT_FALSE(f->asDate().isValid());
        }
        break;
    case Cell::Text:
        EXPECT_FALSE(f->isNull());
        EXPECT_EQ(str(f->value().toString()), str(want.text));
        EXPECT_EQ(str(f->asString()), str(want.text));
        break;
    case Cell::Number: {
        EXPECT_FALSE(f->isNull()); // numbers are never null, blanks read as 0
        const QVariant v = f->value();
        bool ok = false;
        const double got = v.toDouble(&ok);
        EXPECT_TRUE(ok) << v.toString().toStdString();
        EXPECT_DOUBLE_EQ(got, want.number);
        EXPECT_DOUBLE_EQ(f->asFloat(), want.number);
        if (column.kind != FieldKind::Float) {
            EXPECT_EQ(f->asInteger(), qint32(want.number));
        }
        break;
    }
    case Cell::Bool:
        EXPECT_FALSE(f->isNull());
        EXPECT_EQ(f->value().toBool(), want.flag);
        EXPECT_EQ(f->asBoolean(), want.flag);
        break;
    case Cell::Date:
        EXPECT_FALSE(f->isNull());
        EXPECT_EQ(str(f->value().toDate()), str(want.date));
        EXPECT_EQ(str(f->asDate()), str(want.date));
        break;
    case Cell::BadNumber:
        try {
            const QVariant v = f->value();
            ADD_FAILURE() << "expected \"Invalid number in field\", read " << v.toString().toStdString();
        } catch (const DbfError &e) {
            EXPECT_TRUE(e.message().startsWith(QLatin1String("Invalid number in field ")))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QLatin1String(column.name), Qt::CaseInsensitive))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(want.text)) << e.message().toStdString();
        }
        break;
    }
}

void checkFixture(const Fixture &fx)
{
    SCOPED_TRACE(fx.file);
    std::unique_ptr<DbfTable> t;
    ASSERT_NO_THROW(t = openFixture(QString::fromLatin1(fx.file)));
    ASSERT_TRUE(t->active());

    // Header and descriptors.
    EXPECT_EQ(t->versionByte(), 0x03);
    EXPECT_EQ(t->headerLength(), fx.headerLength);
    int recordLength = 1;
    for (const ColumnInfo &s : fx.fields)
        recordLength += s.length;
    EXPECT_EQ(t->recordLength(), recordLength);
    EXPECT_EQ(t->recordCount(), qint64(fx.rows.size())); // the trailing 0x1A is no record

    ASSERT_EQ(t->fieldCount(), int(fx.fields.size()));
    for (int i = 0; i < t->fieldCount(); ++i) {
        const ColumnInfo &s = fx.fields[size_t(i)];
        const DbfField *f = t->field(i);
        SCOPED_TRACE(s.name);
        EXPECT_EQ(str(f->name().toUpper()), s.name);
        EXPECT_EQ(str(kindName(f->kind())), str(kindName(s.kind)));
        EXPECT_EQ(f->fileType(), s.type);
        EXPECT_EQ(f->length(), s.length);
        EXPECT_EQ(f->decimals(), s.decimals);
        if (s.kind == FieldKind::String) {
            EXPECT_EQ(f->size(), s.length);
        }
        EXPECT_FALSE(f->isCalculated());
        // Names match without regard to case.
        EXPECT_EQ(t->findField(QString::fromLatin1(s.name).toLower()), f);
    }

    // Every record, deleted ones too, by position.
    for (const Row &row : fx.rows) {
        const QString where = QStringLiteral("%1 record %2").arg(QLatin1String(fx.file)).arg(row.recNo);
        bool moved = false;
        ASSERT_NO_THROW(moved = t->goToRecord(row.recNo)) << where.toStdString();
        ASSERT_TRUE(moved) << where.toStdString();
        EXPECT_EQ(t->recNo(), row.recNo) << where.toStdString();
        EXPECT_EQ(t->isDeleted(), row.deleted) << where.toStdString();
        ASSERT_EQ(row.cells.size(), fx.fields.size());
        for (size_t i = 0; i < fx.fields.size(); ++i)
            checkCell(*t, fx.fields[i], row.cells[i], where + QLatin1Char(' ') + QLatin1String(fx.fields[i].name));
    }

    // Navigation visits the live records only, in file order.
    std::vector<qint64> live;
    for (const Row &row : fx.rows)
        if (!row.deleted)
            live.push_back(row.recNo);
    std::vector<qint64> visited;
    ASSERT_NO_THROW(t->first());
    while (!t->eof() && visited.size() <= fx.rows.size()) {
        visited.push_back(t->recNo());
        EXPECT_FALSE(t->isDeleted());
        ASSERT_NO_THROW(t->next());
    }
    EXPECT_EQ(visited, live);
    ASSERT_NO_THROW(t->last());
    EXPECT_EQ(t->recNo(), live.back());
    EXPECT_FALSE(t->eof());

    // The visible records read the same through navigation as by position.
    t->first();
    for (const Row &row : fx.rows) {
        if (row.deleted)
            continue;
        ASSERT_EQ(t->recNo(), row.recNo);
        const QString where = QStringLiteral("%1 visited record %2").arg(QLatin1String(fx.file)).arg(row.recNo);
        for (size_t i = 0; i < fx.fields.size(); ++i)
            checkCell(*t, fx.fields[i], row.cells[i], where + QLatin1Char(' ') + QLatin1String(fx.fields[i].name));
        t->next();
    }
    EXPECT_TRUE(t->eof());

    EXPECT_GE(t->recordCount(), 1);
    EXPECT_FALSE(t->goToRecord(t->recordCount() + 1));
    t->close();
    EXPECT_FALSE(t->active());
}

// Locate scans the deleted records too and compares Cyrillic text in upper case.
void checkLocateDeleted(const char *file, const QString &name, qint64 recNo)
{
    SCOPED_TRACE(file);
    auto t = openFixture(QString::fromLatin1(file));
    t->first();
    ASSERT_TRUE(t->locate(QStringLiteral("NAME"), name.toLower(), true));
    EXPECT_EQ(t->recNo(), recNo);
    EXPECT_TRUE(t->isDeleted());
    EXPECT_EQ(str(t->value(QStringLiteral("NAME")).toString()), str(name));
}

} // namespace

// python3-dbf, dBase III with code page 866: see make_pydbf.py.
TEST(InteropRead, PythonDbf)
{
    const Fixture fx{"pydbf.dbf", 32 + 7 * 32 + 1, {
        {"NAME", FieldKind::String, 'C', 12, 0},
        {"QTY", FieldKind::Integer, 'N', 5, 0},
        {"PRICE", FieldKind::Float, 'N', 8, 2},
        {"OK", FieldKind::Boolean, 'L', 1, 0},
        {"WHEN", FieldKind::Date, 'D', 8, 0},
        {"SMALL", FieldKind::SmallInt, 'N', 3, 0},
        {"BIG", FieldKind::Float, 'N', 12, 0},
    }, {
        {1, false, {txt(u"Камера"_qs), num(42), num(1234.5), yes(), day(2025, 5, 1), num(3), num(123456789012.0)}},
        {2, false, {txt(u"ab"_qs), num(-7), num(-0.25), no(), nul(), num(-12), num(-5)}},
        {3, true, {txt(u"Удалено"_qs), num(1), num(2), yes(), day(1999, 12, 31), num(0), num(0)}},
        // All None: blanks everywhere and '?' in the logical field.
        {4, false, {nul(), num(0), num(0), no(), nul(), num(0), num(0)}},
        {5, false, {txt(u"Холодильники"_qs), num(0), num(0.01), yes(), day(2000, 2, 29), num(999), num(-99999999999.0)}},
        {6, false, {txt(u"ёЁўЎ№°╬"_qs), num(10), num(99999.99), no(), day(1901, 1, 1), num(-99), num(1)}},
    }};
    checkFixture(fx);
    checkLocateDeleted("pydbf.dbf", u"Удалено"_qs, 3);
}

// Perl XBase: see make_xbase.pl.
TEST(InteropRead, PerlXBase)
{
    const Fixture fx{"xbase.dbf", 32 + 5 * 32 + 1, {
        {"NAME", FieldKind::String, 'C', 10, 0},
        {"QTY", FieldKind::Integer, 'N', 6, 0},
        {"PRICE", FieldKind::Float, 'N', 9, 3},
        {"OK", FieldKind::Boolean, 'L', 1, 0},
        {"WHEN", FieldKind::Date, 'D', 8, 0},
    }, {
        {1, false, {txt(u"Камера"_qs), num(42), num(1234.5), yes(), day(2025, 5, 1)}},
        {2, false, {txt(u"ab"_qs), num(-7), num(-0.125), no(), nul()}},
        {3, true, {txt(u"Удалено"_qs), num(1), num(2), yes(), day(1999, 12, 31)}},
        {4, false, {nul(), num(0), num(0), no(), nul()}},
        // A text filling the field exactly.
        {5, false, {txt(u"Морозилка1"_qs), num(100000), num(-0.001), yes(), day(2024, 12, 31)}},
    }};
    checkFixture(fx);
    checkLocateDeleted("xbase.dbf", u"Удалено"_qs, 3);
}

// shapelib dbfcreate/dbfadd: no logical or date fields, no deletion; an empty
// numeric is shapelib's NULL, a field full of '*', which is not a number.
TEST(InteropRead, Shapelib)
{
    const Fixture fx{"shapelib.dbf", 32 + 3 * 32 + 1, {
        {"NAME", FieldKind::String, 'C', 10, 0},
        {"QTY", FieldKind::Integer, 'N', 6, 0},
        {"PRICE", FieldKind::Float, 'N', 9, 2},
    }, {
        {1, false, {txt(u"Kamera"_qs), num(42), num(1234.5)}},
        {2, false, {txt(u"ab"_qs), num(-7), num(-0.25)}},
        // shapelib formats 0.125 with printf, which rounds the tie to even.
        {3, false, {txt(u"Камера"_qs), num(3), num(0.12)}},
        {4, false, {nul(), bad("******"), bad("*********")}},
    }};
    checkFixture(fx);
}

// GDAL ogr2ogr from gdal.csv/gdal.csvt: booleans become N(1), empty numbers
// become '*' fields and an empty date "00000000"; the deleted row was marked
// by GDAL with repacking off.
TEST(InteropRead, Gdal)
{
    const Fixture fx{"gdal.dbf", 32 + 5 * 32 + 1, {
        {"NAME", FieldKind::String, 'C', 12, 0},
        {"QTY", FieldKind::Integer, 'N', 5, 0},
        {"PRICE", FieldKind::Float, 'N', 8, 2},
        {"OK", FieldKind::SmallInt, 'N', 1, 0},
        {"WHEN", FieldKind::Date, 'D', 8, 0},
    }, {
        {1, false, {txt(u"Камера"_qs), num(42), num(1234.5), num(1), day(2025, 5, 1)}},
        {2, false, {txt(u"ab"_qs), num(-7), num(-0.25), num(0), nul()}},
        {3, true, {txt(u"Удалено"_qs), num(1), num(2), num(1), day(1999, 12, 31)}},
        {4, false, {nul(), bad("*****"), bad("********"), bad("*"), nul()}},
        {5, false, {txt(u"Склад"_qs), num(-1234), num(0.5), num(1), day(2024, 2, 29)}},
    }};
    checkFixture(fx);
    checkLocateDeleted("gdal.dbf", u"Удалено"_qs, 3);
}

// ---------------------------------------------------------------------------
// The other way: a table written by DbfTable, read by independent readers.

namespace {

// Writes the round-trip table and returns its path. Header time is fixed so the
// readers can check the update date.
QString writeRoundTripTable(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("ROUND.DBF"));
    DbfTable::setClock([] { return QDateTime(QDate(2025, 5, 1), QTime(10, 20, 30, 456)); });
    DbfTable::create(path, {
                               {QStringLiteral("NAME"), 'C', 20, 0},
                               {QStringLiteral("QTY"), 'N', 5, 0},
                               {QStringLiteral("PRICE"), 'N', 8, 2},
                               {QStringLiteral("OK"), 'L', 1, 0},
                               {QStringLiteral("WHEN"), 'D', 8, 0},
                               {QStringLiteral("SMALL"), 'N', 3, 0},
                               {QStringLiteral("BIG"), 'N', 12, 3},
                           });
    DbfTable t;
    t.setTableName(path);
    t.open();

    t.append();
    t.setValue(QStringLiteral("NAME"), u"Овочі"_qs);
    t.setValue(QStringLiteral("QTY"), -42);
    t.setValue(QStringLiteral("PRICE"), 0.125);
    t.setValue(QStringLiteral("OK"), true);
    t.setValue(QStringLiteral("WHEN"), QDate(2025, 5, 1));
    t.setValue(QStringLiteral("SMALL"), 7);
    t.setValue(QStringLiteral("BIG"), 1234567.0625);
    t.post();

    // QTY and WHEN left as Append made them; OK explicitly false.
    t.append();
    t.setValue(QStringLiteral("NAME"), u"Інше  "_qs);
    t.setValue(QStringLiteral("PRICE"), -0.125);
    t.setValue(QStringLiteral("OK"), false);
    t.setValue(QStringLiteral("SMALL"), -5);
    t.setValue(QStringLiteral("BIG"), -0.0625);
    t.post();

    t.append();
    t.setValue(QStringLiteral("NAME"), u"Удалить"_qs);
    t.setValue(QStringLiteral("QTY"), 1);
    t.setValue(QStringLiteral("PRICE"), 1.0);
    t.setValue(QStringLiteral("OK"), true);
    t.setValue(QStringLiteral("WHEN"), QDate(1999, 12, 31));
    t.post();
    t.deleteRecord();

    // A text too long for the field: cut to 20 characters. Negative numbers
    // filling their fields; positive ones keep a place for the sign. OK never written.
    t.append();
    t.setValue(QStringLiteral("NAME"), u"Холодильники и камеры"_qs);
    t.setValue(QStringLiteral("QTY"), -9999);
    t.setValue(QStringLiteral("PRICE"), 9999.99);
    t.setValue(QStringLiteral("WHEN"), QDate(2000, 2, 29));
    t.setValue(QStringLiteral("SMALL"), -99);
    t.setValue(QStringLiteral("BIG"), -99999.999);
    t.post();

    t.append();
    t.setValue(QStringLiteral("NAME"), u"ёЁ №°ўЎ"_qs);
    t.setValue(QStringLiteral("WHEN"), QVariant()); // explicitly empty
    t.setValue(QStringLiteral("OK"), true);
    t.post();

    // An edit of an existing record.
    t.first();
    t.edit();
    t.setValue(QStringLiteral("SMALL"), 8);
    t.post();
    t.close();
    DbfTable::setClock([] { return QDateTime::currentDateTime(); });
    return path;
}

struct ProcessResult {
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProcessResult run(const QString &program, const QStringList &args)
{
    ProcessResult r;
    QProcess p;
    p.start(program, args);
    r.started = p.waitForStarted(10000);
    if (!r.started)
        return r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

const char *const dbfreadScript = R"PY(
import json, sys
try:
    from dbfread import DBF
except ImportError:
    sys.stderr.write('MISSING dbfread\n')
    sys.exit(3)

path = sys.argv[1]
table = DBF(path, encoding='cp866', load=True)
raw = DBF(path, encoding='cp866', load=True, raw=True)

def value(v):
    return v.isoformat() if hasattr(v, 'isoformat') else v

def cooked(r):
    return {k: value(v) for k, v in r.items()}

def bytes_of(r):
    return {k: v.decode('latin-1') for k, v in r.items()}

def kind(t):
    return t if isinstance(t, str) else t.decode('ascii')

print(json.dumps({
    'version': table.header.dbversion,
    'numrecords': table.header.numrecords,
    'headerlen': table.header.headerlen,
    'recordlen': table.header.recordlen,
    'date': table.date.isoformat() if table.date else None,
    'fields': [[f.name, kind(f.type), f.length, f.decimal_count] for f in table.fields],
    'records': [cooked(r) for r in table.records],
    'deleted': [cooked(r) for r in table.deleted],
    'raw': [bytes_of(r) for r in raw.records],
    'rawdeleted': [bytes_of(r) for r in raw.deleted],
}))
)PY";

// Field bytes as dbfread hands them over raw (decoded as Latin-1 for JSON).
QString bytes(const char *s)
{
    return QString::fromLatin1(s);
}

} // namespace

TEST(InteropWrite, DbfreadReadsDbfTableOutput)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    ASSERT_TRUE(QFileInfo(python).isExecutable())
        << "/usr/bin/python3 is missing: install the Debian packages python3 and python3-dbfread";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString path;
    ASSERT_NO_THROW(path = writeRoundTripTable(dir));

    const ProcessResult r = run(python, {QStringLiteral("-c"), QString::fromUtf8(dbfreadScript), path});
    ASSERT_TRUE(r.started) << "cannot start /usr/bin/python3";
    ASSERT_NE(r.exitCode, 3) << "dbfread is not installed: apt-get install python3-dbfread";
    ASSERT_EQ(r.exitCode, 0) << "dbfread failed on the table DbfTable wrote:\n" << r.err.toStdString();

    QJsonParseError perr;
    const QJsonObject doc = QJsonDocument::fromJson(r.out, &perr).object();
    ASSERT_EQ(perr.error, QJsonParseError::NoError) << r.out.toStdString();

    EXPECT_EQ(doc[u"version"].toInt(), 0x03);
    EXPECT_EQ(doc[u"numrecords"].toInt(), 5); // the header count includes the deleted record
    EXPECT_EQ(doc[u"headerlen"].toInt(), 32 + 7 * 32 + 1);
    EXPECT_EQ(doc[u"recordlen"].toInt(), 1 + 20 + 5 + 8 + 1 + 8 + 3 + 12);
    EXPECT_EQ(str(doc[u"date"].toString()), str(u"2025-05-01"_qs));

    const QJsonArray fields = doc[u"fields"].toArray();
    const QJsonArray wantFields = QJsonDocument::fromJson(R"([["NAME","C",20,0],["QTY","N",5,0],
        ["PRICE","N",8,2],["OK","L",1,0],["WHEN","D",8,0],["SMALL","N",3,0],["BIG","N",12,3]])").array();
    EXPECT_EQ(fields, wantFields);

    const QJsonArray recs = doc[u"records"].toArray();
    ASSERT_EQ(recs.size(), 4);
    const QJsonArray dels = doc[u"deleted"].toArray();
    ASSERT_EQ(dels.size(), 1);

    // Record 1: Ukrainian і is stored as Latin i; halves round away from zero.
    const QJsonObject a = recs[0].toObject();
    EXPECT_EQ(str(a[u"NAME"].toString()), str(u"Овочi"_qs));
    EXPECT_EQ(a[u"QTY"].toInt(), -42);
    EXPECT_DOUBLE_EQ(a[u"PRICE"].toDouble(), 0.13);
    EXPECT_EQ(a[u"OK"], QJsonValue(true));
    EXPECT_EQ(str(a[u"WHEN"].toString()), str(u"2025-05-01"_qs));
    EXPECT_EQ(a[u"SMALL"].toInt(), 8);
    EXPECT_DOUBLE_EQ(a[u"BIG"].toDouble(), 1234567.063);

    const QJsonObject b = recs[1].toObject();
    EXPECT_EQ(str(b[u"NAME"].toString()), str(u"Iнше"_qs));
    EXPECT_EQ(b[u"QTY"], QJsonValue(0));
    EXPECT_DOUBLE_EQ(b[u"PRICE"].toDouble(), -0.13);
    EXPECT_EQ(b[u"OK"], QJsonValue(false));
    EXPECT_TRUE(b[u"WHEN"].isNull());
    EXPECT_EQ(b[u"SMALL"].toInt(), -5);
    EXPECT_DOUBLE_EQ(b[u"BIG"].toDouble(), -0.063);

    const QJsonObject c = recs[2].toObject();
    EXPECT_EQ(str(c[u"NAME"].toString()), str(u"Холодильники и камер"_qs));
    EXPECT_EQ(c[u"QTY"].toInt(), -9999);
    EXPECT_DOUBLE_EQ(c[u"PRICE"].toDouble(), 9999.99);
    EXPECT_TRUE(c[u"OK"].isNull()) << "a boolean never written stays blank";
    EXPECT_EQ(str(c[u"WHEN"].toString()), str(u"2000-02-29"_qs));
    EXPECT_EQ(c[u"SMALL"].toInt(), -99);
    EXPECT_DOUBLE_EQ(c[u"BIG"].toDouble(), -99999.999);

    const QJsonObject d = recs[3].toObject();
    EXPECT_EQ(str(d[u"NAME"].toString()), str(u"ёЁ №°ўЎ"_qs));
    EXPECT_EQ(d[u"QTY"], QJsonValue(0));
    EXPECT_DOUBLE_EQ(d[u"PRICE"].toDouble(), 0.0);
    EXPECT_EQ(d[u"OK"], QJsonValue(true));
    EXPECT_TRUE(d[u"WHEN"].isNull());
    EXPECT_EQ(d[u"SMALL"].toInt(), 0);
    EXPECT_DOUBLE_EQ(d[u"BIG"].toDouble(), 0.0);

    const QJsonObject x = dels[0].toObject();
    EXPECT_EQ(str(x[u"NAME"].toString()), str(u"Удалить"_qs));
    EXPECT_EQ(x[u"QTY"].toInt(), 1);
    EXPECT_DOUBLE_EQ(x[u"PRICE"].toDouble(), 1.0);
    EXPECT_EQ(x[u"OK"], QJsonValue(true));
    EXPECT_EQ(str(x[u"WHEN"].toString()), str(u"1999-12-31"_qs));

    // The exact field bytes: right-justified numbers with the declared decimals,
    // zero for numbers never written, blanks for a date never written.
    const QJsonArray raw = doc[u"raw"].toArray();
    ASSERT_EQ(raw.size(), 4);
    const char *const names[7] = {"NAME", "QTY", "PRICE", "OK", "WHEN", "SMALL", "BIG"};
    const int widths[7] = {20, 5, 8, 1, 8, 3, 12};
    // Texts are given unpadded (padded with blanks on the right), numbers
    // unpadded (padded on the left); OK and WHEN as stored.
    const char *const want[4][7] = {
        {"\x8e\xa2\xae\xe7i", "-42", "0.13", "T", "20250501", "8", "1234567.063"},
        {"I\xad\xe8\xa5", "0", "-0.13", "F", "        ", "-5", "-0.063"},
        {"\x95\xae\xab\xae\xa4\xa8\xab\xec\xad\xa8\xaa\xa8 \xa8 \xaa\xa0\xac\xa5\xe0", "-9999", "9999.99", " ",
         "20000229", "-99", "-99999.999"},
        {"\xf1\xf0 \xfc\xf8\xf7\xf6", "0", "0.00", "T", "        ", "0", "0.000"},
    };
    for (int i = 0; i < 4; ++i) {
        const QJsonObject rec = raw[i].toObject();
        for (int j = 0; j < 7; ++j) {
            const QString w = bytes(want[i][j]);
            const QString stored = j == 0 ? w.leftJustified(widths[j]) : w.rightJustified(widths[j]);
            EXPECT_EQ(str(rec[QLatin1String(names[j])].toString()), str(stored))
                << "record " << i + 1 << " field " << names[j];
        }
    }
    const QJsonObject rawDeleted = doc[u"rawdeleted"].toArray().at(0).toObject();
    EXPECT_EQ(str(rawDeleted[u"NAME"].toString()), str(bytes("\x93\xa4\xa0\xab\xa8\xe2\xec").leftJustified(20)));
    EXPECT_EQ(str(rawDeleted[u"PRICE"].toString()), "    1.00");
    EXPECT_EQ(str(rawDeleted[u"SMALL"].toString()), "  0");
}

namespace {

struct DumpRecord {
    std::map<QByteArray, QByteArray> fields;
    bool deleted = false;
};

QByteArray trimBlanks(QByteArray s)
{
    while (!s.isEmpty() && s.back() == ' ')
        s.chop(1);
    while (!s.isEmpty() && s.front() == ' ')
        s.remove(0, 1);
    return s;
}

// Parses `dbfdump -m -r`: "Record: n", then "FIELD: value" lines, then an
// empty line or "(DELETED)".
std::vector<DumpRecord> parseDump(const QByteArray &out)
{
    std::vector<DumpRecord> recs;
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith("Record: ")) {
            recs.emplace_back();
        } else if (line == "(DELETED)") {
            if (!recs.empty())
                recs.back().deleted = true;
        } else if (!recs.empty()) {
            const int colon = line.indexOf(": ");
            if (colon > 0)
                recs.back().fields[line.left(colon)] = trimBlanks(line.mid(colon + 2));
        }
    }
    return recs;
}

} // namespace

TEST(InteropWrite, ShapelibDumpsDbfTableOutput)
{
    const QString dbfdump = QStandardPaths::findExecutable(QStringLiteral("dbfdump"));
    ASSERT_FALSE(dbfdump.isEmpty()) << "dbfdump not found: install the Debian package shapelib";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString path;
    ASSERT_NO_THROW(path = writeRoundTripTable(dir));

    const ProcessResult h = run(dbfdump, {QStringLiteral("-h"), path});
    ASSERT_TRUE(h.started);
    ASSERT_EQ(h.exitCode, 0) << h.err.toStdString();
    EXPECT_TRUE(h.out.contains("Field 0: Type=C/String, Title=`NAME', Width=20, Decimals=0")) << h.out.toStdString();
    EXPECT_TRUE(h.out.contains("Field 2: Type=N/Double, Title=`PRICE', Width=8, Decimals=2")) << h.out.toStdString();
    EXPECT_TRUE(h.out.contains("Field 6: Type=N/Double, Title=`BIG', Width=12, Decimals=3")) << h.out.toStdString();

    const ProcessResult r = run(dbfdump, {QStringLiteral("-m"), QStringLiteral("-r"), path});
    ASSERT_TRUE(r.started);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const std::vector<DumpRecord> recs = parseDump(r.out);
    // shapelib takes the record count from the header.
    ASSERT_EQ(recs.size(), 5u) << r.out.toStdString();

    struct Want {
        bool deleted;
        const char *name, *qty, *price, *ok, *when, *small, *big;
    };
    const Want want[5] = {
        {false, "\x8e\xa2\xae\xe7i", "-42", "0.13", "T", "20250501", "8", "1234567.063"},
        {false, "I\xad\xe8\xa5", "0", "-0.13", "F", "", "-5", "-0.063"},
        {true, "\x93\xa4\xa0\xab\xa8\xe2\xec", "1", "1.00", "T", "19991231", "0", "0.000"},
        {false, "\x95\xae\xab\xae\xa4\xa8\xab\xec\xad\xa8\xaa\xa8 \xa8 \xaa\xa0\xac\xa5\xe0", "-9999", "9999.99", "",
         "20000229", "-99", "-99999.999"},
        {false, "\xf1\xf0 \xfc\xf8\xf7\xf6", "0", "0.00", "T", "", "0", "0.000"},
    };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE("dbfdump record " + std::to_string(i + 1));
        const DumpRecord &got = recs[i];
        const Want &w = want[i];
        EXPECT_EQ(got.deleted, w.deleted);
        auto field = [&](const char *name) {
            auto it = got.fields.find(QByteArray(name));
            return it == got.fields.end() ? QByteArray("<missing>") : it->second;
        };
        EXPECT_EQ(field("NAME"), QByteArray(w.name));
        EXPECT_EQ(field("QTY"), QByteArray(w.qty));
        EXPECT_EQ(field("PRICE"), QByteArray(w.price));
        EXPECT_EQ(field("OK"), QByteArray(w.ok));
        EXPECT_EQ(field("WHEN"), QByteArray(w.when));
        EXPECT_EQ(field("SMALL"), QByteArray(w.small));
        EXPECT_EQ(field("BIG"), QByteArray(w.big));
    }
}
