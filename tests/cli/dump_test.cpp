// kvor-cli dump, run as a separate process on tables built here.

#include "clirun.h"
#include "storage/dbftable.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

// QProcess wants an application object; gtest_main does not make one.
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "kvor_cli_tests";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] const auto *const appEnvironment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

using test::CliResult;
using test::runCli;

const char *const productsHeader =
    R"({"fields":[)"
    R"({"name":"NAME","type":"C","length":20,"decimals":0},)"
    R"({"name":"TIP","type":"C","length":10,"decimals":0},)"
    R"({"name":"QTY","type":"N","length":5,"decimals":0},)"
    R"({"name":"PRICE","type":"N","length":8,"decimals":2},)"
    R"({"name":"OK","type":"L","length":1,"decimals":0},)"
    R"({"name":"DAT","type":"D","length":8,"decimals":0},)"
    R"({"name":"NOTE","type":"C","length":300,"decimals":0}],"records":4})";

const char *const productsRecords[] = {
    R"({"_rec":1,"_deleted":false,"NAME":"Мясне","TIP":"A","QTY":12,"PRICE":-12.5,"OK":true,"DAT":"2025-05-01","NOTE":null})",
    R"({"_rec":2,"_deleted":true,"NAME":"gone","TIP":"A","QTY":0,"PRICE":0,"OK":false,"DAT":null,"NOTE":null})",
    R"({"_rec":3,"_deleted":false,"NAME":null,"TIP":"B","QTY":-7,"PRICE":1234.5,"OK":false,"DAT":null,"NOTE":"a\"b\\c\u0009d"})",
    R"({"_rec":4,"_deleted":false,"NAME":"Овочi","TIP":"A","QTY":9999,"PRICE":0.13,"OK":true,"DAT":"1999-12-31","NOTE":"x"})",
};

class DumpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("prod.dbf"));
    }

    // Four records; the second is deleted, the third has a blank name and date.
    void makeProducts()
    {
        DbfTable::create(m_path, {
                                     {QStringLiteral("NAME"), 'C', 20, 0},
                                     {QStringLiteral("TIP"), 'C', 10, 0},
                                     {QStringLiteral("QTY"), 'N', 5, 0},
                                     {QStringLiteral("PRICE"), 'N', 8, 2},
                                     {QStringLiteral("OK"), 'L', 1, 0},
                                     {QStringLiteral("DAT"), 'D', 8, 0},
                                     {QStringLiteral("NOTE"), 'C', 300, 0},
                                 });
        DbfTable t;
        t.setTableName(m_path);
        t.open();

        t.append();
        t.setValue(QStringLiteral("NAME"), QStringLiteral("Мясне"));
        t.setValue(QStringLiteral("TIP"), QStringLiteral("A"));
        t.setValue(QStringLiteral("QTY"), 12);
        t.setValue(QStringLiteral("PRICE"), -12.5);
        t.setValue(QStringLiteral("OK"), true);
        t.setValue(QStringLiteral("DAT"), QDate(2025, 5, 1));
        t.post();

        t.append();
        t.setValue(QStringLiteral("NAME"), QStringLiteral("gone"));
        t.setValue(QStringLiteral("TIP"), QStringLiteral("A"));
        t.post();
        t.deleteRecord();

        t.append();
        t.setValue(QStringLiteral("TIP"), QStringLiteral("B"));
        t.setValue(QStringLiteral("QTY"), -7);
        t.setValue(QStringLiteral("PRICE"), 1234.5);
        t.setValue(QStringLiteral("OK"), false);
        t.setValue(QStringLiteral("NOTE"), QStringLiteral("a\"b\\c\td"));
        t.post();

        t.append();
        // The Ukrainian і is not in the file's code page and comes back Latin.
        t.setValue(QStringLiteral("NAME"), QStringLiteral("Овочі"));
        t.setValue(QStringLiteral("TIP"), QStringLiteral("A"));
        t.setValue(QStringLiteral("QTY"), 9999);
        t.setValue(QStringLiteral("PRICE"), 0.125);
        t.setValue(QStringLiteral("OK"), true);
        t.setValue(QStringLiteral("DAT"), QDate(1999, 12, 31));
        t.setValue(QStringLiteral("NOTE"), QStringLiteral("x"));
        t.post();
        t.close();
    }

    // Overwrites bytes of the file at an absolute offset.
    void patch(qint64 offset, const QByteArray &bytes)
    {
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(offset));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // Offset of a field's bytes in record k (1-based); the field offset counts
    // from the byte after the deletion mark.
    qint64 fieldOffset(qint64 k, const QString &name)
    {
        DbfTable t;
        t.setTableName(m_path);
        t.open();
        const qint64 at = t.headerLength() + t.recordLength() * (k - 1) + 1 + t.fieldByName(name)->offset();
        t.close();
        return at;
    }

    static QByteArray lines(std::initializer_list<const char *> items)
    {
        QByteArray text;
        for (const char *line : items) {
            text += line;
            text += '\n';
        }
        return text;
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(DumpTest, DumpsEveryRecordInFileOrder)
{
    makeProducts();
    const CliResult r = runCli({QStringLiteral("dump"), m_path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(r.out, lines({productsHeader, productsRecords[0], productsRecords[1], productsRecords[2],
                            productsRecords[3]}));
}

TEST_F(DumpTest, TrailingEndOfFileByteChangesNothing)
{
    makeProducts();
    const CliResult before = runCli({QStringLiteral("dump"), m_path});
    ASSERT_EQ(before.status, 0) << before.err.toStdString();
    {
        QFile f(m_path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_EQ(f.write("\x1a", 1), 1);
    }
    const CliResult after = runCli({QStringLiteral("dump"), m_path});
    EXPECT_EQ(after.status, 0) << after.err.toStdString();
    EXPECT_EQ(after.out, before.out);
}

TEST_F(DumpTest, ValuesAreReadAsTheTableReadsThem)
{
    makeProducts();
    // Integer fields round halves to even; a float field's text keeps its
    // digits; a blank numeric field is 0; a zero date and an all-blank text are null.
    patch(fieldOffset(1, QStringLiteral("QTY")), "  2.5");
    patch(fieldOffset(3, QStringLiteral("QTY")), "  3.5");
    patch(fieldOffset(1, QStringLiteral("PRICE")), "    -0.1");
    patch(fieldOffset(4, QStringLiteral("PRICE")), "        ");
    patch(fieldOffset(4, QStringLiteral("DAT")), "00000000");
    patch(fieldOffset(4, QStringLiteral("OK")), "y");
    patch(fieldOffset(1, QStringLiteral("NAME")), QByteArray("ab\x01\x1f", 4) + QByteArray(16, ' '));
    const CliResult r = runCli({QStringLiteral("dump"), m_path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QList<QByteArray> got = r.out.split('\n');
    ASSERT_EQ(got.size(), 6);
    EXPECT_EQ(got[1],
              R"({"_rec":1,"_deleted":false,"NAME":"ab","TIP":"A","QTY":2,"PRICE":-0.1,"OK":true,"DAT":"2025-05-01","NOTE":null})");
    EXPECT_EQ(got[3],
              R"({"_rec":3,"_deleted":false,"NAME":null,"TIP":"B","QTY":4,"PRICE":1234.5,"OK":false,"DAT":null,"NOTE":"a\"b\\c\u0009d"})");
    EXPECT_EQ(got[4],
              R"({"_rec":4,"_deleted":false,"NAME":"Овочi","TIP":"A","QTY":9999,"PRICE":0,"OK":true,"DAT":null,"NOTE":"x"})");
}

TEST_F(DumpTest, FilterShowsOnlyVisibleMatchingRecords)
{
    makeProducts();
    // The deleted record matches the text but stays hidden.
    CliResult r = runCli({QStringLiteral("dump"), m_path, QStringLiteral("--filter"), QStringLiteral("TIP='A'")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, lines({productsHeader, productsRecords[0], productsRecords[3]}));

    r = runCli({QStringLiteral("dump"), QStringLiteral("--filter"), QStringLiteral("QTY >= -7 and PRICE < 0"), m_path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, lines({productsHeader, productsRecords[0]}));

    // Text comparison is case-sensitive and works on the decoded Cyrillic.
    r = runCli({QStringLiteral("dump"), m_path, QStringLiteral("--filter"), QStringLiteral("NAME='мясне'")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, lines({productsHeader}));
    r = runCli({QStringLiteral("dump"), m_path, QStringLiteral("--filter"), QStringLiteral("NAME='Мясне'")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, lines({productsHeader, productsRecords[0]}));
}

TEST_F(DumpTest, EmptyTableHasOnlyTheHeaderLine)
{
    DbfTable::create(m_path, {{QStringLiteral("Q25"), 'N', 10, 3}, {QStringLiteral("FLAG"), 'L', 1, 0}});
    const CliResult r = runCli({QStringLiteral("dump"), m_path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray(R"({"fields":[{"name":"Q25","type":"N","length":10,"decimals":3},)"
                                R"({"name":"FLAG","type":"L","length":1,"decimals":0}],"records":0})"
                                "\n"));
}

// Every failure: the message on stderr, status 1 and nothing at all on stdout.
TEST_F(DumpTest, ErrorsLeaveStdoutEmpty)
{
    const QString missing = m_dir.filePath(QStringLiteral("nope.dbf"));
    CliResult r = runCli({QStringLiteral("dump"), missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(r.err).trimmed(), QStringLiteral("Cannot find file ") + missing);

    makeProducts();
    // Records 1 and 2 would dump fine; the bad number in record 3 still
    // suppresses all output.
    patch(fieldOffset(3, QStringLiteral("PRICE")), "  12x.5 ");
    r = runCli({QStringLiteral("dump"), m_path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.startsWith("Invalid number in field ")) << r.err.toStdString();

    patch(fieldOffset(3, QStringLiteral("PRICE")), " 1234.50");
    r = runCli({QStringLiteral("dump"), m_path, QStringLiteral("--filter"), QStringLiteral("NOPE = 1")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err).trimmed(), QStringLiteral("Field/variable NOPE is unknown"));

    r = runCli({QStringLiteral("dump"), m_path, QStringLiteral("--filter"), QStringLiteral("TIP = 1")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err).trimmed(), QStringLiteral("The two sides of an operation do not match"));

    patch(0, "\x02");
    r = runCli({QStringLiteral("dump"), m_path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err).trimmed(), QStringLiteral("dBase DBF file header invalid"));
}

TEST_F(DumpTest, BadArgumentsPrintUsage)
{
    makeProducts();
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("dump")},
        {QStringLiteral("dump"), m_path, QStringLiteral("--filter")},
        {QStringLiteral("dump"), m_path, m_path},
        {QStringLiteral("dump"), m_path, QStringLiteral("--bogus")},
        {QStringLiteral("nosuchcommand"), m_path},
    };
    for (const QStringList &args : cases) {
        const CliResult r = runCli(args);
        const std::string what = args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.status, 1) << what;
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_TRUE(r.err.contains("usage: kvor-cli")) << what << ": " << r.err.toStdString();
    }
}

} // namespace
