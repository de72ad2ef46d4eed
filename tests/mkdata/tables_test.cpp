// The shipped reference tables (built into bin/DATA by every build) and the
// builder's handling of faulty sources.
#include "mkdata/databuilder.h"
#include "mkdata/sourcefile.h"
#include "storage/codepage.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace kvor {
namespace {

const QString kData = QStringLiteral(KVOR_DATA_DIR);
const QString kSources = QStringLiteral(KVOR_SOURCE_DIR "/data");

std::string str(const QString &s)
{
    return s.toStdString();
}

std::unique_ptr<DbfTable> openShipped(const QString &file)
{
    auto table = std::make_unique<DbfTable>();
    table->setDatabaseName(kData);
    table->setTableName(file);
    table->open();
    return table;
}

// A source file read the plain way, without the builder's reader, so a fault
// in one is not hidden by the same fault in the other.
struct Source {
    struct Column {
        QString name;
        QString type; // "C20", "N8.3", "-" …
    };
    std::vector<Column> columns;
    std::vector<QStringList> rows;
};

QStringList dataLines(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << str(path);
    QStringList out;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1Char('#')))
            out.append(t);
    }
    return out;
}

QStringList cells(const QString &line)
{
    QStringList c = line.split(QLatin1Char(';'));
    for (QString &s : c)
        s = s.trimmed();
    return c;
}

Source readSource(const QString &name)
{
    Source s;
    const QStringList lines = dataLines(kSources + QLatin1Char('/') + name);
    if (lines.isEmpty())
        return s;
    for (const QString &declaration : cells(lines.front())) {
        const QStringList parts = declaration.split(QLatin1Char(':'));
        s.columns.push_back({parts.value(0), parts.value(1)});
    }
    for (qsizetype i = 1; i < lines.size(); ++i)
        s.rows.push_back(cells(lines[i]));
    return s;
}

const std::map<QString, QString> &tableFiles()
{
    static const std::map<QString, QString> files = {
        {QStringLiteral("s_mater.csv"), QStringLiteral("s_mater.DBF")},
        {QStringLiteral("s_izolm.csv"), QStringLiteral("s_izolm.DBF")},
        {QStringLiteral("s_region.csv"), QStringLiteral("s_region.dbf")},
        {QStringLiteral("products.csv"), QStringLiteral("products.DBF")},
        {QStringLiteral("s_tara.csv"), QStringLiteral("s_tara.DBF")},
        {QStringLiteral("s_isp.csv"), QStringLiteral("s_isp.DBF")},
        {QStringLiteral("s_init.csv"), QStringLiteral("S_INIT.DBF")},
    };
    return files;
}

// Compares one stored value with its source text: texts exactly, numbers by value.
void expectValue(const DbfField &f, const QString &text, const std::string &where)
{
    switch (f.kind()) {
    case FieldKind::String:
        if (text.isEmpty())
            EXPECT_TRUE(f.isNull()) << where << " holds '" << str(f.asString()) << "'";
        else
            EXPECT_EQ(str(f.asString()), str(text)) << where;
        break;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float:
        EXPECT_DOUBLE_EQ(f.asFloat(), text.isEmpty() ? 0.0 : text.toDouble()) << where;
        break;
    case FieldKind::Boolean:
        EXPECT_EQ(f.asBoolean(), text == QLatin1String("T")) << where;
        break;
    case FieldKind::Date:
        EXPECT_EQ(f.asDate(), QDate::fromString(text, QStringLiteral("yyyyMMdd"))) << where;
        break;
    default:
        ADD_FAILURE() << where << ": unexpected field kind";
    }
}

TEST(ShippedTables, EveryFileOpensAndEveryRecordReads)
{
    const QStringList files = {"s_mater.DBF", "s_izolm.DBF", "s_region.dbf", "products.DBF", "s_tara.DBF",
                               "s_isp.DBF",   "S_INIT.DBF",  "kvor.dbf",     "trec.dbf"};
    for (const QString &file : files) {
        SCOPED_TRACE(str(file));
        ASSERT_TRUE(QFile::exists(kData + QLatin1Char('/') + file));
        std::unique_ptr<DbfTable> t;
        ASSERT_NO_THROW(t = openShipped(file));
        qint64 seen = 0;
        for (t->first(); !t->eof(); t->next()) {
            for (int i = 0; i < t->fieldCount(); ++i)
                EXPECT_NO_THROW(t->field(i)->value()) << str(t->field(i)->name());
            ++seen;
        }
        EXPECT_EQ(seen, t->recordCount());
    }
}

