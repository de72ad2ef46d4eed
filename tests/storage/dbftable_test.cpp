#include "storage/datasource.h"
#include "storage/dbftable.h"
#include "tablefixture.h"

#include <QFileInfo>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kvor;
using namespace kvor::test;

namespace {

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const DbfError &e) {
        return e.message();
    }
    return QString();
}

// A small table of every kind, created through the table layer itself.
class Tables : public TableTest {
protected:
    void SetUp() override
    {
        DbfTable::setClock([] { return QDateTime(QDate(2025, 5, 1), QTime(10, 20, 30, 400)); });
        DbfTable::create(path("t.dbf"), {{"NAME", 'C', 10}, {"QTY", 'N', 3}, {"PRICE", 'N', 7, 1},
                                         {"RATE", 'N', 5, 2}, {"OK", 'L', 1}, {"DAY", 'D', 8}});
    }
    void TearDown() override { DbfTable::setClock(nullptr); }

    void addRow(DbfTable &t, const QString &name, int qty)
    {
        t.append();
        t.setValue("NAME", name);
        t.setValue("QTY", qty);
        t.post();
    }

    // The stored bytes of a field of record k.
    QByteArray stored(const QString &file, int k, int offset, int length)
    {
        const QByteArray all = readFile(file);
        const int header = static_cast<unsigned char>(all[8]) | (static_cast<unsigned char>(all[9]) << 8);
        const int record = static_cast<unsigned char>(all[10]) | (static_cast<unsigned char>(all[11]) << 8);
        return all.mid(header + record * (k - 1) + 1 + offset, length);
    }
};

} // namespace

TEST_F(Tables, FieldKindsFollowTypeLengthAndDecimals)
{
    writeFile("k.dbf", tableBytes({fieldDescriptor("S4", 'N', 4), fieldDescriptor("I5", 'N', 5),
                                   fieldDescriptor("I10", 'F', 10), fieldDescriptor("F11", 'N', 11),
                                   fieldDescriptor("D1", 'N', 4, 1), fieldDescriptor("B", 'L', 1),
                                   fieldDescriptor("D", 'D', 8), fieldDescriptor("X", 'Q', 3),
                                   fieldDescriptor("M", 'M', 10)},
                                  {}));
    DbfTable t;
    openTable(t, "k.dbf");
    ASSERT_EQ(t.fieldCount(), 8) << "an unknown type is skipped";
    EXPECT_EQ(t.field(0)->kind(), FieldKind::SmallInt);
    EXPECT_EQ(t.field(1)->kind(), FieldKind::Integer);
    EXPECT_EQ(t.field(2)->kind(), FieldKind::Integer);
    EXPECT_EQ(t.field(3)->kind(), FieldKind::Float);
    EXPECT_EQ(t.field(4)->kind(), FieldKind::Float);
    EXPECT_EQ(t.field(5)->kind(), FieldKind::Boolean);
    EXPECT_EQ(t.field(6)->kind(), FieldKind::Date);
    EXPECT_EQ(t.field(7)->kind(), FieldKind::Memo);
    EXPECT_EQ(t.field(7)->offset(), 4 + 5 + 10 + 11 + 4 + 1 + 8 + 3) << "skipped fields still take their bytes";
}

TEST_F(Tables, TextLengthUsesTheSecondByteAsHighByte)
{
    QByteArray d = fieldDescriptor("LONG", 'C', 44);
    d[17] = 1; // 256 + 44
    QByteArray rec = " " + QByteArray(300, ' ');
    rec.replace(1 + 297, 3, "end");
    writeFile("c.dbf", tableBytes({d}, {rec}));
    DbfTable t;
    openTable(t, "c.dbf");
    EXPECT_EQ(t.field(0)->length(), 300);
    EXPECT_EQ(t.field(0)->decimals(), 0);
    EXPECT_EQ(t.value("LONG").toString(), QString(297, ' ') + "end");
}

