// The document's commands over the shipped tables, with no application object
// at all: what the batch tool and the window both stand on.

#include "document/calculationdocument.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (DbfTable *t : {&dm.taMater, &dm.taIzolm, &dm.taInt, &dm.taProd, &dm.taTara, &dm.taIsp, &dm.taRegion}) {
            t->setDatabaseName(QStringLiteral(KVOR_DATA_DIR));
            t->setReadOnly(true);
            t->open();
        }
        QObject::connect(&doc, &CalculationDocument::tableError, [this](const QString &m) { errors << m; });
        QObject::connect(&doc, &CalculationDocument::runStopped, [this](const QString &m) { errors << m; });
    }

    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    ReferenceTables dm;
    CalculationDocument doc{dm};
    QStringList errors;
};

TEST_F(DocumentTest, NewRecalculateSaveAndOpenAgain)
{
    std::vector<std::pair<int, double>> shown;
    QObject::connect(&doc, &CalculationDocument::resultChanged,
                     [&](int row, double value) { shown.emplace_back(row, value); });
    ASSERT_TRUE(doc.createFromTemplate(QStringLiteral(KVOR_DATA_DIR), path("a.kvor")));
    ASSERT_TRUE(doc.isOpen());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    // The template chamber: storage at −18 °C, 4.10 kW required.
    EXPECT_EQ(doc.processingMode(), 0);
    EXPECT_DOUBLE_EQ(doc.result(11), 4.10);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), std::make_pair(1, 0.0)) << "New clears the gains before the first run";
    EXPECT_NE(std::find(shown.begin(), shown.end(), std::make_pair(11, 4.10)), shown.end());
    EXPECT_EQ(doc.reportLabels().text("QRLabel98"), doc.equipmentLabels().text("QRLabel98"));

    // A longer chamber needs more; leaving the lighting out needs less.
    doc.record().edit();
    doc.record().setValue("OB_KAMDL", 12.0);
    ASSERT_TRUE(doc.recalculate());
    const double longer = doc.result(11);
    EXPECT_GT(longer, 4.10);
    doc.setIncluded(6, false);
    EXPECT_LT(doc.result(11), longer);
    const double withoutLighting = doc.result(11);

    doc.saveAs(path("b.kvor"));
    EXPECT_EQ(doc.filePath(), path("b.kvor"));
    doc.close();
    EXPECT_FALSE(doc.isOpen());

    CalculationDocument again(dm);
    again.open(path("b.kvor"));
    EXPECT_DOUBLE_EQ(again.record().value("OB_KAMDL").toDouble(), 12.0);
    EXPECT_FALSE(again.included()[5]) << "the include flags are stored with the calculation";
    EXPECT_DOUBLE_EQ(again.result(11), withoutLighting);
    again.close();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(DocumentTest, ChamberRulesFillTheRecord)
{
    ASSERT_TRUE(doc.createFromTemplate(QStringLiteral(KVOR_DATA_DIR), path("c.kvor")));
    DbfTable &w = doc.record();
    w.edit();
    w.setValue("OB_KAMVS", 4.0);
    ASSERT_TRUE(doc.stackingHeightFromChamberHeight());
    EXPECT_DOUBLE_EQ(w.value("IN_VSHTAB").toDouble(), 3.5);

    w.edit();
    w.setValue("OB_TEMKAM", -25);
    ASSERT_TRUE(doc.finalTemperaturesFromChamber());
    EXPECT_EQ(w.value("TE_PT1").toInt(), -25);
    EXPECT_EQ(w.value("TE_TT1").toInt(), -25);

    w.edit();
    w.setValue("ST_IDENT", true);
    w.setValue("ST_MT1", 150);
    ASSERT_TRUE(doc.copyWallAToAllSurfaces());
    for (int surface = 2; surface <= 6; ++surface)
        EXPECT_EQ(w.value(QStringLiteral("ST_MT%1").arg(surface)).toInt(), 150) << surface;

    // The region's climate reaches the record only while the list stands on it.
    dm.taRegion.first();
    const QString region = dm.taRegion.value("REG_NAIM").toString();
    w.edit();
    w.setValue("OB_RGNAIM", region);
    ASSERT_TRUE(doc.applyRegionClimate());
    EXPECT_EQ(w.value("OB_RGTMAX"), dm.taRegion.value("REG_TEM"));
    EXPECT_EQ(w.value("ST_TEM6"), dm.taRegion.value("REG_TEM"));

    doc.setProcessingMode(1);
    ASSERT_TRUE(doc.fillChamber(0.5));
    const double mass = 6 * 4 * 3.5 * w.value("IN_PLOTN").toDouble() * 0.5;
    EXPECT_DOUBLE_EQ(w.value("TE_PMAS").toDouble(), std::nearbyint(mass));
    EXPECT_DOUBLE_EQ(w.value("TE_POBOR").toDouble(), std::nearbyint(mass)) << "cooling: the whole mass a day";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(DocumentTest, AdoptedSystemIsWrittenAndDiscarded)
{
    ASSERT_TRUE(doc.createFromTemplate(QStringLiteral(KVOR_DATA_DIR), path("d.kvor")));
    doc.adoptSystem({"S-1", "Група А, моноблоки", "Агрегат", "Охолоджувач", "Шафа", "Набор", 3940});
    DbfTable &w = doc.record();
    EXPECT_EQ(w.value("SIS").toString(), "S-1");
    EXPECT_EQ(w.value("OBR_NAIM").toString(), "Група А, моноблоки");
    EXPECT_EQ(w.value("PROIZSYS").toInt(), 3940);
    doc.discardSystem();
    EXPECT_EQ(w.value("OBR_AGR").toString(), "");
    EXPECT_DOUBLE_EQ(w.value("PROIZSYS").toDouble(), 0);
}

TEST_F(DocumentTest, AFileThatIsNotACalculationDoesNotOpen)
{
    QFile bad(path("bad.kvor"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a table");
    bad.close();
    EXPECT_THROW(doc.open(path("bad.kvor")), DbfError);
    EXPECT_FALSE(doc.isOpen());
}

// The full load rounds whole kilograms with an exact half to the even neighbour.
struct FullLoadCase {
    int density;
    int mode; // 0 storage, 1 cooling
    int mass;
    int turnover;
};

class FullLoad : public DocumentTest, public ::testing::WithParamInterface<FullLoadCase> {};

TEST_P(FullLoad, RoundsHalvesToEven)
{
    const FullLoadCase c = GetParam();
    ASSERT_TRUE(doc.createFromTemplate(QStringLiteral(KVOR_DATA_DIR), path("e.kvor")));
    doc.setProcessingMode(c.mode);
    DbfTable &w = doc.record();
    w.edit();
    w.setValue("OB_KAMDL", 1.0);
    w.setValue("OB_KAMSH", 1.0);
    w.setValue("IN_VSHTAB", 1.0);
    w.setValue("IN_PLOTN", c.density);
    ASSERT_TRUE(doc.fillChamber(0.5));
    EXPECT_EQ(w.value("TE_PMAS").toInt(), c.mass);
    EXPECT_EQ(w.value("TE_POBOR").toInt(), c.turnover);
}

INSTANTIATE_TEST_SUITE_P(Cases, FullLoad,
                         ::testing::Values(FullLoadCase{5, 1, 2, 2},    // M = 2.5
                                           FullLoadCase{7, 1, 4, 4},    // M = 3.5
                                           FullLoadCase{50, 0, 25, 2},  // turnover 2.5
                                           FullLoadCase{70, 0, 35, 4},  // turnover 3.5
                                           FullLoadCase{9, 0, 4, 0}));  // M = 4.5, turnover 0.45

} // namespace