TEST(ShippedTables, TemplatesOpenAsTheCalculationRecord)
{
    QByteArray firstRecord;
    for (const QString &file : {QStringLiteral("kvor.dbf"), QStringLiteral("trec.dbf")}) {
        SCOPED_TRACE(str(file));
        DbfTable t;
        t.setDatabaseName(kData);
        t.setTableName(file);
        t.setFieldDefs(TableDefs::workFieldDefs());
        t.setFieldCalculator(&TableDefs::calcWorkFields);
        ASSERT_NO_THROW(t.open());
        EXPECT_EQ(t.recordCount(), 1);
        EXPECT_DOUBLE_EQ(t.value(QStringLiteral("ob_kamv")).toDouble(), 72.0);
        EXPECT_DOUBLE_EQ(t.value(QStringLiteral("ob_s1")).toDouble(), 12.0);
        EXPECT_DOUBLE_EQ(t.value(QStringLiteral("ob_s2")).toDouble(), 18.0);
        EXPECT_DOUBLE_EQ(t.value(QStringLiteral("ob_s6")).toDouble(), 24.0);

        // The file has exactly the stored fields, in the declared order and widths.
        const std::vector<DbfColumn> columns = TableDefs::workFileColumns();
        DbfTable raw;
        raw.setDatabaseName(kData);
        raw.setTableName(file);
        raw.open();
        ASSERT_EQ(size_t(raw.fieldCount()), columns.size());
        for (int i = 0; i < raw.fieldCount(); ++i) {
            EXPECT_EQ(str(raw.field(i)->name()), str(columns[size_t(i)].name));
            EXPECT_EQ(raw.field(i)->fileType(), columns[size_t(i)].type);
            EXPECT_EQ(raw.field(i)->length(), columns[size_t(i)].length);
            EXPECT_EQ(raw.field(i)->decimals(), columns[size_t(i)].decimals);
        }
        const QByteArray record(raw.recordBuffer(), raw.recordLength());
        if (firstRecord.isEmpty())
            firstRecord = record;
        else
            EXPECT_EQ(record, firstRecord) << "trec.dbf starts from the same record as kvor.dbf";
    }
}

TEST(ShippedTables, ProductCategoriesAreExactlyTheListTexts)
{
    // The category list's texts; "Овочi" and "Iнше" with the Latin letters.
    const QSet<QString> categories = {QStringLiteral("Мясне"),  QStringLiteral("Морепродукти"),
                                      QStringLiteral("Молочне"), QStringLiteral("Овоч") + QLatin1Char('i'),
                                      QStringLiteral("Фрукти"),  QLatin1Char('I') + QStringLiteral("нше")};
    auto products = openShipped(QStringLiteral("products.DBF"));
    QSet<QString> seen;
    for (products->first(); !products->eof(); products->next()) {
        const QString tip = products->value(QStringLiteral("TIP")).toString();
        EXPECT_TRUE(categories.contains(tip)) << "product " << str(products->value(QStringLiteral("NAIM")).toString())
                                              << " has category '" << str(tip) << "'";
        seen.insert(tip);
    }
    // Every category offers at least one product, or choosing it would empty TE_PTIP.
    EXPECT_EQ(seen, categories);
}