TEST_F(Tables, RecordCountComesFromTheFileSize)
{
    const QByteArray rec = " abc";
    QByteArray plain = tableBytes({fieldDescriptor("A", 'C', 3)}, {rec, rec});
    plain[4] = 9; // the stored count is wrong on purpose
    writeFile("plain.dbf", plain);
    writeFile("eof.dbf", plain + '\x1a');
    writeFile("partial.dbf", plain + " ab");
    for (const char *name : {"plain.dbf", "eof.dbf", "partial.dbf"}) {
        DbfTable t;
        openTable(t, name);
        EXPECT_EQ(t.recordCount(), 2) << name;
        t.append();
        t.setValue("A", "new");
        t.post();
        t.close();
        const QByteArray after = readFile(name);
        EXPECT_EQ(after.size(), plain.size() + 4) << name << ": no end-of-file byte after Append";
        EXPECT_EQ(after.right(3), QByteArray("new")) << name;
        EXPECT_EQ(after[4], 3) << name << ": the header holds the count derived from the size";
    }
}

TEST_F(Tables, PostRewritesTheHeader)
{
    QByteArray bytes = readFile("t.dbf");
    bytes[28] = char(0xFF);
    bytes[20] = 7;
    writeFile("t.dbf", bytes);
    DbfTable t;
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    const QByteArray h = readFile("t.dbf").left(32);
    EXPECT_EQ(h[1], 25);
    EXPECT_EQ(h[2], 5);
    EXPECT_EQ(h[3], 1);
    EXPECT_EQ(h[4], 1);
    const quint32 stamp = quint32(static_cast<unsigned char>(h[16])) | quint32(static_cast<unsigned char>(h[17])) << 8
                          | quint32(static_cast<unsigned char>(h[18])) << 16
                          | quint32(static_cast<unsigned char>(h[19])) << 24;
    EXPECT_EQ(stamp, quint32(((10 * 64 + 20) * 64 + 30) * 1024 + 400));
    EXPECT_EQ(h.mid(20, 4), QByteArray(4, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(h[28]), 0x07) << "only bits 0 to 2 of the flags are kept";
}

TEST_F(Tables, NumbersAreWrittenRightJustifiedAndRounded)
{
    DbfTable t;
    openTable(t, "t.dbf");
    t.append();
    t.setValue("PRICE", 1234.5);
    t.setValue("RATE", 0.125);
    t.setValue("QTY", 3);
    EXPECT_EQ(QByteArray(t.recordBuffer() + 1 + 10 + 3, 7), QByteArray(" 1234.5"));
    EXPECT_EQ(QByteArray(t.recordBuffer() + 1 + 10 + 3 + 7, 5), QByteArray(" 0.13"));
    EXPECT_EQ(QByteArray(t.recordBuffer() + 1 + 10, 3), QByteArray("  3"));
    EXPECT_EQ(errorOf([&] { t.setValue("PRICE", 12345.67); }),
              "Number too large to fit in field - PRICE - 12345.7")
        << "a number keeps a place for its sign";
    EXPECT_DOUBLE_EQ(t.value("PRICE").toDouble(), 1234.5) << "the field keeps its value";
    t.setValue("PRICE", -2.25);
    EXPECT_EQ(QByteArray(t.recordBuffer() + 1 + 13, 7), QByteArray("   -2.3")) << "halves away from zero";
    t.setValue("RATE", 1.005);
    EXPECT_DOUBLE_EQ(t.value("RATE").toDouble(), 1.01) << "rounded as the decimal the user sees";
    t.setValue("QTY", 2.5);
    EXPECT_EQ(t.value("QTY").toInt(), 3);
    t.setValue("QTY", -0.4);
    EXPECT_EQ(QByteArray(t.recordBuffer() + 1 + 10, 3), QByteArray("  0")) << "no minus sign on zero";
    t.post();
}

TEST_F(Tables, ValuesReadAsTheRulesSay)
{
    const auto rec = [](const char *n, const char *q, const char *p, const char *b, const char *d) {
        return QByteArray(" ") + QByteArray(n, 5) + q + p + b + d;
    };
    writeFile("r.dbf",
              tableBytes({fieldDescriptor("N", 'C', 5), fieldDescriptor("Q", 'N', 3), fieldDescriptor("P", 'N', 6, 2),
                          fieldDescriptor("B", 'L', 1), fieldDescriptor("D", 'D', 8)},
                         {rec("     ", "   ", "      ", " ", "00000000"), rec("ab\t  ", "2.5", " -1.50", "y", "20250229"),
                          rec("x\0yz ", "3.5", "  +.5 ", "J", "20240229"), rec("  a  ", " 12", "1 2   ", "n", "2024022 ")}));
    DbfTable t;
    openTable(t, "r.dbf");
    EXPECT_FALSE(t.value("N").isValid()) << "a blank text is null";
    EXPECT_EQ(t.value("Q").toInt(), 0);
    EXPECT_EQ(t.value("P").toDouble(), 0.0);
    EXPECT_FALSE(t.value("B").toBool());
    EXPECT_FALSE(t.value("D").isValid());
    t.next();
    EXPECT_EQ(t.value("N").toString(), "ab") << "trailing blanks and control characters go";
    EXPECT_EQ(t.value("Q").toInt(), 2) << "halves to even on integer reads";
    EXPECT_EQ(t.value("P").toDouble(), -1.5);
    EXPECT_TRUE(t.value("B").toBool());
    EXPECT_FALSE(t.value("D").isValid()) << "29 February 2025 does not exist";
    t.next();
    EXPECT_EQ(t.value("N").toString(), "x") << "text ends at the first zero byte";
    EXPECT_EQ(t.value("Q").toInt(), 4);
    EXPECT_EQ(t.value("P").toDouble(), 0.5);
    EXPECT_TRUE(t.value("B").toBool());
    EXPECT_EQ(t.value("D").toDate(), QDate(2024, 2, 29));
    t.next();
    EXPECT_EQ(t.value("N").toString(), "  a") << "leading blanks stay";
    EXPECT_EQ(t.value("Q").toInt(), 12);
    EXPECT_FALSE(t.value("B").toBool());
    EXPECT_FALSE(t.value("D").isValid()) << "seven characters are not a date";
    const QString err = errorOf([&] { t.value("P"); });
    EXPECT_TRUE(err.startsWith("Invalid number in field ")) << err.toStdString();
    EXPECT_TRUE(err.contains("r.dbf") && err.contains("P") && err.contains("1 2")) << err.toStdString();
}

TEST_F(Tables, OnlyTheFirst31CharactersOfANumberCount)
{
    QByteArray rec = " " + QByteArray(29, ' ') + "12" + "34567";
    writeFile("w.dbf", tableBytes({fieldDescriptor("W", 'N', 36, 2)}, {rec}));
    DbfTable t;
    openTable(t, "w.dbf");
    EXPECT_EQ(t.value("W").toDouble(), 12.0);
}

TEST_F(Tables, TextIsStoredInTheDosCodePage)
{
    DbfTable t;
    openTable(t, "t.dbf");
    t.append();
    t.setValue("NAME", "Мясне");
    t.post();
    EXPECT_EQ(stored("t.dbf", 1, 0, 10), QByteArray("\x8c\xef\xe1\xad\xa5     "));
    t.edit();
    t.setValue("NAME", "Іній «Ґ»");
    t.post();
    t.first();
    EXPECT_EQ(t.value("NAME").toString(), "Iнiй \"Г\"") << "characters the page lacks come back replaced";
    t.edit();
    t.setValue("NAME", "abcdefghijklmn");
    EXPECT_EQ(t.value("NAME").toString(), "abcdefghij") << "cut to the field width";
    t.cancel();
}

TEST_F(Tables, NewRecordsAreBlankWithZeroNumbers)
{
    DbfTable t;
    openTable(t, "t.dbf");
    t.append();
    t.post();
    EXPECT_EQ(stored("t.dbf", 1, 0, 10 + 3 + 7 + 5 + 1 + 8), QByteArray("            0    0.0 0.00         "));
    t.edit();
    t.setValue("OK", true);
    t.setValue("DAY", QDate(2024, 12, 31));
    t.post();
    EXPECT_EQ(stored("t.dbf", 1, 25, 9), QByteArray("T20241231"));
    t.edit();
    t.setValue("OK", false);
    t.setValue("DAY", QVariant());
    t.post();
    EXPECT_EQ(stored("t.dbf", 1, 25, 9), QByteArray("F        "));
}

TEST_F(Tables, WritingOutsideEditFailsAndClosedTablesRefuse)
{
    DbfTable t;
    EXPECT_EQ(errorOf([&] { t.open(); }), "Table name missing");
    t.setTableName(path("missing"));
    EXPECT_EQ(errorOf([&] { t.open(); }), "Cannot find file " + path("missing") + ".DBF");
    EXPECT_FALSE(t.active());
    EXPECT_EQ(errorOf([&] { t.first(); }), "Cannot perform this operation on a closed dataset");
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    EXPECT_EQ(errorOf([&] { t.setValue("QTY", 5); }), "Dataset not in edit or insert mode");
    EXPECT_EQ(errorOf([&] { t.value("NOPE"); }), "Field 'NOPE' not found");
    EXPECT_EQ(t.findField("nope"), nullptr);
    EXPECT_EQ(t.fieldByName("qty")->name(), "QTY") << "names match in any case";
}

TEST_F(Tables, AcceptedVersionBytes)
{
    for (int v : {0x03, 0x30, 0x83, 0x8B, 0xF5, 0x02, 0x04, 0x31}) {
        const bool ok = v == 0x03 || v == 0x30 || v == 0x83 || v == 0x8B || v == 0xF5;
        writeFile("v.dbf", tableBytes({fieldDescriptor("A", 'C', 2)}, {" hi"}, quint8(v), v == 0x30 ? 263 : 0));
        DbfTable t;
        t.setTableName(path("v.dbf"));
        const QString err = errorOf([&] { t.open(); });
        if (ok) {
            EXPECT_TRUE(err.isEmpty()) << v;
            EXPECT_EQ(t.value("A").toString(), "hi") << v;
        } else {
            EXPECT_EQ(err, "dBase DBF file header invalid") << v;
            EXPECT_FALSE(t.active());
        }
    }
}

TEST_F(Tables, VersionThirtyWithoutTerminatorUsesItsBlock)
{
    QByteArray bytes = tableBytes({fieldDescriptor("A", 'C', 2)}, {" hi"}, 0x30, 263);
    bytes[64] = 'Z'; // no terminator: the field count comes from the header length alone
    writeFile("v30.dbf", bytes);
    DbfTable t;
    openTable(t, "v30.dbf");
    EXPECT_EQ(t.fieldCount(), 1);
    EXPECT_EQ(t.value("A").toString(), "hi");
}

TEST_F(Tables, MalformedHeadersAreRefused)
{
    const QByteArray good = tableBytes({fieldDescriptor("A", 'C', 2)}, {" hi"});
    auto variant = [&](int at, char value) {
        QByteArray b = good;
        b[at] = value;
        return b;
    };
    const std::vector<QByteArray> bad = {
        good.left(20),             // shorter than a header
        variant(8, 20),            // header length below 33
        variant(9, 0x7f),          // header length beyond the file
        variant(10, 0),            // record length 0
        variant(10, 2),            // record shorter than its fields
        variant(15, 1),            // enciphered
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        writeFile("bad.dbf", bad[i]);
        DbfTable t;
        t.setTableName(path("bad.dbf"));
        const QString err = errorOf([&] { t.open(); });
        EXPECT_FALSE(err.isEmpty()) << i;
        EXPECT_FALSE(t.active()) << i;
    }
    writeFile("bad.dbf", variant(10, 2));
    DbfTable t;
    t.setTableName(path("bad.dbf"));
    EXPECT_EQ(errorOf([&] { t.open(); }), "dBase DBF file header invalid");
}

TEST_F(Tables, DeclaredFieldsBindByFamily)
{
    DbfTable t;
    t.setTableName(path("t.dbf"));
    t.setFieldDefs({{"qty", FieldKind::Integer}, {"price", FieldKind::Float}, {"name", FieldKind::String, 3},
                    {"ok", FieldKind::Boolean}, {"day", FieldKind::DateTime}, {"total", FieldKind::Float, 0, true}});
    t.setFieldCalculator([](DbfTable &tb) {
        tb.setValue("total", tb.value("qty").toInt() * tb.value("price").toDouble());
    });
    t.open();
    t.append();
    t.setValue("name", "abcdef");
    t.setValue("qty", 3);
    EXPECT_EQ(t.value("total").toDouble(), 0.0);
    t.setValue("price", 2.5);
    EXPECT_EQ(t.value("total").toDouble(), 7.5) << "recomputed as soon as a field changes";
    t.post();
    EXPECT_EQ(t.value("name").toString(), "abc") << "declared size cuts the text";
    EXPECT_EQ(t.fieldCount(), 6);
    EXPECT_TRUE(t.fieldByName("total")->isCalculated());
    EXPECT_EQ(errorOf([&] { t.setValue("total", 1); }), "Field 'total' cannot be modified");
    t.close();

    DbfTable missing;
    missing.setTableName(path("t.dbf"));
    missing.setFieldDefs({{"QTY", FieldKind::SmallInt}, {"KL_DATA", FieldKind::String, 60}});
    EXPECT_EQ(errorOf([&] { missing.open(); }), "Field 'KL_DATA' not found");
    EXPECT_FALSE(missing.active());

    DbfTable mismatch;
    mismatch.setTableName(path("t.dbf"));
    mismatch.setFieldDefs({{"PRICE", FieldKind::Integer}});
    EXPECT_EQ(errorOf([&] { mismatch.open(); }), "Type mismatch for field 'PRICE', expecting: Integer actual: Float");
    mismatch.setFieldDefs({{"QTY", FieldKind::Float}});
    EXPECT_EQ(errorOf([&] { mismatch.open(); }), "Type mismatch for field 'QTY', expecting: Float actual: SmallInt");
    mismatch.setFieldDefs({{"OK", FieldKind::String}});
    EXPECT_EQ(errorOf([&] { mismatch.open(); }), "Type mismatch for field 'OK', expecting: String actual: Boolean");
}

TEST_F(Tables, SmallIntegerAcceptsTenDigitsAndFloatNeedsElevenOrDecimals)
{
    writeFile("w.dbf", tableBytes({fieldDescriptor("A", 'N', 10), fieldDescriptor("B", 'N', 11)},
                                  {QByteArray(" ") + "   1234567" + "         42"}));
    DbfTable t;
    t.setTableName(path("w.dbf"));
    t.setFieldDefs({{"A", FieldKind::SmallInt}, {"B", FieldKind::Float}});
    t.open();
    EXPECT_EQ(t.value("A").toInt(), 1234567);
    EXPECT_EQ(t.value("B").toDouble(), 42.0);
    t.close();
    t.setFieldDefs({{"B", FieldKind::Integer}});
    EXPECT_EQ(errorOf([&] { t.open(); }), "Type mismatch for field 'B', expecting: Integer actual: Float");
}

TEST_F(Tables, DeclaredFieldsSurviveReopeningOnAnotherFile)
{
    DbfTable::create(path("u.dbf"), {{"QTY", 'N', 6}, {"NAME", 'C', 4}});
    DbfTable t;
    t.setFieldDefs({{"NAME", FieldKind::String, 4}, {"QTY", FieldKind::Integer}});
    DbfField *qty = t.fieldByName("QTY");
    openTable(t, "t.dbf");
    t.close();
    openTable(t, "u.dbf");
    EXPECT_EQ(t.fieldByName("QTY"), qty);
    EXPECT_EQ(qty->length(), 6);
    EXPECT_EQ(qty->offset(), 0);
}

TEST_F(Tables, HooksRunAtOpenAndClose)
{
    std::vector<QString> calls;
    DbfTable t;
    auto opened = QObject::connect(&t, &DbfTable::opened,
                                   [&] { calls.push_back("open:" + QString::number(t.recNo())); });
    auto closing = QObject::connect(&t, &DbfTable::aboutToClose, [&] {
        calls.push_back(QStringLiteral("close:") + (t.active() ? "active" : "closed"));
        t.edit();
        t.setValue("QTY", 9);
        t.post();
    });
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    t.close();
    openTable(t, "t.dbf");
    EXPECT_EQ(t.value("QTY").toInt(), 9) << "what the before-close step writes is kept";
    QObject::disconnect(opened);
    QObject::disconnect(closing);
    QObject::connect(&t, &DbfTable::opened, [] { throw DbfError(DbfError::Kind::Other, "broken"); });
    t.close();
    EXPECT_EQ(errorOf([&] { openTable(t, "t.dbf"); }), "broken");
    EXPECT_FALSE(t.active()) << "an error in the after-open step makes the open fail";
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], "open:0");
    EXPECT_EQ(calls[1], "close:active");
    EXPECT_EQ(calls[2], "open:1");
}

