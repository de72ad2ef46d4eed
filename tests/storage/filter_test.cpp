#include "storage/codepage.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/filterexpression.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <utility>
#include <vector>

using namespace kvor;

namespace {

using Row = std::vector<std::pair<QString, QVariant>>;
using RecNos = std::vector<qint64>;

// Byte position of a column inside a record (the deletion mark is byte 0).
int columnPos(const std::vector<DbfColumn> &columns, const QString &name)
{
    int pos = 1;
    for (const DbfColumn &c : columns) {
        if (c.name == name)
            return pos;
        pos += c.length;
    }
    ADD_FAILURE() << "no column " << name.toStdString();
    return -1;
}

int recordLength(const std::vector<DbfColumn> &columns)
{
    int n = 1;
    for (const DbfColumn &c : columns)
        n += c.length;
    return n;
}

// Writes a file with the rows, through the table itself.
void writeTable(const QString &path, const std::vector<DbfColumn> &columns, const std::vector<Row> &rows)
{
    DbfTable::create(path, columns);
    DbfTable t;
    t.setTableName(path);
    t.open();
    for (const Row &row : rows) {
        t.append();
        for (const auto &[name, value] : row)
            t.setValue(name, value);
        t.post();
    }
    t.close();
}

// Overwrites a field of record k (1-based) with raw bytes, padded with blanks.
void patchField(const QString &path, const std::vector<DbfColumn> &columns, qint64 k, const QString &name,
                const QByteArray &bytes)
{
    int length = 0;
    for (const DbfColumn &c : columns) {
        if (c.name == name)
            length = c.length;
    }
    ASSERT_GT(length, 0);
    ASSERT_LE(bytes.size(), length);
    const qint64 header = 32 + 32 * qint64(columns.size()) + 1;
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(header + recordLength(columns) * (k - 1) + columnPos(columns, name)));
    ASSERT_EQ(f.write(bytes.leftJustified(length, ' ')), length);
}

RecNos visible(DbfTable &t)
{
    RecNos out;
    for (t.first(); !t.eof(); t.next())
        out.push_back(t.recNo());
    return out;
}

RecNos matching(DbfTable &t, const QString &expression)
{
    t.setFilter(expression);
    t.setFiltered(true);
    RecNos out = visible(t);
    t.setFiltered(false);
    return out;
}

QString errorOf(DbfTable &t, const QString &expression)
{
    try {
        t.setFilter(expression);
        t.setFiltered(true);
    } catch (const DbfError &e) {
        t.setFiltered(false);
        return e.message();
    }
    t.setFiltered(false);
    return QStringLiteral("<no error>");
}

const QString kMismatch = QStringLiteral("The two sides of an operation do not match");
const QString kNotBoolean = QStringLiteral("Filter expression must return boolean result");

// ---------------------------------------------------------------------------
// A products-like table: categories, names for the patterns, a flag and a date.

const std::vector<DbfColumn> kProdColumns = {
    {"TIP", 'C', 20, 0},
    {"NAME", 'C', 12, 0},
    {"ACT", 'L', 1, 0},
    {"DT", 'D', 8, 0},
};

class FilterTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("prod.dbf"));
        writeTable(m_path, kProdColumns,
                   {
                       {{"TIP", "Мясне"}, {"NAME", "abc"}, {"ACT", true}, {"DT", QDate(2025, 3, 15)}},
                       {{"TIP", "мясне"}, {"NAME", "abcbc"}, {"ACT", false}, {"DT", QDate(2024, 12, 31)}},
                       {{"TIP", "Рыба"}, {"NAME", "xabc"}, {"ACT", true}, {"DT", QDate(2025, 1, 1)}},
                       {{"TIP", "Мясне"}, {"NAME", "bc"}, {"ACT", false}},
                       {{"TIP", "Мясне2"}, {"NAME", "ab"}, {"ACT", true}, {"DT", QDate(2026, 1, 1)}},
                       {{"TIP", " Мясне"}, {"ACT", false}},
                       {{"TIP", "Овочi"}, {"NAME", "ab*"}},   // Latin i, as the program's lists spell it
                       {{"TIP", "Овочі"}, {"NAME", "Ёлка"}},  // Cyrillic і, stored as Latin i
                       {{"TIP", "Iнше"}, {"NAME", "Zebra"}},
                       {{"TIP", "Фрукти"}, {"NAME", "Арбуз"}},
                   });
        m_table.setTableName(m_path);
        m_table.open();
    }

    RecNos match(const QString &expression) { return matching(m_table, expression); }
    QString error(const QString &expression) { return errorOf(m_table, expression); }

    QTemporaryDir m_dir;
    QString m_path;
    DbfTable m_table;
};

