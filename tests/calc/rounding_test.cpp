#include "calc/rounding.h"

#include <QLocale>

#include <cmath>

#include <gtest/gtest.h>

using namespace kvor;

TEST(Rounding, HeldValuesTakeHalvesAwayFromZero)
{
    EXPECT_EQ(Rounding::hold(0.125), 0.13);
    EXPECT_EQ(Rounding::hold(-0.125), -0.13);
    EXPECT_EQ(Rounding::hold(0.135), 0.14);
    EXPECT_EQ(Rounding::hold(0.1249999), 0.12);
    // Decimal halves that binary holds a hair below still go up.
    EXPECT_EQ(Rounding::hold(1.005), 1.01);
    EXPECT_EQ(Rounding::hold(2.675), 2.68);
    EXPECT_EQ(Rounding::hold(0.145), 0.15);
    EXPECT_EQ(Rounding::hold(0.1 + 0.2), 0.3);
    EXPECT_EQ(Rounding::hold(999.995), 1000.0);
    EXPECT_EQ(Rounding::hold(12345678.904), 12345678.9);
    // A value that rounds to zero is plain zero, not -0.
    EXPECT_EQ(Rounding::hold(-0.004), 0.0);
    EXPECT_FALSE(std::signbit(Rounding::hold(-0.004)));
    EXPECT_EQ(Rounding::hold(0), 0.0);
    EXPECT_EQ(Rounding::hold(1e-300), 0.0);
}

TEST(Rounding, WholeNumbersTakeHalvesToEven)
{
    EXPECT_EQ(Rounding::halfEven(12.5), 12);
    EXPECT_EQ(Rounding::halfEven(13.5), 14);
    EXPECT_EQ(Rounding::halfEven(0.5), 0);
    EXPECT_EQ(Rounding::halfEven(1.5), 2);
    EXPECT_EQ(Rounding::halfEven(-12.5), -12);
    EXPECT_EQ(Rounding::halfEven(-13.5), -14);
    EXPECT_EQ(Rounding::halfEven(12.4999999), 12);
    EXPECT_EQ(Rounding::halfEven(12.5000001), 13);
    EXPECT_EQ(Rounding::halfEven(-0.4), 0);
    EXPECT_EQ(Rounding::halfEven(67.3), 67);
}

TEST(Rounding, FourDecimalsForTheAirDensity)
{
    EXPECT_EQ(Rounding::toFourDecimals(1.3951549), 1.3952);
    EXPECT_EQ(Rounding::toFourDecimals(1.16504), 1.165);
    EXPECT_EQ(Rounding::toFourDecimals(1.293), 1.293);
    // Exact binary halves of the fourth place go to the even neighbour.
    EXPECT_EQ(Rounding::toFourDecimals(0.03125), 0.0312);
    EXPECT_EQ(Rounding::toFourDecimals(0.09375), 0.0938);
    EXPECT_EQ(Rounding::toFourDecimals(-0.03125), -0.0312);
}

TEST(Rounding, FixedPatterns)
{
    // "###0.00"
    EXPECT_EQ(Rounding::fixed(0.070156, 2), "0.07");
    EXPECT_EQ(Rounding::fixed(0, 2), "0.00");
    EXPECT_EQ(Rounding::fixed(5, 2), "5.00");
    EXPECT_EQ(Rounding::fixed(0.5, 2), "0.50");
    EXPECT_EQ(Rounding::fixed(1234567.891, 2), "1234567.89");
    EXPECT_EQ(Rounding::fixed(-3.14159, 2), "-3.14");
    EXPECT_EQ(Rounding::fixed(-0.005, 2), "-0.01");
    EXPECT_EQ(Rounding::fixed(-0.001, 2), "0.00");
    EXPECT_EQ(Rounding::fixed(9.995, 2), "10.00");
    EXPECT_EQ(Rounding::fixed(3.6226851851851851, 2), "3.62");
    EXPECT_EQ(Rounding::fixed(1e-7, 2), "0.00");
    EXPECT_EQ(Rounding::fixed(2.5e20, 2), "250000000000000000000.00");
    EXPECT_EQ(Rounding::fixed(-999.996, 2), "-1000.00");
    EXPECT_EQ(Rounding::fixed(0.995, 2), "1.00");
    EXPECT_EQ(Rounding::fixed(0.0049, 2), "0.00");
    EXPECT_EQ(Rounding::fixed(0.005, 2), "0.01");
    EXPECT_EQ(Rounding::fixed(4.9e-324, 2), "0.00");
    EXPECT_EQ(Rounding::fixed(123.456, 5), "123.45600");
    EXPECT_EQ(Rounding::fixed(1e300, 2).size(), 304);
    // "###0" / "##0"
    EXPECT_EQ(Rounding::fixed(4, 0), "4");
    EXPECT_EQ(Rounding::fixed(1234, 0), "1234");
    EXPECT_EQ(Rounding::fixed(2.5, 0), "3");
    EXPECT_EQ(Rounding::fixed(0, 0), "0");
}

TEST(Rounding, UpToTwoDecimals)
{
    // "0.##", the text a result field keeps.
    EXPECT_EQ(Rounding::upTo(1.5, 2), "1.5");
    EXPECT_EQ(Rounding::upTo(2, 2), "2");
    EXPECT_EQ(Rounding::upTo(0.125, 2), "0.13");
    EXPECT_EQ(Rounding::upTo(0.1, 2), "0.1");
    EXPECT_EQ(Rounding::upTo(10.004, 2), "10");
    EXPECT_EQ(Rounding::upTo(-0.004, 2), "0");
    EXPECT_EQ(Rounding::upTo(-1.255, 2), "-1.26");
    EXPECT_EQ(Rounding::upTo(1200, 2), "1200");
}

TEST(Rounding, GroupedWithTheLocaleSeparators)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(Rounding::grouped(1234567.891, 2, c), "1,234,567.89");
    EXPECT_EQ(Rounding::grouped(999.995, 2, c), "1,000.00");
    EXPECT_EQ(Rounding::grouped(12.3, 2, c), "12.30");
    EXPECT_EQ(Rounding::grouped(0, 2, c), "0.00");
    EXPECT_EQ(Rounding::grouped(-1234.5, 2, c), "-1,234.50");
    EXPECT_EQ(Rounding::grouped(123456, 2, c), "123,456.00");

    const QLocale uk(QLocale::Ukrainian, QLocale::Ukraine);
    const QString g = uk.groupSeparator();
    const QString d = uk.decimalPoint();
    ASSERT_EQ(d, ",");
    EXPECT_EQ(Rounding::grouped(1234567.891, 2, uk), "1" + g + "234" + g + "567" + d + "89");
}

TEST(Rounding, AsANumericFieldStoresIt)
{
    const double rate = 70 / std::sqrt(50.0); // 9.899494936611665…
    EXPECT_EQ(Rounding::asStored(rate, 8), 9.89949494);
    EXPECT_EQ(Rounding::asStored(rate, 2), 9.9);
    EXPECT_EQ(Rounding::asStored(rate, -1), rate);
    EXPECT_EQ(Rounding::asStored(7.0, 8), 7.0);
    // Halves on the shortest decimal form go away from zero.
    EXPECT_EQ(Rounding::asStored(1.005, 2), 1.01);
    EXPECT_EQ(Rounding::asStored(-2.5, 0), -3.0);
}