TEST_F(Tables, MovingPostsChangesAndCancelsUnchangedEdits)
{
    DbfTable t;
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    addRow(t, "b", 2);
    t.first();
    t.edit();
    t.setValue("QTY", 5);
    t.next();
    EXPECT_EQ(t.state(), DbfTable::State::Browse);
    EXPECT_EQ(stored("t.dbf", 1, 10, 3), QByteArray("  5"));
    DbfTable::setClock([] { return QDateTime(QDate(2030, 1, 2), QTime(1, 1)); });
    t.edit();
    t.first();
    EXPECT_EQ(readFile("t.dbf")[1], 25) << "an unchanged edit writes nothing";
    t.edit();
    t.setValue("QTY", 7);
    t.cancel();
    EXPECT_EQ(t.value("QTY").toInt(), 5);
    EXPECT_EQ(stored("t.dbf", 1, 10, 3), QByteArray("  5"));
}

TEST_F(Tables, EditOnAnEmptyTableAppends)
{
    DbfTable t;
    openTable(t, "t.dbf");
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.isEmpty());
    t.edit();
    EXPECT_EQ(t.state(), DbfTable::State::Insert);
    t.setValue("NAME", "first");
    t.first();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.value("NAME").toString(), "first");
}

TEST_F(Tables, DeletedRecordsAreHiddenButLocatable)
{
    DbfTable t;
    openTable(t, "t.dbf");
    for (int i = 1; i <= 4; ++i)
        addRow(t, QString("r%1").arg(i), i);
    t.first();
    t.next(); // r2
    t.deleteRecord();
    EXPECT_EQ(t.value("NAME").toString(), "r3") << "moves to the next record";
    t.last();
    t.deleteRecord();
    EXPECT_EQ(t.value("NAME").toString(), "r3") << "or to the previous one when there is none";
    std::vector<QString> seen;
    for (t.first(); !t.eof(); t.next())
        seen.push_back(t.value("NAME").toString());
    EXPECT_EQ(seen, (std::vector<QString>{"r1", "r3"}));
    t.last();
    EXPECT_EQ(t.value("NAME").toString(), "r3");
    EXPECT_EQ(t.recordCount(), 4) << "records are never removed";
    ASSERT_TRUE(t.locate("NAME", "R2"));
    EXPECT_TRUE(t.isDeleted());
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_EQ(stored("t.dbf", 2, -1, 1), QByteArray("*"));
}

