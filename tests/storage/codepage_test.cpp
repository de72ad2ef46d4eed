#include "storage/codepage.h"
#include "storage/dbfnumber.h"

#include <gtest/gtest.h>

using namespace kvor;

TEST(Cp866, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp866::decode(all);
    ASSERT_EQ(text.size(), 256);
    bool exact = false;
    EXPECT_EQ(Cp866::encode(text, &exact), all);
    EXPECT_TRUE(exact);
    EXPECT_EQ(text.mid(0x80, 3), "АБВ");
    EXPECT_EQ(text.mid(0xE0, 2), "рс");
    EXPECT_EQ(text.mid(0xF0, 8), "ЁёЄєЇїЎў");
    EXPECT_EQ(text.at(0xFC), QChar(0x2116)); // №
}

TEST(Cp866, CharactersThePageLacksGetTheirClosestRelative)
{
    const struct {
        const char *in;
        const char *out;
    } cases[] = {
        {"Іван і Ґанок ґ", "Iван i Ганок г"},
        {"«лапки» „так“ ‘так’", "\"лапки\" \"так\" 'так'"},
        {"а–б—в…", "а-б-в."},
        {"café naïve", "cafe naive"},
        {"€ ™ © ® ±", "E T C R +"},
        {"Ћ Ђ Ј Љ Њ Ќ Џ Ѕ", "C D J Л Н К Ц S"},
        {"日本", "??"},
    };
    for (const auto &c : cases) {
        bool exact = true;
        const QByteArray bytes = Cp866::encode(QString::fromUtf8(c.in), &exact);
        EXPECT_FALSE(exact) << c.in;
        EXPECT_EQ(Cp866::decode(bytes), QString::fromUtf8(c.out)) << c.in;
    }
    bool exact = true;
    EXPECT_EQ(Cp866::encode(QString::fromUtf8("😀x"), &exact), QByteArray("?x")) << "one stand-in per character";
}

TEST(Cp866, UpperCaseStaysInThePage)
{
    const QString lower = QString::fromUtf8("abcxyzабвгдеёжзийклмнопрстуфхцчшщъыьэюяєїў");
    const QString upper = QString::fromUtf8("ABCXYZАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЄЇЎ");
    QByteArray bytes = Cp866::encode(lower);
    for (char &c : bytes)
        c = char(Cp866::toUpper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Cp866::decode(bytes), upper);
    EXPECT_EQ(Cp866::toUpper(0xB0), 0xB0) << "box drawing has no case";
}

TEST(Cp1251, OrdersTextsAsTheWindowsPageDoes)
{
    // In Unicode ё comes after я; in the Windows page it comes before а.
    const QByteArray yo = Cp1251::encode(QString::fromUtf8("ё"));
    const QByteArray a = Cp1251::encode(QString::fromUtf8("а"));
    EXPECT_LT(static_cast<unsigned char>(yo[0]), static_cast<unsigned char>(a[0]));
    bool exact = false;
    const QString ua = QString::fromUtf8("ІіЇїЄєҐґ№");
    EXPECT_EQ(Cp1251::decode(Cp1251::encode(ua, &exact)), ua);
    EXPECT_TRUE(exact);
}

TEST(DbfNumber, ParsingAcceptsOnlyPlainDecimals)
{
    double v = -1;
    EXPECT_TRUE(parseDbfNumber("", 0, &v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(parseDbfNumber("    ", 4, &v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(parseDbfNumber("  -12.50", 8, &v));
    EXPECT_EQ(v, -12.5);
    EXPECT_TRUE(parseDbfNumber("+.5", 3, &v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(parseDbfNumber("7.", 2, &v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(parseDbfNumber("0.1", 3, &v));
    EXPECT_EQ(v, 0.1) << "correctly rounded to the nearest double";
    for (const char *bad : {"-", ".", "1e5", "1,5", "1 2", "--1", "1.2.3", "inf", "nan", "0x10", "*****"})
        EXPECT_FALSE(parseDbfNumber(bad, int(strlen(bad)), &v)) << bad;
}

TEST(DbfNumber, FormattingRoundsHalfAwayFromZeroOnTheDecimalSeen)
{
    EXPECT_EQ(formatDbfNumber(1234.5, 7, 1), " 1234.5");
    EXPECT_EQ(formatDbfNumber(0.125, 5, 2), " 0.13");
    EXPECT_EQ(formatDbfNumber(3, 3, 0), "  3");
    EXPECT_EQ(formatDbfNumber(2.5, 0, 0), "3");
    EXPECT_EQ(formatDbfNumber(-2.5, 0, 0), "-3");
    EXPECT_EQ(formatDbfNumber(1.005, 0, 2), "1.01");
    EXPECT_EQ(formatDbfNumber(9.995, 0, 2), "10.00");
    EXPECT_EQ(formatDbfNumber(-0.001, 0, 2), "0.00");
    EXPECT_EQ(formatDbfNumber(123456789012.0, 0, 0), "123456789012");
    EXPECT_EQ(formatDbfNumber(1e-7, 0, 3), "0.000");
    EXPECT_GT(formatDbfNumber(std::numeric_limits<double>::infinity(), 5, 0).size(), 5);
}

TEST(DbfNumber, IntegerReadsRoundHalfToEven)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(-0.6), -1);
}