TEST(ShippedTables, EveryValueReadsBackAsWrittenInItsSource)
{
    for (const auto &[sourceName, file] : tableFiles()) {
        SCOPED_TRACE(str(sourceName));
        const Source source = readSource(sourceName);
        auto t = openShipped(file);
        std::vector<std::pair<size_t, DbfField *>> stored;
        for (size_t c = 0; c < source.columns.size(); ++c) {
            if (source.columns[c].type == QLatin1String("-"))
                continue;
            DbfField *f = t->findField(source.columns[c].name);
            ASSERT_NE(f, nullptr) << str(source.columns[c].name);
            EXPECT_EQ(QString(QLatin1Char(f->fileType())) + QString::number(f->length())
                          + (f->decimals() > 0 ? QLatin1Char('.') + QString::number(f->decimals()) : QString()),
                      source.columns[c].type.startsWith(QLatin1Char('L')) ? QStringLiteral("L1")
                                                                          : source.columns[c].type)
                << str(f->name());
            stored.push_back({c, f});
        }
        EXPECT_EQ(size_t(t->fieldCount()), stored.size());
        ASSERT_EQ(t->recordCount(), qint64(source.rows.size()));
        size_t row = 0;
        for (t->first(); !t->eof(); t->next(), ++row) {
            for (const auto &[c, f] : stored) {
                expectValue(*f, source.rows[row].value(int(c)),
                            str(sourceName) + " row " + std::to_string(row + 1) + " " + str(f->name()));
            }
        }
    }

    // The template: one FIELD;value line per stored field.
    std::map<QString, QString> values;
    for (const QString &line : dataLines(kSources + QStringLiteral("/kvor.csv"))) {
        const QStringList c = cells(line);
        ASSERT_EQ(c.size(), 2) << str(line);
        EXPECT_TRUE(values.emplace(c[0].toUpper(), c[1]).second) << str(c[0]) << " twice";
    }
    EXPECT_EQ(values.size(), TableDefs::workFileColumns().size());
    for (const QString &file : {QStringLiteral("kvor.dbf"), QStringLiteral("trec.dbf")}) {
        auto t = openShipped(file);
        for (int i = 0; i < t->fieldCount(); ++i) {
            const DbfField *f = t->field(i);
            const auto it = values.find(f->name().toUpper());
            ASSERT_NE(it, values.end()) << str(f->name()) << " has no line in kvor.csv";
            expectValue(*f, it->second, str(file) + " " + str(f->name()));
        }
    }
}

TEST(ShippedTables, RegionNamesAreUniqueWithOtherLast)
{
    auto regions = openShipped(QStringLiteral("s_region.dbf"));
    QSet<QString> names;
    QString last;
    for (regions->first(); !regions->eof(); regions->next()) {
        last = regions->value(QStringLiteral("REG_NAIM")).toString();
        EXPECT_FALSE(last.isEmpty());
        // Locate compares in upper case, so names differing only in case would clash.
        EXPECT_FALSE(names.contains(last.toUpper())) << str(last) << " twice";
        names.insert(last.toUpper());
        EXPECT_EQ(regions->fieldCount(), 3);
    }
    EXPECT_GT(names.size(), 20);
    EXPECT_EQ(str(last), "Другой");
}