TEST_F(FilterTextTest, CategoryMatchesExactlyAfterTrailingBlanks)
{
    // Trailing blanks of the field (padding) and of the literal do not count; a
    // leading blank, a longer word and another letter case do.
    EXPECT_EQ(match("TIP='Мясне'"), (RecNos{1, 4}));
    EXPECT_EQ(match("TIP = 'Мясне   '"), (RecNos{1, 4}));
    EXPECT_EQ(match("TIP='мясне'"), (RecNos{2}));
    EXPECT_EQ(match("TIP='МЯСНЕ'"), RecNos{});
    EXPECT_EQ(match("TIP=' Мясне'"), (RecNos{6}));
}

TEST_F(FilterTextTest, QuotingFormsAndNameCaseAreEquivalent)
{
    const RecNos expected{1, 4};
    EXPECT_EQ(match("TIP = \"Мясне\""), expected);
    EXPECT_EQ(match("TIP = [Мясне]"), expected);
    EXPECT_EQ(match("tip = 'Мясне'"), expected);
    EXPECT_EQ(match("Tip='Мясне'"), expected);
    // Literal first: the same comparison.
    EXPECT_EQ(match("'Мясне' = TIP"), expected);
    // Each delimiter lets the others appear inside the text.
    EXPECT_EQ(match("NAME = \"ab'\""), RecNos{});
    EXPECT_EQ(match("NAME = [ab*] and TIP = \"Овочi\""), (RecNos{7}));
}

TEST_F(FilterTextTest, LatinIInCategoryNames)
{
    // "Овочі" written with the Cyrillic і is stored with the Latin i, so both
    // records match the Latin spelling and none matches the Cyrillic one.
    EXPECT_EQ(match("TIP = 'Овочi'"), (RecNos{7, 8}));
    EXPECT_EQ(match("TIP = 'Овочі'"), RecNos{});
    EXPECT_EQ(match("TIP = 'Iнше'"), (RecNos{9}));
}

TEST_F(FilterTextTest, TableWithoutTranslationComparesItsBytesAsStored)
{
    // A file written in the program's own code page, read without translation.
    const QString path = m_dir.filePath(QStringLiteral("ansi.dbf"));
    DbfTable::create(path, kProdColumns);
    DbfTable ansi;
    ansi.setTranslateAscii(false);
    ansi.setTableName(path);
    ansi.open();
    for (const char *tip : {"Мясне", "Ёлка", "Рыба"}) {
        ansi.append();
        ansi.setValue(QStringLiteral("TIP"), QString::fromUtf8(tip));
        ansi.post();
    }
    EXPECT_EQ(matching(ansi, "TIP = 'Мясне'"), (RecNos{1}));
    EXPECT_EQ(matching(ansi, "TIP < 'А'"), (RecNos{2}));
    EXPECT_EQ(matching(ansi, "TIP = '*ыб*'"), (RecNos{3}));
}

