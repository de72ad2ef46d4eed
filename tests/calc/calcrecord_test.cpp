#include "calc/calcrecord.h"

#include <QSet>
#include <QVariantMap>

#include <gtest/gtest.h>

using namespace kvor;

TEST(CalcRecord, ReadsEveryFieldItNamesByRecordName)
{
    QVariantMap values;
    values["OB_TERMR"] = QStringLiteral("Хранение");
    values["OB_TEMKAM"] = -18;
    values["OB_TIMEWRK"] = 16;
    values["OB_KZAPAS"] = 1.15;
    values["OB_KAMVS"] = 3.2;
    values["ob_kamv"] = 76.8;
    values["ob_s4"] = 19.2;
    values["ST_M3"] = QStringLiteral("Бетон");
    values["ST_IZT6"] = 100;
    values["ST_TEM6"] = 15;
    values["VN_KR"] = 7.98762063;
    values["VN_FLAG"] = true;
    values["IN_TOV"] = QStringLiteral("Штабелi на пiддонах");
    values["IN_GPTS"] = qlonglong(3000000000LL);
    values["TE_VLAJ"] = 90;
    values["VO_POW"] = 0.37;
    values["VO_UTOCH"] = QVariant(); // null reads as false

    QSet<QString> asked;
    const CalcRecord r = CalcRecord::read([&](const QString &name) {
        asked.insert(name);
        return values.value(name);
    });
    const QStringList names = CalcRecord::fieldNames();
    EXPECT_EQ(asked, QSet<QString>(names.begin(), names.end()));
    EXPECT_EQ(names.size(), 10 + 6 + 5 * 6 + 26);

    EXPECT_EQ(r.processingMode, "Хранение");
    EXPECT_EQ(r.chamberTemperature, -18);
    EXPECT_EQ(r.runningHours, 16);
    EXPECT_EQ(r.safetyFactor, 1.15);
    EXPECT_EQ(r.chamberHeight, 3.2);
    EXPECT_EQ(r.chamberVolume, 76.8);
    EXPECT_EQ(r.surfaceArea[3], 19.2);
    EXPECT_EQ(r.wallMaterial[2], "Бетон");
    EXPECT_EQ(r.wallInsulationThickness[5], 100);
    EXPECT_EQ(r.temperatureBeyondWall[5], 15);
    EXPECT_EQ(r.ventilationRate, 7.98762063);
    EXPECT_TRUE(r.ventilationRateEntered);
    EXPECT_EQ(r.goodsKind, "Штабелi на пiддонах");
    EXPECT_EQ(r.vehicleLoadCapacity, 3000000000.0);
    EXPECT_EQ(r.chamberHumidity, 90);
    EXPECT_EQ(r.fanPower, 0.37);
    // Missing or null values: empty, 0, false.
    EXPECT_FALSE(r.fansRefined);
    EXPECT_FALSE(r.automaticDoors);
    EXPECT_TRUE(r.doorProtection.isEmpty());
    EXPECT_EQ(r.chamberLength, 0);
    EXPECT_EQ(r.temperatureBeyondWall[0], 0);
    EXPECT_EQ(r.productTurnover, 0);
}