TEST(ShippedTables, TemplateRefersOnlyToShippedRows)
{
    auto work = openShipped(QStringLiteral("kvor.dbf"));
    auto text = [&](const char *field) { return work->value(QString::fromLatin1(field)).toString(); };

    auto products = openShipped(QStringLiteral("products.DBF"));
    ASSERT_TRUE(products->locate(QStringLiteral("NAIM"), text("TE_PTIP"))) << str(text("TE_PTIP"));
    EXPECT_EQ(str(products->value(QStringLiteral("TIP")).toString()), "Мясне");
    auto tara = openShipped(QStringLiteral("s_tara.DBF"));
    EXPECT_TRUE(tara->locate(QStringLiteral("NAIM"), text("TE_TTIP"))) << str(text("TE_TTIP"));

    auto materials = openShipped(QStringLiteral("s_mater.DBF"));
    auto insulation = openShipped(QStringLiteral("s_izolm.DBF"));
    for (int i = 1; i <= 6; ++i) {
        const QString m = work->value(QStringLiteral("ST_M%1").arg(i)).toString();
        const QString iz = work->value(QStringLiteral("ST_IZ%1").arg(i)).toString();
        EXPECT_TRUE(materials->locate(QStringLiteral("M_NAIM"), m)) << i << " " << str(m);
        EXPECT_TRUE(insulation->locate(QStringLiteral("IZ_NAIM"), iz)) << i << " " << str(iz);
    }

    // The region's climate is in the record as choosing the region would copy it.
    auto regions = openShipped(QStringLiteral("s_region.dbf"));
    ASSERT_TRUE(regions->locate(QStringLiteral("REG_NAIM"), text("OB_RGNAIM"))) << str(text("OB_RGNAIM"));
    EXPECT_EQ(str(text("OB_RGNAIM")), "Киевская");
    EXPECT_EQ(work->value(QStringLiteral("OB_RGTMAX")).toInt(), regions->value(QStringLiteral("REG_TEM")).toInt());
    EXPECT_EQ(work->value(QStringLiteral("OB_RGVLAJ")).toInt(), regions->value(QStringLiteral("REG_VLAJ")).toInt());

    // The fixed lists' first items, as the program stores them in code page 866.
    EXPECT_EQ(str(text("IN_ZAV")), str(Cp866::decode(Cp866::encode(QStringLiteral("Відсутня")))));
    EXPECT_EQ(str(text("IN_TOV")), str(Cp866::decode(Cp866::encode(QStringLiteral("Штабелі на піддонах")))));
    EXPECT_EQ(str(text("OB_TERMR")), "Хранение");
    EXPECT_EQ(work->value(QStringLiteral("OB_TEMKAM")).toInt(), -18);
    for (int i = 1; i <= 9; ++i)
        EXPECT_TRUE(work->value(QStringLiteral("CH%1").arg(i)).toBool()) << "CH" << i;
    // Every outside temperature is above the chamber's: the infiltration takes a root of the difference.
    for (int i = 1; i <= 6; ++i)
        EXPECT_GT(work->value(QStringLiteral("ST_TEM%1").arg(i)).toInt(), -18) << "ST_TEM" << i;
    EXPECT_GE(work->value(QStringLiteral("OB_TIMEWRK")).toInt(), 1);
    EXPECT_LE(work->value(QStringLiteral("OB_TIMEWRK")).toInt(), 24);
}

TEST(ShippedTables, NamesDoNotReadAsAThickness)
{
    // A bare number in a material's name reads as its thickness in mm: one
    // that is a density says so ("80 кг/м3", or a density grade "D1800").
    const QRegularExpression bareNumber(QStringLiteral("(?<![\\dDм])\\d+(?!\\d)(?! ?кг/м3)"));
    const struct {
        const char *file, *key;
    } tables[] = {{"s_mater.DBF", "M_NAIM"}, {"s_izolm.DBF", "IZ_NAIM"}};
    for (const auto &t : tables) {
        auto table = openShipped(QString::fromLatin1(t.file));
        QSet<QString> names;
        for (table->first(); !table->eof(); table->next()) {
            const QString name = table->value(QString::fromLatin1(t.key)).toString();
            const QRegularExpressionMatch bare = bareNumber.match(name);
            EXPECT_FALSE(bare.hasMatch()) << t.file << ": " << str(name) << " (" << str(bare.captured()) << ")";
            EXPECT_FALSE(names.contains(name.toUpper())) << t.file << ": " << str(name) << " twice";
            names.insert(name.toUpper());
        }
    }
}