TEST_F(FilterTextTest, AsteriskPatterns)
{
    // Names: 1 abc, 2 abcbc, 3 xabc, 4 bc, 5 ab, 6 (blank), 7 ab*, 8 Ёлка, 9 Zebra, 10 Арбуз.
    EXPECT_EQ(match("NAME = 'ab*'"), (RecNos{1, 2, 5, 7}));
    EXPECT_EQ(match("NAME = '*bc*'"), (RecNos{1, 2, 3, 4}));
    // The first occurrence of "bc" in abcbc is not at its end.
    EXPECT_EQ(match("NAME = '*bc'"), (RecNos{1, 3, 4}));
    EXPECT_EQ(match("NAME = '*'"), (RecNos{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(match("NAME = '*бу*'"), (RecNos{10}));
    EXPECT_EQ(match("NAME = 'Ёл*'"), (RecNos{8}));
    // A star inside the text is an ordinary character.
    EXPECT_EQ(match("NAME = 'a*c'"), RecNos{});
}

TEST_F(FilterTextTest, NotEqualAndExactEquality)
{
    // <> and # negate '=' including its pattern meaning; == takes the text as it is.
    EXPECT_EQ(match("NAME <> 'ab*'"), (RecNos{3, 4, 6, 8, 9, 10}));
    EXPECT_EQ(match("NAME # 'ab*'"), (RecNos{3, 4, 6, 8, 9, 10}));
    EXPECT_EQ(match("NAME # '*bc'"), (RecNos{2, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(match("NAME <> '*'"), RecNos{});
    EXPECT_EQ(match("NAME == 'ab*'"), (RecNos{7}));
    EXPECT_EQ(match("NAME == '*'"), RecNos{});
    EXPECT_EQ(match("NAME == 'abc'"), (RecNos{1}));
    EXPECT_EQ(match("TIP == 'Мясне'"), (RecNos{1, 4}));
    EXPECT_EQ(match("TIP # 'Мясне'"), (RecNos{2, 3, 5, 6, 7, 8, 9, 10}));
}

TEST_F(FilterTextTest, OrderingComparesWindowsCyrillicBytes)
{
    // The literal of an ordering operator is plain text: '*' (0x2A) sorts before letters.
    EXPECT_EQ(match("NAME < 'ab*'"), (RecNos{5, 6, 9}));
    EXPECT_EQ(match("NAME >= 'b' and NAME < 'c'"), (RecNos{4}));
    // In 1251 Ё (0xA8) sorts before А (0xC0); in the file's 866 it sorts after я.
    EXPECT_EQ(match("NAME < 'А'"), (RecNos{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(match("NAME > 'Ё'"), (RecNos{8, 10}));
    // Shorter text sorts first when one is the start of the other.
    EXPECT_EQ(match("NAME <= 'abc'"), (RecNos{1, 5, 6, 7, 9}));
    EXPECT_EQ(match("'abc' < NAME and NAME < 'b'"), (RecNos{2}));
}

TEST_F(FilterTextTest, BareBooleanFieldAndBooleanLiterals)
{
    EXPECT_EQ(match("ACT"), (RecNos{1, 3, 5}));
    EXPECT_EQ(match("act"), (RecNos{1, 3, 5}));
    EXPECT_EQ(match("not ACT"), (RecNos{2, 4, 6, 7, 8, 9, 10}));
    EXPECT_EQ(match("ACT and TIP = 'Мясне'"), (RecNos{1}));
    EXPECT_EQ(match("(ACT)"), (RecNos{1, 3, 5}));
    EXPECT_EQ(match("ACT = .T."), (RecNos{1, 3, 5}));
    EXPECT_EQ(match(".f. = ACT"), (RecNos{2, 4, 6, 7, 8, 9, 10}));
    EXPECT_EQ(error("ACT = 1"), kMismatch);
    EXPECT_EQ(error("ACT = 'T'"), kMismatch);
}

TEST_F(FilterTextTest, DateFieldsCompareAsYyyymmddText)
{
    EXPECT_EQ(match("DT = '20250315'"), (RecNos{1}));
    EXPECT_EQ(match("DT >= '20250101'"), (RecNos{1, 3, 5}));
    EXPECT_EQ(match("DT >= '20250101' and DT < '20260101'"), (RecNos{1, 3}));
    EXPECT_EQ(match("DT = '2025*'"), (RecNos{1, 3}));
    // A blank date is empty text.
    EXPECT_EQ(match("DT = ''"), (RecNos{4, 6, 7, 8, 9, 10}));
    EXPECT_EQ(error("DT = 20250315"), kMismatch);
    EXPECT_EQ(error("DT = TIP"), kMismatch);
}

TEST_F(FilterTextTest, TextFieldsCompareWithEachOther)
{
    EXPECT_EQ(match("TIP = NAME"), RecNos{}); // only blank equals blank, and no TIP is blank
    EXPECT_EQ(match("NAME < TIP and NAME > ''"), (RecNos{1, 2, 3, 4, 5, 7, 8, 10}));
}

TEST_F(FilterTextTest, TextAgainstNumberIsAMismatch)
{
    EXPECT_EQ(error("TIP = 5"), kMismatch);
    EXPECT_EQ(error("5 = TIP"), kMismatch);
    EXPECT_EQ(error("NAME = 'abc' and TIP > 1.5"), kMismatch);
    EXPECT_EQ(error("'5' = 5"), kMismatch);
}

TEST_F(FilterTextTest, UnknownAndCalculatedFields)
{
    EXPECT_EQ(error("XYZ = 'a'"), "Field/variable XYZ is unknown");
    EXPECT_EQ(error("TIP = 'Мясне' and price > 5"), "Field/variable price is unknown");
    EXPECT_EQ(error("'a' = Kod"), "Field/variable Kod is unknown");

    // A calculated field has no stored bytes to filter on.
    DbfTable declared;
    declared.setFieldDefs({{"TIP", FieldKind::String, 20, false}, {"CALC", FieldKind::String, 10, true}});
    declared.setFieldCalculator([](DbfTable &t) { t.setValue(QStringLiteral("CALC"), QStringLiteral("x")); });
    declared.setTableName(m_path);
    declared.open();
    EXPECT_EQ(errorOf(declared, "CALC = 'x'"), "Field/variable CALC is unknown");
    EXPECT_EQ(matching(declared, "TIP = 'Рыба'"), (RecNos{3}));
}

TEST_F(FilterTextTest, ResultMustBeBoolean)
{
    EXPECT_EQ(error("NAME"), kNotBoolean);
    EXPECT_EQ(error("5"), kNotBoolean);
    EXPECT_EQ(error("'abc'"), kNotBoolean);
    EXPECT_EQ(error("(TIP)"), kNotBoolean);
    EXPECT_EQ(error("not NAME"), kNotBoolean);
    EXPECT_EQ(error("ACT and DT"), kNotBoolean);
}

TEST_F(FilterTextTest, SyntaxErrorsAreReported)
{
    const char *bad[] = {
        "TIP =",
        "TIP = 'Мясне' and",
        "(TIP = 'Мясне'",
        "TIP = 'Мясне')",
        "TIP = 'Мясне",
        "TIP = [Мясне",
        "TIP => 'a'",
        "TIP != 'a'",
        "TIP = 'a' xor ACT",
        "TIP 'a'",
        "= 'a'",
        "()",
        "ACT and and ACT",
        ".AND. ACT",
        "ACT .AND ACT",
        "ACT.X.",
        "TIP = 'a' 'b'",
        "not",
        "ACT and 1.2.3",
    };
    for (const char *text : bad) {
        const QString message = error(QString::fromUtf8(text));
        EXPECT_TRUE(message.startsWith("Filter expression")) << text << " -> " << message.toStdString();
        EXPECT_NE(message, kNotBoolean) << text;
    }
    EXPECT_EQ(error("TIP = 'a')"), "Filter expression incorrect: unexpected ')' at position 10");
    EXPECT_EQ(error("TIP = 'a' and"), "Filter expression incorrect: unexpected end of expression");
}

TEST_F(FilterTextTest, EmptyTextIsRejectedByTheParser)
{
    EXPECT_THROW(FilterExpression::parse(QString(), m_table), DbfError);
    try {
        FilterExpression::parse(QStringLiteral("   "), m_table);
        ADD_FAILURE() << "no error";
    } catch (const DbfError &e) {
        EXPECT_TRUE(e.message().startsWith("Filter expression")) << e.message().toStdString();
    }
}

TEST_F(FilterTextTest, NestingIsBounded)
{
    // Deep nesting is an error, not a stack overflow.
    const QString deep = QString(100000, u'(') + "ACT" + QString(100000, u')');
    EXPECT_TRUE(error(deep).startsWith("Filter expression"));
    // Long flat chains are fine.
    QStringList parts;
    for (int i = 0; i < 20000; ++i)
        parts << "ACT";
    EXPECT_EQ(match(parts.join(" and ")), (RecNos{1, 3, 5}));
    EXPECT_EQ(match(QString(20001, u' ').replace(" ", "not ") + "ACT"), (RecNos{2, 4, 6, 7, 8, 9, 10}));
}

// ---------------------------------------------------------------------------
// A catalogue-like table: integer, float and small-integer columns.

const std::vector<DbfColumn> kKatColumns = {
    {"MODEL", 'C', 10, 0},
    {"Q25", 'N', 8, 0},  // integer
    {"T25", 'N', 5, 1},  // float
    {"VO", 'N', 2, 0},   // small integer
    {"P", 'N', 10, 2},   // float
    {"QS", 'N', 4, 0},   // small integer, patched with decimals below
};

class FilterNumberTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("kat.dbf"));
        writeTable(m_path, kKatColumns,
                   {
                       {{"MODEL", "A"}, {"Q25", 4999}, {"T25", 7.0}, {"VO", 1}, {"P", 100.5}},
                       {{"MODEL", "B"}, {"Q25", 5000}, {"T25", 7.0}, {"VO", 1}, {"P", -0.25}},
                       {{"MODEL", "C"}, {"Q25", 9000}, {"T25", 6.9}, {"VO", 1}, {"P", -12.75}},
                       {{"MODEL", "D"}, {"Q25", 9001}, {"T25", 5.0}, {"VO", 1}},
                       {{"MODEL", "E"}, {"Q25", 7000}, {"T25", 7.1}, {"VO", 1}},
                       {{"MODEL", "F"}, {"Q25", 7000}, {"T25", -2.5}, {"VO", 0}},
                       {{"MODEL", "G"}, {"Q25", 6000}, {"T25", -10.5}, {"VO", 1}},
                       {{"MODEL", "H"}},
                   });
        // Record 8: every numeric field blank. QS: texts an integer field rounds half to even.
        for (const char *name : {"Q25", "T25", "VO", "P", "QS"})
            patchField(m_path, kKatColumns, 8, name, QByteArray());
        patchField(m_path, kKatColumns, 1, "QS", "2.5");
        patchField(m_path, kKatColumns, 2, "QS", "3.5");
        patchField(m_path, kKatColumns, 3, "QS", "-2.5");
        m_table.setTableName(m_path);
        m_table.open();
    }

    RecNos match(const QString &expression) { return matching(m_table, expression); }
    QString error(const QString &expression) { return errorOf(m_table, expression); }

    QTemporaryDir m_dir;
    QString m_path;
    DbfTable m_table;
};

TEST_F(FilterNumberTest, CatalogueCapacityWindow)
{
    EXPECT_EQ(match("Q25 >= 5000 and Q25 <= 9000"), (RecNos{2, 3, 5, 6, 7}));
    EXPECT_EQ(match("Q25 >= 5000 and Q25 <= 9000 and T25 <= 7 and VO = 1"), (RecNos{2, 3, 7}));
    EXPECT_EQ(match("Q25 >= 9002"), RecNos{});
}

TEST_F(FilterNumberTest, DecimalsAndNegativeNumbers)
{
    EXPECT_EQ(match("T25 = 6.9"), (RecNos{3}));
    EXPECT_EQ(match("T25 > 6.95"), (RecNos{1, 2, 5}));
    EXPECT_EQ(match("T25 = 7."), (RecNos{1, 2}));
    EXPECT_EQ(match("T25 >= +7"), (RecNos{1, 2, 5}));
    EXPECT_EQ(match("T25 <= -2.5"), (RecNos{6, 7}));
    EXPECT_EQ(match("T25 < -2.5"), (RecNos{7}));
    EXPECT_EQ(match("T25 < .5"), (RecNos{6, 7, 8}));
    EXPECT_EQ(match("T25>-.5 and T25<-0.4"), RecNos{});
    EXPECT_EQ(match("P < 0"), (RecNos{2, 3}));
    EXPECT_EQ(match("P = -0.25"), (RecNos{2}));
    EXPECT_EQ(match("P >= -12.75 and P < -0.25"), (RecNos{3}));
    EXPECT_EQ(match("P = 100.50"), (RecNos{1}));
}

TEST_F(FilterNumberTest, BlankIsZeroAndIntegersRoundHalfToEven)
{
    EXPECT_EQ(match("Q25 = 0"), (RecNos{8}));
    EXPECT_EQ(match("VO = 0"), (RecNos{6, 8}));
    // 2.5 → 2, 3.5 → 4, -2.5 → -2 in an integer field.
    EXPECT_EQ(match("QS = 2"), (RecNos{1}));
    EXPECT_EQ(match("QS = 4"), (RecNos{2}));
    EXPECT_EQ(match("QS = -2"), (RecNos{3}));
    EXPECT_EQ(match("QS = 2.5 or QS = 3.5 or QS = 3"), RecNos{});
    EXPECT_EQ(match("QS = 0"), (RecNos{4, 5, 6, 7, 8}));
}

TEST_F(FilterNumberTest, OperatorsAndOperandOrder)
{
    EXPECT_EQ(match("VO # 1"), (RecNos{6, 8}));
    EXPECT_EQ(match("VO <> 1"), (RecNos{6, 8}));
    EXPECT_EQ(match("Q25 == 7000"), (RecNos{5, 6}));
    EXPECT_EQ(match("Q25 > 7000"), (RecNos{3, 4}));
    EXPECT_EQ(match("Q25 < 5000"), (RecNos{1, 8}));
    // Literal first: the operator turns around.
    EXPECT_EQ(match("5000 <= Q25 and 9000 >= Q25"), (RecNos{2, 3, 5, 6, 7}));
    EXPECT_EQ(match("7 > T25"), (RecNos{3, 4, 6, 7, 8}));
    EXPECT_EQ(match("-2.5 = T25"), (RecNos{6}));
    // Two fields.
    EXPECT_EQ(match("VO = QS"), (RecNos{6, 8}));
    EXPECT_EQ(match("T25 < QS"), (RecNos{6, 7}));
    // Two literals.
    EXPECT_EQ(match("1 = 1"), (RecNos{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(match("1 > 2 or VO = 0"), (RecNos{6, 8}));
    EXPECT_EQ(error("Q25 = '5000'"), kMismatch);
    EXPECT_EQ(error("'5000' <= Q25"), kMismatch);
    EXPECT_EQ(error("Q25 = MODEL"), kMismatch);
}

TEST_F(FilterNumberTest, DottedAndAnyCaseWords)
{
    const RecNos window{2, 3, 7};
    EXPECT_EQ(match("Q25>=5000.AND.Q25<=9000.and.T25<=7 .And. VO=1"), window);
    EXPECT_EQ(match("Q25 >= 5000 AND Q25 <= 9000 aNd T25 <= 7 and VO = 1"), window);
    // A number right before a dotted word keeps its digits.
    EXPECT_EQ(match("VO=1.and.Q25>9000"), (RecNos{4}));
    EXPECT_EQ(match("Q25 < 5000 .OR. Q25 > 9000"), (RecNos{1, 4, 8}));
    EXPECT_EQ(match("Q25 < 5000 or Q25 > 9000"), (RecNos{1, 4, 8}));
    EXPECT_EQ(match("Q25 < 5000 OR Q25 > 9000"), (RecNos{1, 4, 8}));
    EXPECT_EQ(match(".NOT. VO = 1"), (RecNos{6, 8}));
    EXPECT_EQ(match("NoT VO = 1"), (RecNos{6, 8}));
}

TEST_F(FilterNumberTest, ParenthesesNotAndPrecedence)
{
    EXPECT_EQ(match("not (Q25 < 5000 or Q25 > 9000)"), (RecNos{2, 3, 5, 6, 7}));
    EXPECT_EQ(match(".not.(Q25 < 5000 .or. Q25 > 9000)"), (RecNos{2, 3, 5, 6, 7}));
    EXPECT_EQ(match("not not VO = 1"), (RecNos{1, 2, 3, 4, 5, 7}));
    // and binds tighter than or.
    EXPECT_EQ(match("VO = 0 or Q25 = 9000 and T25 < 0"), (RecNos{6, 8}));
    EXPECT_EQ(match("VO = 0 or (Q25 = 9000 and T25 < 0)"), (RecNos{6, 8}));
    EXPECT_EQ(match("(VO = 0 or Q25 = 9000) and T25 < 0"), (RecNos{6}));
    EXPECT_EQ(match("((VO = 1) and ((Q25 = 5000)))"), (RecNos{2}));
    EXPECT_EQ(match("not (VO = 1 and not (T25 > 0))"), (RecNos{1, 2, 3, 4, 5, 6, 8}));
}

TEST_F(FilterNumberTest, InvalidNumberInARecordIsReported)
{
    patchField(m_path, kKatColumns, 5, "Q25", "12x");
    DbfTable t;
    t.setTableName(m_path);
    t.open();
    const QString message = errorOf(t, "Q25 > 0");
    EXPECT_TRUE(message.startsWith("Invalid number in field")) << message.toStdString();
    // The table stays usable, unfiltered.
    EXPECT_FALSE(t.filtered());
    EXPECT_EQ(visible(t), (RecNos{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(matching(t, "MODEL = 'E'"), (RecNos{5}));
}

// ---------------------------------------------------------------------------
// The table's side of filtering.

class FilterTableTest : public FilterTextTest {};

TEST_F(FilterTableTest, NoMatchLeavesTheTableAtEof)
{
    m_table.setFilter(QStringLiteral("TIP = 'Нет такого'"));
    m_table.setFiltered(true);
    m_table.first();
    EXPECT_TRUE(m_table.eof());
    EXPECT_TRUE(m_table.isEmpty());
    m_table.last();
    EXPECT_TRUE(m_table.eof() || m_table.bof());
    m_table.setFiltered(false);
    EXPECT_FALSE(m_table.isEmpty());
    EXPECT_EQ(visible(m_table).size(), 10u);
}

TEST_F(FilterTableTest, LocateIgnoresTheFilter)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    ASSERT_TRUE(m_table.locate(QStringLiteral("NAME"), QStringLiteral("xabc")));
    EXPECT_EQ(m_table.recNo(), 3);
    EXPECT_EQ(m_table.value(QStringLiteral("TIP")).toString(), QStringLiteral("Рыба"));
    m_table.first();
    EXPECT_EQ(m_table.recNo(), 1);
    m_table.next();
    EXPECT_EQ(m_table.recNo(), 4);
    m_table.next();
    EXPECT_TRUE(m_table.eof());
}

TEST_F(FilterTableTest, PostReevaluatesTheRecord)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    m_table.first();
    ASSERT_EQ(m_table.recNo(), 1);
    m_table.edit();
    m_table.setValue(QStringLiteral("TIP"), QStringLiteral("Рыба"));
    m_table.post();
    EXPECT_EQ(visible(m_table), (RecNos{4}));

    m_table.append();
    m_table.setValue(QStringLiteral("TIP"), QStringLiteral("Мясне"));
    m_table.post();
    m_table.append();
    m_table.setValue(QStringLiteral("TIP"), QStringLiteral("Рыба"));
    m_table.post();
    EXPECT_EQ(visible(m_table), (RecNos{4, 11}));

    m_table.setFiltered(false);
    EXPECT_EQ(visible(m_table).size(), 12u);
}

TEST_F(FilterTableTest, DeletedRecordsStayHidden)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    m_table.first();
    m_table.deleteRecord();
    EXPECT_EQ(visible(m_table), (RecNos{4}));
    m_table.setFiltered(false);
    EXPECT_EQ(visible(m_table), (RecNos{2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(FilterTableTest, SettingTheTextWhileFilteredAppliesIt)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    EXPECT_EQ(visible(m_table), (RecNos{1, 4}));
    m_table.setFilter(QStringLiteral("ACT"));
    EXPECT_EQ(m_table.recNo(), 1);
    EXPECT_EQ(visible(m_table), (RecNos{1, 3, 5}));
    m_table.setFilter(QStringLiteral("NAME = 'x*'"));
    EXPECT_EQ(m_table.recNo(), 3);
    EXPECT_EQ(visible(m_table), (RecNos{3}));
}

TEST_F(FilterTableTest, EmptyTextShowsEveryLiveRecord)
{
    m_table.setFilter(QString());
    m_table.setFiltered(true);
    EXPECT_EQ(visible(m_table).size(), 10u);
    m_table.setFilter(QStringLiteral("   "));
    EXPECT_EQ(visible(m_table).size(), 10u);
}

TEST_F(FilterTableTest, FailedFilterLeavesTheTableUsable)
{
    EXPECT_EQ(error("NOPE = 1"), "Field/variable NOPE is unknown");
    EXPECT_FALSE(m_table.filtered());
    EXPECT_EQ(visible(m_table).size(), 10u);
    EXPECT_EQ(match("TIP = 'Рыба'"), (RecNos{3}));
}

TEST_F(FilterTableTest, ReapplyingTheSameTextReusesTheMatches)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    EXPECT_EQ(visible(m_table), (RecNos{1, 4}));
    m_table.setFiltered(false);

    // Record 2 changes behind the table's back, header untouched: nothing tells
    // the table, so the same text keeps the remembered bits and makes no new pass.
    patchField(m_path, kProdColumns, 2, QStringLiteral("TIP"), Cp866::encode(QStringLiteral("Мясне")));
    m_table.setFiltered(true);
    EXPECT_EQ(visible(m_table), (RecNos{1, 4}));
    // Another text: a new pass sees the change.
    m_table.setFilter(QStringLiteral("TIP = 'Мясне' "));
    EXPECT_EQ(visible(m_table), (RecNos{1, 2, 4}));
}

TEST_F(FilterTableTest, APostByAnotherTableIsNoticedByTheChangeStamp)
{
    m_table.setFilter(QStringLiteral("TIP = 'Мясне'"));
    m_table.setFiltered(true);
    EXPECT_EQ(visible(m_table), (RecNos{1, 4}));
    {
        // A stamp the table has surely not seen.
        DbfTable::setClock([] { return QDateTime(QDate(2031, 3, 4), QTime(5, 6, 7, 891)); });
        DbfTable other;
        other.setTableName(m_path);
        other.open();
        ASSERT_TRUE(other.goToRecord(2));
        other.edit();
        other.setValue(QStringLiteral("TIP"), QStringLiteral("Мясне"));
        other.post();
        DbfTable::setClock(nullptr);
    }
    EXPECT_EQ(visible(m_table), (RecNos{1, 2, 4}));
}

// ---------------------------------------------------------------------------
// The parsed expression on raw records.

TEST(FilterCodePageTest, EveryStoredByteComparesInWindowsCyrillic)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bytes.dbf"));
    DbfTable::create(path, {{"NAME", 'C', 3, 0}});
    DbfTable table;
    table.setTableName(path);
    table.open();

    // The program's view of each byte of the file: 866 → Unicode → 1251.
    const auto windowsByte = [](int b) {
        const char c = char(b);
        const QByteArray w = Cp1251::encode(Cp866::decode(&c, 1));
        EXPECT_EQ(w.size(), 1);
        return static_cast<unsigned char>(w.at(0));
    };
    const auto record = [](int b) {
        QByteArray r(4, ' ');
        r[1] = char(b);
        return r;
    };
    const auto quoted = [](const QString &s) {
        if (!s.contains(u'\''))
            return "'" + s + "'";
        return "\"" + s + "\"";
    };

    int sharedWithQuestionMark = 0;
    for (int b = 0x21; b < 0x100; ++b) {
        const unsigned char wb = windowsByte(b);
        const char wc = char(wb);
        const QString literal = quoted(Cp1251::decode(&wc, 1));
        const auto exact = FilterExpression::parse("NAME == " + literal, table);
        const auto less = FilterExpression::parse("NAME < " + literal, table);
        for (int other = 0x21; other < 0x100; ++other) {
            const QByteArray r = record(other);
            const unsigned char wo = windowsByte(other);
            ASSERT_EQ(exact->evaluate(r.constData()), wo == wb) << b << " vs " << other;
            ASSERT_EQ(less->evaluate(r.constData()), wo < wb) << b << " vs " << other;
        }
        if (wb == '?' && b != '?')
            ++sharedWithQuestionMark;
    }
    // Box-drawing characters have no 1251 form, so they compare equal to '?'.
    EXPECT_GT(sharedWithQuestionMark, 0);
    const auto question = FilterExpression::parse(QStringLiteral("NAME = '?'"), table);
    EXPECT_TRUE(question->evaluate(record(0xB0).constData())); // ░
    EXPECT_FALSE(question->evaluate(record(0x80).constData())); // А
}

TEST(FilterVolumeTest, EveryRecordOfALargeTableCounts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("kat.dbf"));
    const std::vector<DbfColumn> columns = {
        {"MODEL", 'C', 20, 0}, {"Q25", 'N', 8, 0}, {"T25", 'N', 5, 1}, {"VO", 'N', 2, 0}, {"TIP", 'C', 20, 0}};
    writeTable(path, columns,
               {
                   {{"MODEL", "A"}, {"Q25", 4999}, {"T25", 7.0}, {"VO", 1}, {"TIP", "Мясне"}},
                   {{"MODEL", "B"}, {"Q25", 5000}, {"T25", 7.0}, {"VO", 1}, {"TIP", "Рыба"}},
                   {{"MODEL", "C"}, {"Q25", 9000}, {"T25", 6.9}, {"VO", 1}, {"TIP", "Мясне"}},
                   {{"MODEL", "D"}, {"Q25", 7000}, {"T25", 7.1}, {"VO", 1}, {"TIP", "Овочi"}},
               });
    DbfTable table;
    table.setTableName(path);
    table.open();
    const int length = table.recordLength();
    const int kRecords = 100000;
    QByteArray records;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_TRUE(table.goToRecord(k));
        records.append(table.recordBuffer(), length);
    }
    while (records.size() < qsizetype(length) * kRecords)
        records.append(records.left(qsizetype(length) * 4));

    const auto run = [&](const QString &text, int expected) {
        const auto expr = FilterExpression::parse(text, table);
        int matched = 0;
        for (int i = 0; i < kRecords; ++i)
            matched += expr->evaluate(records.constData() + qsizetype(i) * length) ? 1 : 0;
        EXPECT_EQ(matched, expected) << text.toStdString();
    };
    run(QStringLiteral("Q25 >= 5000 and Q25 <= 9000 and T25 <= 7 and VO = 1"), kRecords / 2);
    run(QStringLiteral("TIP = 'Мясне'"), kRecords / 2);
    run(QStringLiteral("TIP = '*ыб*' or MODEL >= 'D'"), kRecords / 2);
}

} // namespace
