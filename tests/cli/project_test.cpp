// kvor-cli project, run as a separate process on a small project built here:
// a covered chamber, one without a system, one whose system falls short, and
// a missing, a damaged and a locked one.

#include "clirun.h"
#include "storage/dbftable.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>
#include <map>

using namespace kvor;

namespace {

const QString kData = QStringLiteral(KVOR_DATA_DIR);
const char *const kGains[] = {"walls", "ventilation", "infiltration", "product", "respiration",
                              "lighting", "personnel", "vehicles", "fans"};

QJsonObject parse(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << bytes.toStdString();
    return doc.object();
}

int templateTemperature()
{
    DbfTable t;
    t.setTableName(kData + "/kvor.dbf");
    t.setReadOnly(true);
    t.open();
    t.first();
    const int temperature = t.fieldByName("OB_TEMKAM")->asInteger();
    t.close();
    return temperature;
}

class ProjectCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("chambers"));
    }
    void TearDown() override
    {
        if (m_lock >= 0)
            ::close(m_lock);
    }

    QString chamber(const QString &name, const std::function<void(DbfTable &)> &change = {})
    {
        return test::templateCalculation(m_dir.filePath("chambers/" + name), change);
    }

    // What every file of the folder holds and when it was written.
    std::map<QString, std::pair<QByteArray, QDateTime>> snapshot() const
    {
        std::map<QString, std::pair<QByteArray, QDateTime>> files;
        for (const char *rel : {"store.kvorproj", "chambers/ok.kvor", "chambers/none.kvor", "chambers/short.kvor",
                                   "chambers/damaged.kvor", "chambers/locked.kvor"}) {
            QFile f(m_dir.filePath(rel));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << rel;
            files[rel] = {QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256),
                          QFileInfo(f).lastModified()};
        }
        return files;
    }

    QTemporaryDir m_dir;
    int m_lock = -1;
};