TEST(ShippedTables, ReviewedRowsAgreeWithPublishedFigures)
{
    // Bounds from the sources named in the data files' notes.
    const struct {
        const char *file, *key, *name, *field;
        double low, high;
        const char *why;
    } rows[] = {
        {"products.DBF", "NAIM", "Мороженое", "CP2", 1.85, 1.90, "frozen: Earle 1.88, Geankoplis 1.88"},
        {"products.DBF", "NAIM", "Молоко цельное", "CP2", 1.94, 2.05, "frozen: Cengel 1.95, Earle 2.05"},
        {"products.DBF", "NAIM", "Свекла", "Q1", 55, 75, "USDA HB66: 0.028 BTU/(lb h) = 65"},
        {"products.DBF", "NAIM", "Черника", "Q1", 55, 75, "USDA HB66: 0.028 BTU/(lb h) = 65"},
        {"s_tara.DBF", "NAIM", "Ящики деревянные", "SP", 1.26, 1.91, "dry wood 1.26-1.38, saturated 1.91"},
        {"s_tara.DBF", "NAIM", "Поддоны деревянные", "SP", 1.26, 1.91, "dry wood 1.26-1.38, saturated 1.91"},
        {"s_izolm.DBF", "IZ_NAIM", "Пеностекло", "IZ_KTP", 0.038, 0.065, "EN 13167 covers at most 0.065"},
        {"s_izolm.DBF", "IZ_NAIM", "Полиизоцианурат PIR", "IZ_KTP", 0.020, 0.023, "panel makers' design values"},
    };
    for (const auto &r : rows) {
        auto table = openShipped(QString::fromLatin1(r.file));
        ASSERT_TRUE(table->locate(QString::fromLatin1(r.key), QString::fromUtf8(r.name))) << r.name;
        const double v = table->value(QString::fromLatin1(r.field)).toDouble();
        EXPECT_GE(v, r.low) << r.name << " " << r.field << ": " << r.why;
        EXPECT_LE(v, r.high) << r.name << " " << r.field << ": " << r.why;
    }

    // REG_TEM by the file's own rule, 0.4 × mean July + 0.6 × absolute maximum,
    // from the station figures of the climate tables.
    const struct {
        const char *region;
        double july, maximum;
    } stations[] = {{"Одесская", 22.2, 37}, {"Полтавская", 20.6, 38}, {"Ровенская", 18.5, 38}};
    auto regions = openShipped(QStringLiteral("s_region.dbf"));
    for (const auto &st : stations) {
        ASSERT_TRUE(regions->locate(QStringLiteral("REG_NAIM"), QString::fromUtf8(st.region))) << st.region;
        EXPECT_EQ(regions->value(QStringLiteral("REG_TEM")).toInt(), qRound(0.4 * st.july + 0.6 * st.maximum))
            << st.region;
    }
}

TEST(ShippedTables, SettingsAndExecutors)
{
    auto init = openShipped(QStringLiteral("S_INIT.DBF"));
    EXPECT_EQ(init->recordCount(), 1);
    ASSERT_NE(init->findField(QStringLiteral("DIR")), nullptr);
    EXPECT_EQ(init->findField(QStringLiteral("DIR"))->fileType(), 'C');
    EXPECT_TRUE(init->field(0)->isNull()) << "an empty DIR stands for the home folder";

    auto isp = openShipped(QStringLiteral("s_isp.DBF"));
    EXPECT_EQ(isp->recordCount(), 0);
    ASSERT_NE(isp->findField(QStringLiteral("NAME")), nullptr);
    EXPECT_EQ(isp->findField(QStringLiteral("NAME"))->fileType(), 'C');
    EXPECT_EQ(isp->findField(QStringLiteral("NAME"))->length(), 40);
}

// A copy of data/ to spoil, and an output folder holding an earlier build.
class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_sources = m_dir.filePath(QStringLiteral("data"));
        m_output = m_dir.filePath(QStringLiteral("out/DATA"));
        ASSERT_TRUE(QDir().mkpath(m_sources));
        ASSERT_TRUE(QDir().mkpath(m_output));
        QDirIterator it(kSources, QDir::Files);
        while (it.hasNext()) {
            it.next();
            ASSERT_TRUE(QFile::copy(it.filePath(), m_sources + QLatin1Char('/') + it.fileName()));
        }
        QFile old(m_output + QStringLiteral("/s_mater.DBF"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an earlier build");
    }

    // Replaces the first occurrence of `from` in a source; returns its 1-based line.
    int spoil(const QString &file, const QString &from, const QString &to)
    {
        QFile f(m_sources + QLatin1Char('/') + file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        f.close();
        const qsizetype at = text.indexOf(from);
        EXPECT_GE(at, 0) << str(from);
        const int line = int(text.left(at).count(QLatin1Char('\n'))) + 1;
        text.replace(at, from.size(), to);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
        return line;
    }

    QStringList outputState() const
    {
        QStringList state;
        QDirIterator it(m_dir.filePath(QStringLiteral("out")), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            QFile f(it.filePath());
            state.append(it.filePath() + QLatin1Char('=')
                         + (f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().toHex()) : QString()));
        }
        state.sort();
        return state;
    }

    // Builds, expecting a failure whose message names the file and line and says `what`.
    void expectFailure(const QString &file, int line, const QString &what)
    {
        const QStringList before = outputState();
        try {
            DataBuilder::build(m_sources, m_output);
            ADD_FAILURE() << "the build succeeded";
        } catch (const DataError &e) {
            const QString where = QStringLiteral("%1:%2:").arg(file).arg(line);
            EXPECT_TRUE(e.message().contains(where)) << str(e.message()) << " does not name " << str(where);
            EXPECT_TRUE(e.message().contains(what)) << str(e.message()) << " does not say " << str(what);
        }
        EXPECT_EQ(outputState(), before) << "the output folder changed";
    }

    QTemporaryDir m_dir;
    QString m_sources;
    QString m_output;
};

