#include "calc/calcinputs.h"

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

    EXPECT_EQ(r.OB_TERMR, "Хранение");
    EXPECT_EQ(r.OB_TEMKAM, -18);
    EXPECT_EQ(r.OB_TIMEWRK, 16);
    EXPECT_EQ(r.OB_KZAPAS, 1.15);
    EXPECT_EQ(r.OB_KAMVS, 3.2);
    EXPECT_EQ(r.ob_kamv, 76.8);
    EXPECT_EQ(r.ob_s[3], 19.2);
    EXPECT_EQ(r.ST_M[2], "Бетон");
    EXPECT_EQ(r.ST_IZT[5], 100);
    EXPECT_EQ(r.ST_TEM[5], 15);
    EXPECT_EQ(r.VN_KR, 7.98762063);
    EXPECT_TRUE(r.VN_FLAG);
    EXPECT_EQ(r.IN_TOV, "Штабелi на пiддонах");
    EXPECT_EQ(r.IN_GPTS, 3000000000.0);
    EXPECT_EQ(r.TE_VLAJ, 90);
    EXPECT_EQ(r.VO_POW, 0.37);
    // Missing or null values: empty, 0, false.
    EXPECT_FALSE(r.VO_UTOCH);
    EXPECT_FALSE(r.IN_TIP);
    EXPECT_TRUE(r.IN_ZAV.isEmpty());
    EXPECT_EQ(r.OB_KAMDL, 0);
    EXPECT_EQ(r.ST_TEM[0], 0);
    EXPECT_EQ(r.TE_POBOR, 0);
}