TEST_F(Tables, DeletingWithoutARecordFails)
{
    DbfTable t;
    openTable(t, "t.dbf");
    EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), "Cannot delete the record");
    addRow(t, "only", 1);
    t.deleteRecord();
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), "Cannot delete the record");
    t.append();
    t.setValue("NAME", "dropped");
    t.deleteRecord(); // a record being inserted is just dropped
    EXPECT_EQ(t.state(), DbfTable::State::Browse);
    EXPECT_EQ(t.recordCount(), 1);
}

TEST_F(Tables, LocateRules)
{
    DbfTable t;
    openTable(t, "t.dbf");
    EXPECT_FALSE(t.locate("NAME", "x")) << "an empty file finds nothing";
    addRow(t, "Мясне", 10);
    addRow(t, "Овочi", 20);
    addRow(t, "ёжик", 30);
    t.edit();
    t.setValue("OK", true);
    t.setValue("PRICE", 2.5);
    t.post();
    t.first();
    EXPECT_TRUE(t.locate("name", "МЯСНЕ"));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_TRUE(t.locate("NAME", "ЁЖИК")) << "upper case of Cyrillic letters beyond а…я too";
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_FALSE(t.locate("NAME", "Овочі")) << "a Cyrillic і is not the stored Latin i";
    EXPECT_EQ(t.recNo(), 3) << "a failed Locate keeps the record";
    EXPECT_TRUE(t.locate("NAME", "овочi"));
    EXPECT_FALSE(t.locate("NAME", "Мясн"));
    EXPECT_FALSE(t.locate("NAME", "мясне", false));
    EXPECT_TRUE(t.locate("NAME", "Мясне", false));
    EXPECT_TRUE(t.locate("QTY", 20));
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_TRUE(t.locate("QTY", "30"));
    EXPECT_FALSE(t.locate("QTY", "30.0")) << "four characters do not fit a field of three";
    EXPECT_FALSE(t.locate("QTY", "abc")) << "a value that is not a number matches nothing";
    EXPECT_FALSE(t.locate("QTY", "0020")) << "a field narrower than the value";
    EXPECT_TRUE(t.locate("PRICE", 2.5));
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_TRUE(t.locate("OK", "Y"));
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_TRUE(t.locate("OK", "n"));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(errorOf([&] { t.locate("NOPE", 1); }), "Field 'NOPE' not found");
}