TEST_F(BuilderTest, FaultyValueFailsNamingFileAndLineAndLeavesTheOutput)
{
    // Values are checked as they are written, after earlier tables were already made.
    const int line = spoil(QStringLiteral("s_tara.csv"), QStringLiteral("Бумага;1.34"), QStringLiteral("Бумага;1,34"));
    expectFailure(QStringLiteral("s_tara.csv"), line, QStringLiteral("'1,34' is not a number"));
}

TEST_F(BuilderTest, UnknownColumnTypeFails)
{
    const int line = spoil(QStringLiteral("s_izolm.csv"), QStringLiteral("IZ_KTP:N8.3"), QStringLiteral("IZ_KTP:X8"));
    expectFailure(QStringLiteral("s_izolm.csv"), line, QStringLiteral("unknown column type 'X8'"));
}

TEST_F(BuilderTest, ValuesTheColumnCannotHoldExactlyFail)
{
    // The table layer would round, cut or replace these without a word.
    {
        const int line = spoil(QStringLiteral("s_mater.csv"), QStringLiteral("Медь;407"), QStringLiteral("Медь;0.0125"));
        expectFailure(QStringLiteral("s_mater.csv"), line, QStringLiteral("more decimals"));
        spoil(QStringLiteral("s_mater.csv"), QStringLiteral("Медь;0.0125"), QStringLiteral("Медь;407"));
    }
    {
        const int line = spoil(QStringLiteral("s_mater.csv"), QStringLiteral("Медь;407"), QStringLiteral("Медь;1234567"));
        expectFailure(QStringLiteral("s_mater.csv"), line, QStringLiteral("Number too large to fit in field"));
        spoil(QStringLiteral("s_mater.csv"), QStringLiteral("Медь;1234567"), QStringLiteral("Медь;407"));
    }
    {
        const int line = spoil(QStringLiteral("products.csv"), QStringLiteral("Овочi;Картофель"),
                               QStringLiteral("Овочі;Картофель"));
        expectFailure(QStringLiteral("products.csv"), line, QStringLiteral("code page 866"));
        spoil(QStringLiteral("products.csv"), QStringLiteral("Овочі;Картофель"), QStringLiteral("Овочi;Картофель"));
    }
    {
        const int line = spoil(QStringLiteral("s_tara.csv"), QStringLiteral("Бумага;"),
                               QStringLiteral("Бумага оберточная крафт;"));
        expectFailure(QStringLiteral("s_tara.csv"), line, QStringLiteral("23 characters"));
    }
}

