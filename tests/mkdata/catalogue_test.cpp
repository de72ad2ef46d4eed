// The equipment catalogues and grups.dbf as built into bin/DATA, and their generator.
#include "mkdata/catalogue.h"
#include "storage/dbftable.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvor {
namespace {

const QString kDataDir = QStringLiteral(KVOR_DATA_DIR);
const QString kSourceDir = QStringLiteral(KVOR_SOURCE_DIR "/data");

struct BandFile {
    const char *file;
    bool lowTemperature;
};

// Warmest band first.
const BandFile kBands[] = {{"kat12.dbf", false}, {"kat8.dbf", false}, {"kat4.dbf", false},
                           {"kat0.dbf", false},  {"kat-5.dbf", false}, {"kat-12.dbf", true},
                           {"kat-18.dbf", true}, {"kat-25.dbf", true}, {"kat-30.dbf", true}};

const char *const kTenFiles[] = {"kat12.dbf", "kat8.dbf", "kat4.dbf", "kat0.dbf", "kat-5.dbf",
                                 "kat-12.dbf", "kat-18.dbf", "kat-25.dbf", "kat-30.dbf", "grups.dbf"};

struct Row {
    QString sis, agr, vohl, nabor, shkaf;
    int q[4] = {};
    double t[4] = {};
    double ppot = 0, ipot = 0;
    int group = 0, vo = 0;
};

// Opened as the selection opens it: declared fields, read-only.
std::unique_ptr<DbfTable> openCatalogue(const QString &folder, const QString &file)
{
    auto table = std::make_unique<DbfTable>();
    table->setFieldDefs(TableDefs::catalogueFieldDefs());
    table->setReadOnly(true);
    table->setDatabaseName(folder);
    table->setTableName(file);
    table->open();
    return table;
}

Row currentRow(const DbfTable &t)
{
    static const char *const q[] = {"Q25", "Q30", "Q35", "Q40"};
    static const char *const d[] = {"T25", "T30", "T35", "T40"};
    Row r;
    r.sis = t.value(QStringLiteral("SIS")).toString();
    r.agr = t.value(QStringLiteral("AGR")).toString();
    r.vohl = t.value(QStringLiteral("VOHL")).toString();
    r.nabor = t.value(QStringLiteral("NABOR")).toString();
    r.shkaf = t.value(QStringLiteral("SHKAF")).toString();
    for (int i = 0; i < 4; ++i) {
        r.q[i] = t.fieldByName(QString::fromLatin1(q[i]))->asInteger();
        r.t[i] = t.fieldByName(QString::fromLatin1(d[i]))->asFloat();
    }
    r.ppot = t.fieldByName(QStringLiteral("PPOT"))->asFloat();
    r.ipot = t.fieldByName(QStringLiteral("IPOT"))->asFloat();
    r.group = t.fieldByName(QStringLiteral("id_grup"))->asInteger();
    r.vo = t.fieldByName(QStringLiteral("VO"))->asInteger();
    return r;
}

std::vector<Row> liveRows(const QString &file)
{
    auto t = openCatalogue(kDataDir, file);
    std::vector<Row> rows;
    for (t->first(); !t->eof(); t->next())
        rows.push_back(currentRow(*t));
    return rows;
}

QSet<int> groupIds()
{
    DbfTable g;
    g.setDatabaseName(kDataDir);
    g.setTableName(QStringLiteral("grups.dbf"));
    g.open();
    QSet<int> ids;
    for (g.first(); !g.eof(); g.next())
        ids.insert(g.value(QStringLiteral("ID")).toInt());
    return ids;
}

std::string name(const BandFile &b)
{
    return b.file;
}

TEST(CatalogueFiles, OpenAsTheCatalogueDeclaresThem)
{
    for (const BandFile &b : kBands) {
        auto t = openCatalogue(kDataDir, QString::fromLatin1(b.file));
        EXPECT_TRUE(t->active()) << name(b);
        EXPECT_EQ(t->fieldCount(), int(TableDefs::catalogueFieldDefs().size())) << name(b);
        // Read-only: no edit may start.
        EXPECT_THROW(t->edit(), DbfError) << name(b);
    }
}

TEST(CatalogueFiles, EnoughLiveRowsAndExactlyOneDeleted)
{
    for (const BandFile &b : kBands) {
        const QString file = QString::fromLatin1(b.file);
        auto t = openCatalogue(kDataDir, file);
        int live = 0;
        for (t->first(); !t->eof(); t->next())
            ++live;
        int deleted = 0;
        for (qint64 k = 1; k <= t->recordCount(); ++k) {
            ASSERT_TRUE(t->goToRecord(k));
            deleted += t->isDeleted() ? 1 : 0;
        }
        EXPECT_GE(live, 40) << name(b);
        EXPECT_EQ(deleted, 1) << name(b);
        EXPECT_EQ(t->recordCount(), live + deleted) << name(b);
    }
}

TEST(CatalogueFiles, CapacityAndDifferenceFallAsTheAmbientRises)
{
    for (const BandFile &b : kBands) {
        for (const Row &r : liveRows(QString::fromLatin1(b.file))) {
            const std::string where = name(b) + " " + r.sis.toStdString();
            EXPECT_GT(r.q[3], 0) << where;
            EXPECT_GT(r.t[3], 0) << where;
            for (int i = 1; i < 4; ++i) {
                EXPECT_LT(r.q[i], r.q[i - 1]) << where << " column " << i;
                EXPECT_LT(r.t[i], r.t[i - 1]) << where << " column " << i;
            }
            // Air coolers: at most 10 K, at most 8 K in rooms below −12 °C; never under 5 K at 25 °C.
            EXPECT_LE(r.t[0], b.lowTemperature ? 8.0 : 10.0) << where;
            EXPECT_GE(r.t[0], 5.0) << where;
        }
    }
}

TEST(CatalogueFiles, ProductCoolingFlagMeansAtMost7K)
{
    for (const BandFile &b : kBands) {
        int flagged = 0;
        const std::vector<Row> rows = liveRows(QString::fromLatin1(b.file));
        for (const Row &r : rows) {
            EXPECT_EQ(r.vo, r.t[0] <= 7.0 ? 1 : 0) << name(b) << " " << r.sis.toStdString() << " T25 " << r.t[0];
            flagged += r.vo;
        }
        // Both kinds are offered in every band.
        EXPECT_GE(flagged, 10) << name(b);
        EXPECT_GE(int(rows.size()) - flagged, 10) << name(b);
    }
}

TEST(CatalogueFiles, GroupsExistAndCodesAreUnique)
{
    const QSet<int> ids = groupIds();
    ASSERT_FALSE(ids.isEmpty());
    for (const BandFile &b : kBands) {
        QSet<QString> codes, kept;
        int longCodes = 0;
        for (const Row &r : liveRows(QString::fromLatin1(b.file))) {
            const std::string where = name(b) + " " + r.sis.toStdString();
            EXPECT_TRUE(ids.contains(r.group)) << where << " group " << r.group;
            EXPECT_TRUE(r.sis.size() == 6 || r.sis.size() == 8) << where;
            EXPECT_FALSE(codes.contains(r.sis)) << where;
            codes.insert(r.sis);
            // The calculation record keeps 6 characters: they still tell the systems apart.
            EXPECT_FALSE(kept.contains(r.sis.left(6))) << where;
            kept.insert(r.sis.left(6));
            longCodes += r.sis.size() == 8 ? 1 : 0;
            EXPECT_FALSE(r.agr.isEmpty() || r.vohl.isEmpty() || r.nabor.isEmpty() || r.shkaf.isEmpty()) << where;
            EXPECT_FALSE(r.agr.contains(QLatin1Char('?')) || r.shkaf.contains(QLatin1Char('?'))) << where;
        }
        EXPECT_GE(longCodes, 1) << name(b);
    }
}

TEST(CatalogueFiles, CurrentMatchesPowerAndSupply)
{
    for (const BandFile &b : kBands) {
        for (const Row &r : liveRows(QString::fromLatin1(b.file))) {
            const std::string where = name(b) + " " + r.sis.toStdString();
            ASSERT_GT(r.ppot, 0) << where;
            const bool singlePhase = r.agr.endsWith(QStringLiteral("230 В"));
            EXPECT_TRUE(singlePhase || r.agr.endsWith(QStringLiteral("400 В"))) << where;
            // 230 V, cos φ 0.9: 4.8 A per kW; 400 V three-phase, cos φ 0.8: 1.8 A per kW.
            EXPECT_NEAR(r.ipot, r.ppot * (singlePhase ? 4.8 : 1.8), 0.006) << where;
            // The unit's input covers its share of the capacity: COP at most about 3.5.
            EXPECT_LT(r.q[3] / (r.ppot * 1000.0), 3.5) << where;
        }
    }
}

TEST(CatalogueFiles, CapacitiesCoverTheRangeAndEveryWindow)
{
    static const char *const q[] = {"Q25", "Q30", "Q35", "Q40"};
    for (const BandFile &b : kBands) {
        const std::vector<Row> rows = liveRows(QString::fromLatin1(b.file));
        int smallest = rows.front().q[3], largest = rows.front().q[0];
        for (const Row &r : rows) {
            smallest = std::min(smallest, r.q[3]);
            largest = std::max(largest, r.q[0]);
        }
        EXPECT_LE(smallest, 800) << name(b);
        EXPECT_GE(largest, 60000) << name(b);
        // A required capacity of 2 … 40 kW with the default window 95 … 150 %: several
        // systems in storage mode, at least one with the product-cooling conditions.
        for (int col = 0; col < 4; ++col) {
            for (int need = 2000; need <= 40000; need += need / 20) {
                int storage = 0, cooling = 0;
                for (const Row &r : rows) {
                    if (r.q[col] >= 0.95 * need && r.q[col] <= 1.5 * need) {
                        ++storage;
                        cooling += (r.t[col] <= 7 && r.vo == 1) ? 1 : 0;
                    }
                }
                EXPECT_GE(storage, 3) << name(b) << " " << q[col] << " " << need << " W";
                EXPECT_GE(cooling, 1) << name(b) << " " << q[col] << " " << need << " W";
            }
        }
    }
}

TEST(CatalogueFiles, WarmerBandsGetMoreFromTheSameUnit)
{
    // Evaporating higher, the same condensing unit gives more cooling.
    for (size_t i = 1; i < std::size(kBands); ++i) {
        if (kBands[i].lowTemperature != kBands[i - 1].lowTemperature)
            continue;
        std::map<QString, int> warmer;
        for (const Row &r : liveRows(QString::fromLatin1(kBands[i - 1].file)))
            warmer[r.sis.left(6)] = r.q[1];
        int compared = 0;
        for (const Row &r : liveRows(QString::fromLatin1(kBands[i].file))) {
            const auto it = warmer.find(r.sis.left(6));
            if (it == warmer.end())
                continue;
            ++compared;
            EXPECT_GT(it->second, r.q[1]) << name(kBands[i]) << " " << r.sis.toStdString();
        }
        EXPECT_GE(compared, 30) << name(kBands[i]);
    }
}

TEST(CatalogueFiles, SelectionFiltersFindSystems)
{
    for (const BandFile &b : kBands) {
        const QString file = QString::fromLatin1(b.file);
        int expected = 0;
        for (const Row &r : liveRows(file))
            expected += (r.q[0] >= 3000 && r.q[0] <= 6000) ? 1 : 0;

        auto t = openCatalogue(kDataDir, file);
        t->setFilter(QStringLiteral("Q25 >= 3000 and Q25 <= 6000"));
        t->setFiltered(true);
        int found = 0;
        for (t->first(); !t->eof(); t->next()) {
            const int q25 = t->fieldByName(QStringLiteral("Q25"))->asInteger();
            EXPECT_TRUE(q25 >= 3000 && q25 <= 6000) << name(b);
            EXPECT_FALSE(t->isDeleted()) << name(b);
            ++found;
        }
        EXPECT_GE(found, 3) << name(b);
        EXPECT_EQ(found, expected) << name(b);

        // The cooling-mode form of the filter for a 30 °C region.
        t->setFiltered(false);
        t->setFilter(QStringLiteral("Q30 >= 3000 and Q30 <= 6000 and T30 <= 7 and VO = 1"));
        t->setFiltered(true);
        t->first();
        EXPECT_FALSE(t->eof()) << name(b);
    }
}

TEST(CatalogueGroups, TextsAndNumbers)
{
    DbfTable g;
    g.setDatabaseName(kDataDir);
    g.setTableName(QStringLiteral("grups.dbf"));
    g.open();
    QSet<int> ids;
    int rows = 0;
    for (g.first(); !g.eof(); g.next(), ++rows) {
        const int id = g.value(QStringLiteral("ID")).toInt();
        EXPECT_FALSE(ids.contains(id)) << id;
        ids.insert(id);
        const QString gr = g.value(QStringLiteral("GR")).toString();
        const QString pgr = g.value(QStringLiteral("PGR")).toString();
        EXPECT_TRUE(gr.startsWith(QStringLiteral("Сплит-системы "))) << id;
        EXPECT_TRUE(pgr.startsWith(QStringLiteral("на базе "))) << id;
        // Stored in the DOS page: no character fell back to a substitute.
        EXPECT_FALSE(gr.contains(QLatin1Char('?')) || pgr.contains(QLatin1Char('?'))) << id;
    }
    EXPECT_GE(rows, 2);
    // Every group is used by some catalogue.
    QSet<int> used;
    for (const BandFile &b : kBands) {
        for (const Row &r : liveRows(QString::fromLatin1(b.file)))
            used.insert(r.group);
    }
    EXPECT_EQ(used, ids);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Equal but for the update date (bytes 1–3) and the change stamp (16–19).
void expectSameTable(const QString &a, const QString &b)
{
    const QByteArray x = fileBytes(a), y = fileBytes(b);
    ASSERT_GT(x.size(), 32) << a.toStdString();
    ASSERT_EQ(x.size(), y.size()) << a.toStdString();
    for (qsizetype i = 0; i < x.size(); ++i) {
        if ((i >= 1 && i <= 3) || (i >= 16 && i <= 19))
            continue;
        ASSERT_EQ(x[i], y[i]) << a.toStdString() << " byte " << i;
    }
}

TEST(CatalogueGenerator, IsDeterministic)
{
    QTemporaryDir one, two;
    ASSERT_TRUE(one.isValid() && two.isValid());
    CatalogueGenerator::write(kSourceDir, one.path());
    CatalogueGenerator::write(kSourceDir, two.path() + QStringLiteral("/new/DATA")); // folder made on demand
    for (const char *file : kTenFiles) {
        const QString n = QString::fromLatin1(file);
        expectSameTable(QDir(one.path()).filePath(n), QDir(two.path() + QStringLiteral("/new/DATA")).filePath(n));
        expectSameTable(QDir(one.path()).filePath(n), QDir(kDataDir).filePath(n)); // the build used the same model
    }
    EXPECT_TRUE(QDir(one.path()).entryList(QStringList{QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

// A model that fails to load or to generate leaves earlier catalogues as they were.
void expectModelRejected(const QString &modelText, const char *expectedInMessage)
{
    QTemporaryDir source, data;
    ASSERT_TRUE(source.isValid() && data.isValid());
    CatalogueGenerator::write(kSourceDir, data.path());
    const QByteArray before = fileBytes(data.filePath(QStringLiteral("kat-18.dbf")));
    {
        QFile f(source.filePath(QStringLiteral("catalogue-model.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(modelText.toUtf8());
    }
    try {
        CatalogueGenerator::write(source.path(), data.path());
        ADD_FAILURE() << "accepted: " << expectedInMessage;
    } catch (const std::runtime_error &e) {
        EXPECT_NE(std::string(e.what()).find(expectedInMessage), std::string::npos) << e.what();
    }
    EXPECT_EQ(fileBytes(data.filePath(QStringLiteral("kat-18.dbf"))), before);
    EXPECT_TRUE(QDir(data.path()).entryList(QStringList{QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

QString shippedModel()
{
    return QString::fromUtf8(fileBytes(kSourceDir + QStringLiteral("/catalogue-model.txt")));
}

TEST(CatalogueGenerator, RejectsAFaultyModelAndKeepsTheOldFiles)
{
    const QString model = shippedModel();
    ASSERT_TRUE(model.contains(QStringLiteral("set;cooler_max;4500")));
    ASSERT_TRUE(model.contains(QStringLiteral("band;kat-30.dbf;-30;Н;8;6.5\n")));

    // Malformed number: named with its line.
    QString bad = model;
    bad.replace(QStringLiteral("set;cooler_max;4500"), QStringLiteral("set;cooler_max;4.5.0"));
    expectModelRejected(bad, "'4.5.0' is not a number");
    const int line = int(model.left(model.indexOf(QStringLiteral("set;cooler_max"))).count(QLatin1Char('\n'))) + 1;
    expectModelRejected(bad, (QStringLiteral("catalogue-model.txt:%1:").arg(line)).toUtf8().constData());

    // A catalogue file without its band.
    bad = model;
    bad.replace(QStringLiteral("band;kat-30.dbf;-30;Н;8;6.5\n"), QString());
    expectModelRejected(bad, "no band for kat-30.dbf");

    // A medium-temperature unit cannot serve a −30 °C room.
    bad = model;
    bad.replace(QStringLiteral("band;kat-30.dbf;-30;Н;"), QStringLiteral("band;kat-30.dbf;-30;М;"));
    expectModelRejected(bad, "too far below the rating point");

    // A group text outside the DOS Cyrillic page (Ukrainian і).
    bad = model;
    bad.replace(QStringLiteral("Сплит-системы низкотемпературные\n"), QStringLiteral("Спліт-системи низькотемпературні\n"));
    expectModelRejected(bad, "DOS Cyrillic");

    // Codes too long for their fields are refused rather than cut.
    bad = model;
    bad.replace(QStringLiteral("family;П;АКП;"), QStringLiteral("family;П;АКП-ДЛИННЫЙ-ПРЕФИКС-МОДЕЛИ;"));
    expectModelRejected(bad, "does not fit field AGR");
}

TEST(CatalogueGenerator, MissingModelIsAnError)
{
    QTemporaryDir source, data;
    ASSERT_TRUE(source.isValid() && data.isValid());
    EXPECT_THROW(CatalogueGenerator::write(source.path(), data.path()), std::runtime_error);
    EXPECT_TRUE(QDir(data.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
} // namespace kvor
