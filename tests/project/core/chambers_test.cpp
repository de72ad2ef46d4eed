// What a project shows of each chamber, its totals and the capacity curve, over
// the shipped tables.

#include "project/core/chamberevaluator.h"
#include "project/core/projectcsv.h"

#include "document/calculationdocument.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

const QString kData = QStringLiteral(KVOR_DATA_DIR);

struct CatalogueRow {
    QString code;
    double q25 = 0, q30 = 0, power = 0, current = 0;
};

// The first system of the catalogue a chamber at `temperature` is chosen from.
CatalogueRow firstSystem(double temperature)
{
    DbfTable kat;
    kat.setDatabaseName(kData);
    kat.setTableName(CatalogueSelection::bandFor(temperature)->file);
    kat.setReadOnly(true);
    kat.open();
    kat.first();
    CatalogueRow row{kat.value("SIS").toString().trimmed().left(6), kat.value("Q25").toDouble(),
                     kat.value("Q30").toDouble(), kat.value("PPOT").toDouble(), kat.value("IPOT").toDouble()};
    kat.close();
    return row;
}

class ChambersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taIsp, &dm.taRegion}) {
            t->setDatabaseName(kData);
            t->setReadOnly(true);
            t->open();
        }
    }

    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // A template chamber `length` m long, with `systems` of `capacity` W adopted when `code` is set.
    void makeChamber(const char *name, double length, const QString &code = {}, double capacity = 0, int systems = 1)
    {
        CalculationDocument doc(dm);
        ASSERT_TRUE(doc.createFromTemplate(kData, path(name)));
        doc.record().edit();
        doc.record().setValue("OB_KAMDL", length);
        doc.record().setValue("KOLSYS", systems);
        ASSERT_TRUE(doc.recalculate());
        if (!code.isEmpty())
            doc.adoptSystem(AdoptedSystem{code, "Група, підгрупа", "unit", "cooler", "cab", "kit", capacity});
        doc.saveAs(path(name));
        doc.close();
    }

    // What the chamber's own window shows as required capacity.
    double ownRequired(const char *name)
    {
        CalculationDocument doc(dm);
        doc.open(path(name));
        const double required = doc.result(11);
        doc.close();
        return required;
    }

    QTemporaryDir m_dir;
    ReferenceTables dm;
};

} // namespace