TEST_F(ProjectCommandTest, ChambersStatusesFiguresAndTotals)
{
    // A system the catalogue lists for this chamber, at least the requirement.
    const QString ok = chamber("ok.kvor");
    const test::CliResult listed = test::runCli({"select", ok, "--data", kData, "--int1", "100", "--json"});
    ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
    const QJsonArray systems = parse(listed.out).value("systems").toArray();
    ASSERT_FALSE(systems.isEmpty()) << listed.out.toStdString();
    const QJsonObject system = systems.first().toObject();
    const QString code = system.value("SIS").toString().trimmed();
    const int capacity = system.value("Q").toInt();
    auto adopt = [&](int watts) {
        return [=](DbfTable &t) {
            t.setValue("SIS", code);
            t.setValue("PROIZSYS", watts);
            t.setValue("KOLSYS", 1);
        };
    };
    chamber("none.kvor");
    QFile::remove(ok);
    chamber("ok.kvor", adopt(capacity));
    chamber("short.kvor", adopt(1));
    const QString damaged = chamber("damaged.kvor");
    ASSERT_TRUE(QFile::resize(damaged, 100));
    const QString locked = chamber("locked.kvor");
    m_lock = ::open(QFile::encodeName(locked).constData(), O_RDONLY);
    ASSERT_EQ(::flock(m_lock, LOCK_EX | LOCK_NB), 0);

    const QString project = m_dir.filePath("store.kvorproj");
    QFile f(project);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "kvor-project", "version": 1, "name": "Склад №2", "client": "ТОВ Холод",
                "chambers": [{"file": "chambers/ok.kvor"}, {"file": "chambers/none.kvor"},
                             {"file": "chambers/missing.kvor"}, {"file": "chambers/damaged.kvor"},
                             {"file": "chambers/locked.kvor"}, {"file": "chambers/short.kvor"}]})");
    f.close();
    const auto before = snapshot();

    const test::CliResult r = test::runCli({"project", project, "--data", kData, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = parse(r.out);
    EXPECT_EQ(o.keys(), QStringList({"chambers", "file", "name", "totals"}));
    EXPECT_EQ(o.value("file").toString(), project);
    EXPECT_EQ(o.value("name").toString(), "Склад №2");
    const QJsonArray chambers = o.value("chambers").toArray();
    ASSERT_EQ(chambers.size(), 6) << r.out.toStdString();
    const char *const files[] = {"ok", "none", "missing", "damaged", "locked", "short"};
    const char *const statuses[] = {"ok", "no-system", "missing", "damaged", "locked", "not-covered"};
    double required = 0;
    for (int i = 0; i < 6; ++i) {
        const QJsonObject c = chambers[i].toObject();
        SCOPED_TRACE(files[i]);
        EXPECT_EQ(c.keys(), QStringList({"file", "gains", "mode", "required", "status", "system", "temperature",
                                         "volume"}));
        EXPECT_EQ(c.value("file").toString(), QStringLiteral("chambers/%1.kvor").arg(files[i]));
        EXPECT_EQ(c.value("status").toString(), statuses[i]);
        const QJsonObject gains = c.value("gains").toObject();
        EXPECT_EQ(gains.size(), 9);
        if (i >= 2 && i <= 4) {
            for (const char *key : {"volume", "temperature", "mode", "required", "system"})
                EXPECT_TRUE(c.value(key).isNull()) << key;
            for (const char *gain : kGains)
                EXPECT_TRUE(gains.value(gain).isNull()) << gain;
            continue;
        }
        // The chamber's own figures are what balance gives for its file.
        const test::CliResult own =
            test::runCli({"balance", m_dir.filePath(c.value("file").toString()), "--data", kData, "--json"});
        ASSERT_EQ(own.status, 0) << own.err.toStdString();
        const QJsonObject b = parse(own.out);
        EXPECT_EQ(c.value("required"), b.value("required"));
        EXPECT_GT(c.value("required").toDouble(), 0);
        for (const char *gain : kGains)
            EXPECT_EQ(gains.value(gain), b.value("gains").toObject().value(gain)) << gain;
        EXPECT_EQ(c.value("mode"), b.value("mode"));
        EXPECT_EQ(c.value("temperature").toInt(), templateTemperature());
        EXPECT_GT(c.value("volume").toDouble(), 0);
        required += c.value("required").toDouble();
        if (i == 1) {
            EXPECT_TRUE(c.value("system").isNull());
            continue;
        }
        const QJsonObject s = c.value("system").toObject();
        EXPECT_EQ(s.keys(), QStringList({"PROIZSYS", "SIS", "power"}));
        EXPECT_EQ(s.value("SIS").toString(), code);
        EXPECT_EQ(s.value("PROIZSYS").toDouble(), i == 0 ? capacity : 1);
        EXPECT_DOUBLE_EQ(s.value("power").toDouble(), system.value("PPOT").toDouble());
    }
    const QJsonObject totals = o.value("totals").toObject();
    EXPECT_EQ(totals.keys(), QStringList({"current", "left_out", "power", "required", "systems"}));
    EXPECT_NEAR(totals.value("required").toDouble(), required, 0.015);
    EXPECT_EQ(totals.value("systems").toInt(), 2);
    EXPECT_NEAR(totals.value("power").toDouble(), 2 * system.value("PPOT").toDouble(), 0.005);
    EXPECT_NEAR(totals.value("current").toDouble(), 2 * system.value("IPOT").toDouble(), 0.005);
    EXPECT_EQ(totals.value("left_out").toInt(), 3);
    // Why the three have no figures, each told once.
    for (const char *name : {"missing", "damaged", "locked"})
        EXPECT_EQ(r.err.count(QByteArray(name) + ".kvor: "), 1) << name << ": " << r.err.toStdString();

    // The readable table says as much.
    const test::CliResult text = test::runCli({"project", project, "--data", kData});
    EXPECT_EQ(text.status, 0);
    const QString table = QString::fromUtf8(text.out);
    EXPECT_TRUE(table.contains("Камера: chambers/short.kvor\n  Стан: Системи не вистачає\n")) << text.out.toStdString();
    EXPECT_TRUE(table.contains("Файл зайнятий іншою програмою"));
    EXPECT_TRUE(table.contains(QRegularExpression("Камер поза підсумком\\s+3\n")));

    // The CSV: byte-order mark, ';' between fields, the locale's decimal point.
    const QString okRequired = QString::number(chambers[0].toObject().value("required").toDouble(), 'f', 2);
    for (const auto &[locale, point] : {std::pair{"uk_UA.UTF-8", ","}, std::pair{"C", "."}}) {
        SCOPED_TRACE(locale);
        const QString csv = m_dir.filePath("store.csv");
        const test::CliResult written =
            test::runCli({"project", project, "--data", kData, "--csv", csv}, {}, {QStringLiteral("LC_ALL=") + locale});
        ASSERT_EQ(written.status, 0) << written.err.toStdString();
        EXPECT_TRUE(written.out.isEmpty());
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        QStringList rows = QString::fromUtf8(bytes.mid(3)).split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
        ASSERT_EQ(rows.size(), 7);
        const QStringList header = rows[0].split(';');
        const int column = header.indexOf("Потрібна холодопродуктивність, кВт");
        ASSERT_GT(column, 0) << rows[0].toStdString();
        const QStringList first = rows[1].split(';');
        ASSERT_EQ(first.size(), header.size()) << rows[1].toStdString();
        EXPECT_EQ(first[0], "ok");
        EXPECT_EQ(first[column], QString(okRequired).replace('.', point));
        EXPECT_EQ(rows[3].split(';')[0], "missing");
    }
    QFile::remove(m_dir.filePath("store.csv"));

    // The report: the summary page, a calculation report for each of the three
    // chambers with figures and one equipment list; nothing for the other three.
    const QString pdf = m_dir.filePath("store.pdf");
    const test::CliResult printed = test::runCli({"project", project, "--data", kData, "--pdf", pdf});
    ASSERT_EQ(printed.status, 0) << printed.err.toStdString();
    auto poppler = [](const QString &tool, const QStringList &args) {
        QProcess p;
        p.start(tool, args);
        EXPECT_TRUE(p.waitForFinished(60000)) << tool.toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    EXPECT_TRUE(poppler("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+5\n")))
        << poppler("pdfinfo", {pdf}).toStdString();
    const QString summary = poppler("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
    for (const QString &word : {QStringLiteral("Склад №2"), QStringLiteral("ТОВ Холод"), QStringLiteral("short")})
        EXPECT_TRUE(summary.contains(word)) << word.toStdString() << " in " << summary.toStdString();
    EXPECT_TRUE(poppler("pdftotext", {"-f", "5", "-l", "5", pdf, "-"}).contains(code)) << "the equipment list";
    QFile::remove(pdf);

    EXPECT_EQ(snapshot(), before) << "a file of the project was written";
}

TEST_F(ProjectCommandTest, AProjectThatCannotBeReadIsStatus1)
{
    const QString notJson = m_dir.filePath("not.kvorproj");
    QFile f(notJson);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"kvor-project\", ");
    f.close();
    for (const QString &file : {m_dir.filePath("none.kvorproj"), notJson, chamber("x.kvor")}) {
        const test::CliResult r = test::runCli({"project", file, "--data", kData, "--json"});
        EXPECT_EQ(r.status, 1) << file.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QFileInfo(file).fileName().toUtf8())) << r.err.toStdString();
    }
    const test::CliResult both = test::runCli({"project", notJson, "--json", "--csv", "x.csv"});
    EXPECT_EQ(both.status, 1);
    EXPECT_TRUE(both.err.contains("usage")) << both.err.toStdString();
}

} // namespace