TEST_F(Tables, LocatePostsAPendingEdit)
{
    DbfTable t;
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    addRow(t, "b", 2);
    t.edit();
    t.setValue("QTY", 22);
    EXPECT_TRUE(t.locate("NAME", "a"));
    EXPECT_EQ(stored("t.dbf", 2, 10, 3), QByteArray(" 22"));
}

TEST_F(Tables, DataSourcesHearRecordAndFieldChanges)
{
    DbfTable t;
    DataSource ds(&t);
    std::vector<QString> heard;
    QObject::connect(&ds, &DataSource::dataChanged,
                     [&](DbfField *f) { heard.push_back(f ? f->name() : QStringLiteral("*")); });
    openTable(t, "t.dbf");
    addRow(t, "a", 1);
    heard.clear();
    t.edit();
    t.setValue("QTY", 4);
    t.post();
    EXPECT_EQ(heard.front(), "*");
    EXPECT_NE(std::find(heard.begin(), heard.end(), "QTY"), heard.end());
    EXPECT_EQ(heard.back(), "*");
}

// A window that listened and is gone must not be reached by the tables it listened to.
TEST_F(Tables, ADestroyedReceiverIsNotCalledAnyMore)
{
    struct Listener : QObject {
        int heard = 0;
    };
    DbfTable t;
    DataSource ds(&t);
    int calls = 0;
    auto window = std::make_unique<Listener>();
    auto hear = [w = window.get(), &calls] { ++w->heard, ++calls; };
    QObject::connect(&ds, &DataSource::dataChanged, window.get(), hear);
    QObject::connect(&t, &DbfTable::opened, window.get(), hear);
    QObject::connect(&t, &DbfTable::aboutToClose, window.get(), hear);
    openTable(t, "t.dbf");
    ASSERT_GT(calls, 0);
    window.reset();
    const int before = calls;
    addRow(t, "a", 1);
    t.close();
    openTable(t, "t.dbf");
    EXPECT_EQ(calls, before);
}