TEST_F(ChambersTest, StatusOfEachKindOfChamberAndTotalsOfThoseWithFigures)
{
    const CatalogueRow system = firstSystem(-18);
    ASSERT_FALSE(system.code.isEmpty());
    makeChamber("covered.kvor", 6, system.code, 1e6, 2);
    makeChamber("short.kvor", 9, system.code, 100, 1);
    makeChamber("bare.kvor", 7);
    makeChamber("held.kvor", 5);
    {
        QFile whole(path("bare.kvor"));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        QFile cut(path("cut.kvor"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(100));
    }
    // Another program has the calculation open with its record in edit.
    DbfTable other;
    other.setTableName(path("held.kvor"));
    other.open();
    other.first();
    other.edit();

    ChamberEvaluator evaluator(kData);
    std::vector<ChamberSummary> chambers;
    for (const char *name : {"covered.kvor", "short.kvor", "bare.kvor", "absent.kvor", "cut.kvor", "held.kvor"})
        chambers.push_back(evaluator.evaluate(path(name)));
    other.cancel();
    other.close();

    const std::pair<ChamberStatus, const char *> expected[] = {
        {ChamberStatus::Ok, "ok"},           {ChamberStatus::NotCovered, "not-covered"},
        {ChamberStatus::NoSystem, "no-system"}, {ChamberStatus::Missing, "missing"},
        {ChamberStatus::Damaged, "damaged"}, {ChamberStatus::Locked, "locked"},
    };
    for (size_t i = 0; i < chambers.size(); ++i) {
        EXPECT_EQ(chambers[i].status, expected[i].first) << chambers[i].name.toStdString() << ": "
                                                         << chambers[i].error.toStdString();
        EXPECT_EQ(statusKey(chambers[i].status), expected[i].second);
        EXPECT_EQ(chambers[i].error.isEmpty(), hasFigures(expected[i].first)) << chambers[i].name.toStdString();
    }
    EXPECT_EQ(chambers[0].name, "covered");
    EXPECT_EQ(chambers[0].temperature, -18);
    ASSERT_TRUE(chambers[0].system);
    EXPECT_EQ(chambers[0].system->code, system.code);
    EXPECT_EQ(chambers[0].system->count, 2);
    EXPECT_EQ(chambers[0].system->power, system.power) << "looked up in the chamber's catalogue";

    // The totals add up what each chamber's own window shows, and say how many are left out.
    const ProjectTotals totals = projectTotals(chambers);
    EXPECT_NEAR(totals.required, ownRequired("covered.kvor") + ownRequired("short.kvor") + ownRequired("bare.kvor"), 1e-9);
    EXPECT_GT(ownRequired("short.kvor"), ownRequired("covered.kvor")) << "a longer chamber needs more";
    EXPECT_EQ(totals.systems, 3);
    EXPECT_NEAR(totals.power, system.power * 3, 1e-9);
    EXPECT_NEAR(totals.current, system.current * 3, 1e-9);
    EXPECT_EQ(totals.leftOut, 3);
    ASSERT_TRUE(chambers[2].required);
    EXPECT_EQ(*chambers[2].required, ownRequired("bare.kvor"));

    // The CSV a spreadsheet reads: BOM, ';', the decimal comma, a row per chamber.
    const QByteArray csv = projectCsv(chambers, QLatin1Char(','));
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    const QStringList header = lines[0].split(';');
    const QStringList covered = lines[1].split(';');
    ASSERT_EQ(covered.size(), header.size());
    const int requiredColumn = header.indexOf("Потрібна холодопродуктивність, кВт");
    ASSERT_GE(requiredColumn, 0);
    EXPECT_EQ(covered[requiredColumn], QString::number(ownRequired("covered.kvor"), 'f', 2).replace('.', ','));
    EXPECT_EQ(covered[header.indexOf("Система")], system.code);
    EXPECT_EQ(lines[4].split(';')[2], statusText(ChamberStatus::Missing));
}

TEST_F(ChambersTest, CapacityCurveRecalculatesAtEachOutdoorTemperature)
{
    makeChamber("room.kvor", 8);
    {
        // Only the walls count; the floor lies on ground at 10 °C and stays there.
        CalculationDocument doc(dm);
        doc.open(path("room.kvor"));
        for (int row = 2; row <= 9; ++row)
            doc.setIncluded(row, false);
        doc.record().edit();
        doc.record().setValue("ST_TEM6", 10);
        ASSERT_TRUE(doc.recalculate());
        doc.saveAs(path("room.kvor"));
        doc.close();
    }
    ChamberEvaluator evaluator(kData);
    const CapacityCurve curve = evaluator.capacityCurve(path("room.kvor"));
    ASSERT_EQ(curve.required.size(), 26u);
    EXPECT_EQ(curve.required.front().outdoor, 20);
    EXPECT_EQ(curve.required.back().outdoor, 45);

    // Each point is what the chamber shows with the region and the outside walls at that temperature.
    for (int t : {20, 33, 45}) {
        CalculationDocument doc(dm);
        doc.open(path("room.kvor"));
        doc.record().edit();
        doc.record().setValue("OB_RGTMAX", t);
        for (int s = 1; s <= 5; ++s)
            doc.record().setValue(QStringLiteral("ST_TEM%1").arg(s), t);
        ASSERT_TRUE(doc.recalculate());
        ASSERT_TRUE(curve.required[size_t(t - 20)].required);
        EXPECT_DOUBLE_EQ(*curve.required[size_t(t - 20)].required, doc.result(11)) << t;
        doc.close();
    }
    // Walls only: the requirement grows in step with the outdoor temperature (to the held 0.01 kW).
    const double slope = (*curve.required[25].required - *curve.required[0].required) / 25;
    EXPECT_GT(slope, 0);
    for (const CapacityPoint &p : curve.required)
        EXPECT_NEAR(*p.required, *curve.required[0].required + slope * (p.outdoor - 20), 0.03) << p.outdoor;
    EXPECT_FALSE(curve.copesUpTo()) << "no system adopted";
}

TEST(CapacityCurveTest, CopesUpToWhereTheSupplyLineCrossesTheRequirement)
{
    // Supply 5000 W falling 80 W a degree from 25 °C; requirement 3 kW rising 50 W a degree
    // from 20 °C: they meet at 5000/130 = 38.46 °C.
    CapacityCurve curve;
    ChamberSystem system;
    system.ambientCapacity = {5000, 4600, 4200, 3800};
    curve.system = system;
    for (int t = 20; t <= 45; ++t)
        curve.required.push_back({t, 3.0 + 0.05 * (t - 20)});
    EXPECT_EQ(curve.copesUpTo(), 38);
    EXPECT_DOUBLE_EQ(*curve.supplyAt(20), 5000) << "flat below the first column";
    EXPECT_DOUBLE_EQ(*curve.supplyAt(45), 3800) << "flat beyond the last";
    EXPECT_DOUBLE_EQ(*curve.supplyAt(27.5), 4800);

    curve.system->count = 2; // two systems share the load
    EXPECT_EQ(curve.copesUpTo(), 45);
    curve.system->ambientCapacity = {std::nullopt, 1000, std::nullopt, std::nullopt};
    EXPECT_FALSE(curve.copesUpTo()) << "2 kW never reach 3 kW";
    curve.system.reset();
    EXPECT_FALSE(curve.supplyAt(30));
}
