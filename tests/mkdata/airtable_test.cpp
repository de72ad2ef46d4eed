// The air table s_int.DBF as built into bin/DATA, and its generator.
#include "mkdata/airtable.h"
#include "storage/dbftable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <vector>

namespace kvor {
namespace {

const QString kBuiltAir = QStringLiteral(KVOR_DATA_DIR "/s_int.DBF");

QStringList humidityColumns()
{
    QStringList names;
    for (int h = 50; h <= 100; h += 5)
        names << QStringLiteral("VL") + QString::number(h); // as the calculation names them
    return names;
}

struct StoredRow {
    int temperature = 0;
    std::vector<double> enthalpy; // VL50 … VL100
    double personHeat = 0;
};

// Reads the file the way the calculation does: no declared fields, names from the file.
std::map<int, StoredRow> readAirTable(const QString &path, std::vector<int> *order = nullptr)
{
    DbfTable table;
    table.setTableName(path);
    table.open();
    std::map<int, StoredRow> rows;
    for (table.first(); !table.eof(); table.next()) {
        StoredRow r;
        r.temperature = table.value(QStringLiteral("TEMVOZD")).toInt();
        for (const QString &c : humidityColumns())
            r.enthalpy.push_back(table.fieldByName(c)->asFloat());
        r.personHeat = table.fieldByName(QStringLiteral("QP"))->asFloat();
        if (order)
            order->push_back(r.temperature);
        rows[r.temperature] = r;
    }
    return rows;
}

double stored(const std::map<int, StoredRow> &rows, int t, int humidity)
{
    return rows.at(t).enthalpy.at(size_t((humidity - 50) / 5));
}

TEST(AirTableFile, ColumnsAreNamedAsTheCalculationBuildsThem)
{
    DbfTable table;
    table.setTableName(kBuiltAir);
    table.open();
    QStringList expected = QStringList{QStringLiteral("TEMVOZD")} + humidityColumns() + QStringList{QStringLiteral("QP")};
    ASSERT_EQ(table.fieldCount(), expected.size());
    for (int i = 0; i < table.fieldCount(); ++i) {
        EXPECT_EQ(table.field(i)->name(), expected[i]) << i;
        EXPECT_TRUE(table.field(i)->isNumeric()) << i;
    }
    EXPECT_EQ(table.fieldByName(QStringLiteral("TEMVOZD"))->decimals(), 0);
    EXPECT_EQ(table.fieldByName(QStringLiteral("VL85"))->decimals(), 2);
}

TEST(AirTableFile, HoldsOneRowPerDegreeFromMinus40To50Ascending)
{
    std::vector<int> order;
    const auto rows = readAirTable(kBuiltAir, &order);
    ASSERT_EQ(order.size(), 91u);
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i], -40 + int(i));

    DbfTable table;
    table.setTableName(kBuiltAir);
    table.open();
    EXPECT_EQ(table.recordCount(), 91); // no deleted rows either
}

TEST(AirTableFile, ReproducesThePsychrometricCheckValues)
{
    const auto rows = readAirTable(kBuiltAir);
    // Hyland–Wexler over ice below 0 °C, over water from 0 °C, no enhancement factor.
    EXPECT_NEAR(stored(rows, -20, 100), -18.56, 0.005); // over water it would be −18.22
    EXPECT_NEAR(stored(rows, 0, 50), 4.71, 0.005);
    EXPECT_NEAR(stored(rows, 20, 70), 46.05, 0.005);
    EXPECT_NEAR(stored(rows, 30, 50), 64.21, 0.005);
    EXPECT_NEAR(stored(rows, 35, 100), 129.07, 0.005);
    // The unrounded formula gives the same figures.
    EXPECT_NEAR(AirTable::enthalpy(20, 70), 46.0455, 0.0005);
    EXPECT_NEAR(AirTable::enthalpy(-20, 100), -18.5568, 0.0005);
}

TEST(AirTableFile, EnthalpyRisesWithTemperatureAndHumidity)
{
    const auto rows = readAirTable(kBuiltAir);
    for (int t = -40; t <= 50; ++t) {
        const StoredRow &r = rows.at(t);
        // Near −40 °C five per cent of humidity is worth under 0.01 kJ/kg, so two
        // neighbouring columns may round alike there; from −35 °C each step shows.
        for (size_t i = 1; i < r.enthalpy.size(); ++i) {
            if (t >= -35)
                EXPECT_GT(r.enthalpy[i], r.enthalpy[i - 1]) << t << " °C, column " << i;
            else
                EXPECT_GE(r.enthalpy[i], r.enthalpy[i - 1]) << t << " °C, column " << i;
        }
        EXPECT_GT(r.enthalpy.back(), r.enthalpy.front()) << t << " °C";
        if (t > -40) {
            for (size_t i = 0; i < r.enthalpy.size(); ++i)
                EXPECT_GT(r.enthalpy[i], rows.at(t - 1).enthalpy[i]) << t << " °C, column " << i;
        }
    }
    // Where the pressure changes from over ice to over water the curve has no jump:
    // the one-degree steps around 0 °C stay within a few per cent of each other.
    const double step[] = {stored(rows, -1, 100) - stored(rows, -2, 100), stored(rows, 0, 100) - stored(rows, -1, 100),
                           stored(rows, 1, 100) - stored(rows, 0, 100), stored(rows, 2, 100) - stored(rows, 1, 100)};
    for (int i = 1; i < 4; ++i)
        EXPECT_NEAR(step[i] / step[i - 1], 1.0, 0.05) << i;
}

TEST(AirTableFile, PersonHeatFollowsTheLineDownTo120W)
{
    const auto rows = readAirTable(kBuiltAir);
    EXPECT_DOUBLE_EQ(rows.at(0).personHeat, 272);
    EXPECT_DOUBLE_EQ(rows.at(10).personHeat, 212);
    EXPECT_DOUBLE_EQ(rows.at(-20).personHeat, 392);
    EXPECT_DOUBLE_EQ(rows.at(-40).personHeat, 512);
    EXPECT_DOUBLE_EQ(rows.at(25).personHeat, 122); // still on the line
    EXPECT_DOUBLE_EQ(rows.at(26).personHeat, 120); // floor from here on
    EXPECT_DOUBLE_EQ(rows.at(50).personHeat, 120);
    for (int t = -39; t <= 50; ++t)
        EXPECT_LE(rows.at(t).personHeat, rows.at(t - 1).personHeat) << t;
}

TEST(AirTableWrite, RowsMatchTheBuiltFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AirTable::write(dir.path());
    QFile built(kBuiltAir), fresh(dir.filePath(QStringLiteral("s_int.DBF")));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
    const QByteArray a = built.readAll(), b = fresh.readAll();
    ASSERT_EQ(a.size(), b.size());
    ASSERT_GT(a.size(), 32);
    // Everything but the update date (bytes 1–3) and the change stamp (16–19).
    for (qsizetype i = 0; i < a.size(); ++i) {
        if ((i >= 1 && i <= 3) || (i >= 16 && i <= 19))
            continue;
        ASSERT_EQ(a[i], b[i]) << "byte " << i;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("s_int.DBF.part"))));
}

TEST(AirTableWrite, UnwritableFolderIsAnErrorNotACrash)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("plain"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_THROW(AirTable::write(file + QStringLiteral("/DATA")), std::runtime_error);
}

} // namespace
} // namespace kvor