TEST_F(Tables, ReadOnlyTablesRefuseChanges)
{
    DbfTable t;
    t.setReadOnly(true);
    openTable(t, "t.dbf");
    EXPECT_EQ(errorOf([&] { t.edit(); }), "Cannot modify a read-only dataset");
    EXPECT_EQ(errorOf([&] { t.append(); }), "Cannot modify a read-only dataset");
}

// ---------------------------------------------------------------- between processes

namespace {

// Runs `child` in a forked process; returns its exit status.
int inChild(const std::function<int()> &child)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

} // namespace

TEST_F(Tables, ASecondProcessCannotEditALockedRecord)
{
    {
        DbfTable t;
        openTable(t, "t.dbf");
        addRow(t, "a", 1);
        addRow(t, "b", 2);
    }
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        char c = 0;
        DbfTable t;
        openTable(t, "t.dbf");
        t.edit();
        t.setValue("QTY", 77);
        {
            // Closing another descriptor of the same file must not drop the lock.
            DbfTable other;
            openTable(other, "t.dbf");
            other.close();
        }
        if (write(toParent[1], "L", 1) != 1 || read(toChild[0], &c, 1) != 1)
            _exit(2);
        t.post();
        if (write(toParent[1], "P", 1) != 1 || read(toChild[0], &c, 1) != 1)
            _exit(3);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    DbfTable t;
    openTable(t, "t.dbf");
    EXPECT_EQ(errorOf([&] { t.edit(); }), "Record is locked by another user");
    EXPECT_EQ(t.state(), DbfTable::State::Browse);
    t.next();
    EXPECT_TRUE(errorOf([&] { t.edit(); }).isEmpty()) << "other records stay free";
    t.cancel();
    t.append();
    t.setValue("NAME", "c");
    t.post();
    ASSERT_EQ(write(toChild[1], "go", 1), 1);
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    t.first();
    t.edit();
    EXPECT_EQ(t.value("QTY").toInt(), 77) << "Edit re-reads the record the other process posted";
    t.cancel();
    ASSERT_EQ(write(toChild[1], "x", 1), 1);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(t.recordCount(), 3);
}

TEST_F(Tables, AFailedWriteLeavesTheFileAsItWas)
{
    {
        DbfTable t;
        openTable(t, "t.dbf");
        addRow(t, "kept", 1);
    }
    const QByteArray before = readFile("t.dbf");
    const int status = inChild([&] {
        struct rlimit lim {};
        lim.rlim_cur = lim.rlim_max = rlim_t(before.size());
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0)
            return 10;
        DbfTable t;
        openTable(t, "t.dbf");
        t.append();
        t.setValue("NAME", "lost");
        try {
            t.post();
        } catch (const DbfError &e) {
            if (e.kind() != DbfError::Kind::WriteFailed)
                return 11;
            if (t.state() != DbfTable::State::Insert || t.value("NAME").toString() != "lost")
                return 12; // the user's input must survive to be saved elsewhere
            return 0;
        }
        return 13;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile("t.dbf"), before);
}
