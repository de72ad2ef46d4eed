// The heat balance at the edges of what the input panel and the record's
// fields let through: every run either completes with finite numbers or stops
// at one step with a message for the user; no text ever reads "nan" or "inf".

#include "calcfixture.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::test;

namespace {

// Every written value finite, every text a plain number or word; a stopped run
// names its reason. Returns a description of the first offence, empty if none.
QString offence(const HeatBalance &b)
{
    for (const CalcOutput &o : b.outputs) {
        if (!std::isfinite(o.value))
            return o.name + QStringLiteral(" = ") + QString::number(o.value);
        const QString t = o.text.toLower();
        if (t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf")))
            return o.name + QStringLiteral(" shows ") + o.text;
    }
    if (!b.completed() && !b.error.startsWith(QStringLiteral("Неможливо обчислити ")))
        return QStringLiteral("stopped without a message: ") + b.error;
    return QString();
}

// The busiest chamber: every step has something to compute.
CalcInputs busy()
{
    CalcInputs in = baseInputs();
    in.airTable = psychrometricAirTable();
    in.record.VN_FLAG = false;
    for (size_t i = 0; i < 6; ++i) {
        in.enclosures[i] = {0.5, 0.04};
        in.record.ST_MT[i] = 100;
        in.record.ST_IZT[i] = 100;
    }
    ProductRow p;
    p.TZAM = -1;
    p.CP1 = 3.5;
    p.CP2 = 1.8;
    p.LSKR = 240;
    p.Q1 = 20;
    p.Q2 = 40;
    p.Q3 = 80;
    in.product = p;
    in.packaging = PackagingRow{QStringLiteral("Ящик"), 2.5};
    in.record.TE_PMAS = 10000;
    in.record.TE_POBOR = 2000;
    in.record.TE_PT0 = 5;
    in.record.TE_PT1 = -20;
    in.record.TE_TOBOR = 200;
    in.record.TE_TT0 = 5;
    in.record.TE_TT1 = -20;
    in.record.OS_POW = 5;
    in.record.OS_TIME = 8;
    in.record.PER_KOL = 2;
    in.record.TRS_POW = 4;
    in.record.VO_PROC = 15;
    in.record.IN_GPTS = 1000;
    in.record.OB_KZAPAS = 1.1;
    in.record.OB_TIMEWRK = 18;
    return in;
}

void setTemperatures(CalcInputs &in, int chamber, int outside)
{
    in.record.OB_TEMKAM = chamber;
    in.record.OB_RGTMAX = outside;
    in.record.ST_TEM = {outside, outside, outside, outside, outside, outside};
    in.record.TE_PT1 = chamber;
    in.record.TE_TT1 = chamber;
}

} // namespace

TEST(Limits, TemperaturesAtTheEditBoundsAndTheAirTableEdges)
{
    // The chamber edit takes -60 … 900 and the outside edits -50 … 300; the air
    // table runs from -30 to 40 °C.
    const int chambers[] = {-60, -31, -30, -18, 0, 40, 41, 299, 900};
    const int outsides[] = {-50, -31, -30, 0, 30, 40, 41, 300};
    for (const char *mode : {"Хранение", "Охлаждение"}) {
        for (int chamber : chambers) {
            for (int outside : outsides) {
                CalcInputs in = busy();
                in.record.OB_TERMR = QString::fromUtf8(mode);
                setTemperatures(in, chamber, outside);
                const HeatBalance b = computeHeatBalance(in);
                const QString bad = offence(b);
                EXPECT_TRUE(bad.isEmpty()) << mode << " " << chamber << "/" << outside << ": " << qPrintable(bad);
                // A door wall colder than the chamber no longer stops a run either.
                EXPECT_TRUE(b.completed()) << mode << " " << chamber << "/" << outside << ": " << qPrintable(b.error);
                EXPECT_TRUE(b.required().has_value());
            }
        }
    }
}

TEST(Limits, TheWidestValuesTheRecordHoldsGiveFiniteResults)
{
    // The largest numbers the template's fields store: dimensions 9999.999 m,
    // thicknesses 99999 mm, masses 99999999 kg, small integers 999.
    CalcInputs in = busy();
    CalcRecord &r = in.record;
    r.OB_KAMDL = r.OB_KAMSH = r.OB_KAMVS = 9999.999;
    r.ob_kamv = r.OB_KAMDL * r.OB_KAMSH * r.OB_KAMVS;
    r.ob_s = {r.OB_KAMSH * r.OB_KAMVS, r.OB_KAMDL * r.OB_KAMVS, r.OB_KAMSH * r.OB_KAMVS,
              r.OB_KAMDL * r.OB_KAMVS, r.OB_KAMSH * r.OB_KAMDL, r.OB_KAMSH * r.OB_KAMDL};
    for (size_t i = 0; i < 6; ++i) {
        r.ST_MT[i] = 99999;
        r.ST_IZT[i] = 99999;
    }
    r.TE_PMAS = r.TE_POBOR = r.TE_TOBOR = 99999999;
    r.IN_GPTS = 1;
    r.IN_DV = r.IN_DH = 9999.999;
    r.OS_POW = r.OS_TIME = r.PER_KOL = r.TRS_POW = 999;
    r.VO_PROC = 90;
    r.OB_KZAPAS = 2;
    r.OB_TIMEWRK = 1;
    setTemperatures(in, -60, 300);
    HeatBalance b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_GT(*b.required(), 1e6) << "a huge chamber needs a huge capacity, not an overflow";

    // The refined fan load at its widest too.
    r.VO_UTOCH = true;
    r.VO_KOLVO = 999;
    r.VO_POW = 99999.999;
    b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    EXPECT_TRUE(b.completed()) << qPrintable(b.error);

    // The same numbers negative, as a careless file may hold them.
    CalcInputs neg = busy();
    neg.record.OB_KAMDL = -9999.999;
    neg.record.ob_kamv = -9999.999 * 4 * 3;
    neg.record.TE_PMAS = neg.record.TE_POBOR = -99999999;
    neg.record.IN_GPTS = -5;
    neg.record.OS_POW = neg.record.PER_KOL = neg.record.TRS_POW = -999;
    b = computeHeatBalance(neg);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
}

TEST(Limits, AChamberOfNoVolume)
{
    CalcInputs in = busy();
    CalcRecord &r = in.record;
    r.OB_KAMDL = r.OB_KAMSH = r.OB_KAMVS = 0;
    r.ob_kamv = 0;
    r.ob_s = {};
    r.VN_KR = 4;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_TRUE(b.completed()) << qPrintable(b.error);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    EXPECT_EQ(b.row(1), 0.0) << "no area, no wall gain";
    EXPECT_EQ(b.row(2), 0.0) << "no volume, no ventilation";
    EXPECT_FALSE(b.ventilationRateToStore().has_value()) << "the stored rate stays as it was";
    EXPECT_EQ(b.row(6), 0.0) << "no floor, no lighting";
    EXPECT_GT(*b.row(3), 0.0) << "the door still lets warm air in";
    EXPECT_GT(*b.row(4), 0.0) << "the product is still cooled";
}

TEST(Limits, ATinyChamberGivesARateTheRecordCannotHold)
{
    // 0.01 × 0.01 × 0.001 m: 70 / √1e-7 ≈ 221,359 volumes a day. The run itself
    // is fine; storing the rate is the table's business ("Number too large").
    CalcInputs in = busy();
    in.record.OB_KAMDL = 0.01;
    in.record.OB_KAMSH = 0.01;
    in.record.OB_KAMVS = 0.001;
    in.record.ob_kamv = 1e-7;
    in.record.ob_s = {1e-5, 1e-5, 1e-5, 1e-5, 1e-4, 1e-4};
    const HeatBalance b = computeHeatBalance(in);
    EXPECT_TRUE(offence(b).isEmpty()) << qPrintable(offence(b));
    ASSERT_TRUE(b.ventilationRateToStore().has_value());
    EXPECT_NEAR(*b.ventilationRateToStore(), 70 / std::sqrt(1e-7), 1e-6);
    EXPECT_GT(*b.ventilationRateToStore(), 99999.99999999) << "wider than VN_KR's N(14,8)";
}

TEST(Limits, ARegionHumidityNeverLacksItsColumnInAFullAirTable)
{
    // A region row may hold any humidity; the class is brought into 50 … 100,
    // and a table with every VL column from 50 to 100 always has it.
    CalcInputs in = busy();
    for (int humidity = -999; humidity <= 999; humidity += (humidity > -10 && humidity < 110) ? 1 : 100) {
        in.record.OB_RGVLAJ = humidity;
        const HeatBalance b = computeHeatBalance(in);
        ASSERT_TRUE(b.completed()) << humidity << ": " << qPrintable(b.error);
        EXPECT_GE(b.details.humidityClass, 50);
        EXPECT_LE(b.details.humidityClass, 100);
    }
    // A table without the class's column stops the ventilation step and says which.
    AirTable partial({QStringLiteral("VL50"), QStringLiteral("VL90")});
    partial.addRow(-30, {-29.89, -29.67}, 452);
    partial.addRow(40, {100.81, 152.66}, 120);
    in.airTable = partial;
    in.record.OB_RGVLAJ = 64;
    const HeatBalance b = computeHeatBalance(in);
    ASSERT_EQ(b.stoppedAt, CalcStep::Ventilation);
    EXPECT_TRUE(b.error.contains(QStringLiteral("VL65"))) << qPrintable(b.error);
    EXPECT_TRUE(offence(b).isEmpty());
}

TEST(Limits, RunningTimeAndSafetyAtTheirBounds)
{
    // Running time 1 … 24 h, safety 1 … 2: the capacity scales by 24 / time × safety.
    CalcInputs in = busy();
    in.record.OB_TIMEWRK = 24;
    in.record.OB_KZAPAS = 1;
    const HeatBalance full = computeHeatBalance(in);
    ASSERT_TRUE(full.completed());
    in.record.OB_TIMEWRK = 1;
    in.record.OB_KZAPAS = 2;
    const HeatBalance hard = computeHeatBalance(in);
    ASSERT_TRUE(hard.completed()) << qPrintable(hard.error);
    EXPECT_TRUE(offence(hard).isEmpty());
    EXPECT_GT(*hard.required(), 40 * *full.required());
}