TEST_F(BuilderTest, MalformedLinesFail)
{
    {
        const int line = spoil(QStringLiteral("s_region.csv"), QStringLiteral("Сумская;31;52;estimate"),
                               QStringLiteral("Сумская;31;52"));
        expectFailure(QStringLiteral("s_region.csv"), line, QStringLiteral("3 values where the header declares 4"));
        spoil(QStringLiteral("s_region.csv"), QStringLiteral("Сумская;31;52\n"), QStringLiteral("Сумская;31;52;estimate\n"));
    }
    {
        const int line = spoil(QStringLiteral("s_region.csv"), QStringLiteral("Сумская;"), QStringLiteral("сумская;"));
        // "Сумская" only differs in case from a name already there: Locate could never reach it.
        spoil(QStringLiteral("s_region.csv"), QStringLiteral("Винницкая;"), QStringLiteral("Сумская;"));
        expectFailure(QStringLiteral("s_region.csv"), line, QStringLiteral("already stands on line"));
    }
}

TEST_F(BuilderTest, TemplateFaultsFail)
{
    {
        const int line = spoil(QStringLiteral("kvor.csv"), QStringLiteral("TE_PTIP;Куры"), QStringLiteral("TE_PTIP;Куропатка"));
        expectFailure(QStringLiteral("kvor.csv"), line, QStringLiteral("is not a NAIM of products.csv"));
        spoil(QStringLiteral("kvor.csv"), QStringLiteral("TE_PTIP;Куропатка"), QStringLiteral("TE_PTIP;Куры"));
    }
    {
        const int line = spoil(QStringLiteral("kvor.csv"), QStringLiteral("OB_TEMKAM;-18"), QStringLiteral("OB_TEMKAM;-1800"));
        expectFailure(QStringLiteral("kvor.csv"), line, QStringLiteral("Number too large to fit in field"));
        spoil(QStringLiteral("kvor.csv"), QStringLiteral("OB_TEMKAM;-1800"), QStringLiteral("OB_TEMKAM;-18"));
    }
    {
        const int line = spoil(QStringLiteral("kvor.csv"), QStringLiteral("SIS;"), QStringLiteral("SYS;"));
        expectFailure(QStringLiteral("kvor.csv"), line, QStringLiteral("no field SYS"));
    }
}

TEST_F(BuilderTest, TemplateWithoutAFieldFails)
{
    spoil(QStringLiteral("kvor.csv"), QStringLiteral("KL_DATA;\n"), QString());
    const QStringList before = outputState();
    try {
        DataBuilder::build(m_sources, m_output);
        ADD_FAILURE() << "the build succeeded";
    } catch (const DataError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kvor.csv"))) << str(e.message());
        EXPECT_TRUE(e.message().contains(QStringLiteral("KL_DATA"))) << str(e.message());
    }
    EXPECT_EQ(outputState(), before);
}

TEST_F(BuilderTest, SuccessfulBuildReplacesTheTablesAndKeepsOtherFiles)
{
    QFile other(m_output + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("kept");
    other.close();

    ASSERT_NO_THROW(DataBuilder::build(m_sources, m_output));
    DbfTable materials;
    materials.setDatabaseName(m_output);
    materials.setTableName(QStringLiteral("s_mater.DBF"));
    ASSERT_NO_THROW(materials.open());
    EXPECT_EQ(materials.recordCount(), qint64(readSource(QStringLiteral("s_mater.csv")).rows.size()));
    EXPECT_TRUE(QFile::exists(m_output + QStringLiteral("/notes.txt")));

    // Nothing of the scratch folder is left beside the output.
    EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("out"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("DATA")});
}

TEST_F(BuilderTest, BuildsIntoAFolderThatDoesNotExistYet)
{
    const QString fresh = m_dir.filePath(QStringLiteral("new/deeper/DATA"));
    ASSERT_NO_THROW(DataBuilder::build(m_sources, fresh));
    for (const QString &file : {QStringLiteral("kvor.dbf"), QStringLiteral("S_INIT.DBF"), QStringLiteral("products.DBF")})
        EXPECT_TRUE(QFile::exists(fresh + QLatin1Char('/') + file)) << str(file);
    EXPECT_TRUE(QFileInfo(fresh).permissions().testFlag(QFileDevice::ReadOther));
}

TEST_F(BuilderTest, MissingSourceFolderFails)
{
    EXPECT_THROW(DataBuilder::build(m_dir.filePath(QStringLiteral("nowhere")), m_output), DataError);
}

} // namespace
} // namespace kvor
