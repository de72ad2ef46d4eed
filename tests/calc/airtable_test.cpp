#include "calc/airtable.h"
#include "calcfixture.h"

#include <gtest/gtest.h>

using namespace kvor;
using kvor::test::psychrometricAirTable;
using kvor::test::smallAirTable;

namespace {

double lookup(const AirTable &t, int temp, int phi, bool enthalpy)
{
    const AirValue v = InterpolateAirTable(t, temp, phi, enthalpy);
    EXPECT_TRUE(v.ok()) << qPrintable(v.missingColumn);
    return v.value;
}

} // namespace

TEST(InterpolateAirTable, LinearBetweenTheRowsAround)
{
    const AirTable t = smallAirTable();
    EXPECT_DOUBLE_EQ(lookup(t, -10, 50, true), -19.3 + (4.7 + 19.3) * 10 / 20); // -7.3
    EXPECT_DOUBLE_EQ(lookup(t, -10, 50, false), 332);
    EXPECT_DOUBLE_EQ(lookup(t, 10, 90, true), 8.5 + (92.5 - 8.5) * 10 / 30);    // 36.5
    EXPECT_DOUBLE_EQ(lookup(t, 35, 85, true), 88.9 + (146.0 - 88.9) * 5 / 10);  // 117.45
    EXPECT_DOUBLE_EQ(lookup(t, 35, 85, false), 120);
}

TEST(InterpolateAirTable, ARowTemperatureGivesThatRow)
{
    const AirTable t = smallAirTable();
    EXPECT_DOUBLE_EQ(lookup(t, 0, 55, true), 5.2);
    EXPECT_DOUBLE_EQ(lookup(t, 30, 90, true), 92.5);
    EXPECT_DOUBLE_EQ(lookup(t, 40, 90, true), 152.7);
    EXPECT_DOUBLE_EQ(lookup(t, -20, 50, true), -19.3);
    EXPECT_DOUBLE_EQ(lookup(t, -20, 50, false), 392);

    // The first row at or above the temperature decides.
    AirTable twice({QStringLiteral("VL50")});
    twice.addRow(-10, {1}, 10);
    twice.addRow(0, {5}, 20);
    twice.addRow(0, {7}, 30);
    twice.addRow(10, {9}, 40);
    EXPECT_DOUBLE_EQ(lookup(twice, 0, 50, true), 5);
    EXPECT_DOUBLE_EQ(lookup(twice, 5, 50, true), 7 + (9 - 7) * 5.0 / 10);
}

TEST(InterpolateAirTable, AboveEveryRowGivesZero)
{
    const AirTable t = smallAirTable();
    EXPECT_EQ(lookup(t, 41, 50, true), 0);
    EXPECT_EQ(lookup(t, 41, 50, false), 0);
    EXPECT_EQ(lookup(t, 900, 90, true), 0);
}

TEST(InterpolateAirTable, BelowTheFirstRowExtendsTheFirstSegment)
{
    const AirTable t = smallAirTable();
    EXPECT_DOUBLE_EQ(lookup(t, -30, 50, true), -19.3 + (4.7 + 19.3) * -10 / 20); // -31.3
    EXPECT_DOUBLE_EQ(lookup(t, -30, 50, false), 452);

    // A first row at 0 °C: at 0 its own values, below it the line continues.
    AirTable warm({QStringLiteral("VL85")});
    warm.addRow(0, {8.0}, 272);
    warm.addRow(10, {26.4}, 212);
    EXPECT_DOUBLE_EQ(lookup(warm, 0, 85, true), 8.0);
    EXPECT_DOUBLE_EQ(lookup(warm, 0, 85, false), 272);
    EXPECT_DOUBLE_EQ(lookup(warm, -5, 85, true), 8.0 + (26.4 - 8.0) * -5 / 10);
    EXPECT_DOUBLE_EQ(lookup(warm, -5, 85, false), 302);

    // One row: its values at and below it, nothing above.
    AirTable single({QStringLiteral("VL50")});
    single.addRow(5, {12.0}, 242);
    EXPECT_DOUBLE_EQ(lookup(single, -40, 50, true), 12.0);
    EXPECT_DOUBLE_EQ(lookup(single, 5, 50, true), 12.0);
    EXPECT_EQ(lookup(single, 6, 50, true), 0);
}

TEST(InterpolateAirTable, TheHumidityColumnMustExistWhateverIsWanted)
{
    const AirTable t = smallAirTable();
    AirValue v = InterpolateAirTable(t, 0, 63, true);
    EXPECT_FALSE(v.ok());
    EXPECT_EQ(v.missingColumn, "VL63");
    v = InterpolateAirTable(t, 0, 100, false); // person heat, but VL100 is read too
    EXPECT_FALSE(v.ok());
    EXPECT_EQ(v.missingColumn, "VL100");
    v = InterpolateAirTable(t, 200, 60, true); // above every row: the rows were still read
    EXPECT_EQ(v.missingColumn, "VL60");

    AirTable noQp({QStringLiteral("VL85")}, false);
    noQp.addRow(0, {8.0}, 0);
    EXPECT_EQ(InterpolateAirTable(noQp, 0, 85, false).missingColumn, "QP");

    // Field names ignore case, as the table's do.
    AirTable lower({QStringLiteral("vl85")});
    lower.addRow(0, {8.0}, 272);
    EXPECT_DOUBLE_EQ(lookup(lower, 0, 85, true), 8.0);

    // An empty table reads no row: 0 and no complaint.
    const AirValue empty = InterpolateAirTable(AirTable({QStringLiteral("VL50")}), 10, 63, true);
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.value, 0);
}

TEST(InterpolateAirTable, PsychrometricTable)
{
    const AirTable t = psychrometricAirTable();
    // The published check values of the reference data notes, at their rows.
    EXPECT_DOUBLE_EQ(lookup(t, -20, 100, true), -18.56);
    EXPECT_DOUBLE_EQ(lookup(t, 0, 50, true), 4.71);
    EXPECT_DOUBLE_EQ(lookup(t, 20, 70, true), 46.05);
    EXPECT_DOUBLE_EQ(lookup(t, 30, 50, true), 64.21);
    EXPECT_DOUBLE_EQ(lookup(t, 35, 100, true), 129.07);
    // Between rows: h(-18 °C, 90 %) by the formula is -16.40 kJ/kg; the 5 K
    // chord lies within 0.2 of it.
    EXPECT_DOUBLE_EQ(lookup(t, -18, 90, true), -18.71 + (-12.83 + 18.71) * 2 / 5);
    EXPECT_NEAR(lookup(t, -18, 90, true), -16.40, 0.2);
    EXPECT_DOUBLE_EQ(lookup(t, -18, 85, false), 380);
}
