// kvor-cli balance, run as a separate process on copies of the shipped template
// with the shipped reference tables.

#include "clirun.h"
#include "storage/dbftable.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace kvor;

namespace {

using Outcome = test::CliResult;

Outcome balance(const QStringList &args, const QString &workingDir = QString())
{
    return test::runCli(QStringList{"balance"} + args, workingDir);
}

const QString kData = QStringLiteral(KVOR_DATA_DIR);
const char *const kGains[] = {"walls", "ventilation", "infiltration", "product", "respiration",
                              "lighting", "personnel", "vehicles", "fans"};

class BalanceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The template as a calculation file of the temporary folder, changed by `change`.
    QString calculation(const QString &name, const std::function<void(DbfTable &)> &change = {})
    {
        return test::templateCalculation(m_dir.filePath(name), change);
    }

    static QJsonObject parse(const Outcome &r)
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
        return doc.object();
    }

    static QByteArray digest(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QTemporaryDir m_dir;
};

TEST_F(BalanceTest, JsonHasTheContractsShapeAndTheHeldValues)
{
    const QString file = calculation("plain.kvor");
    const Outcome r = balance({file, "--data", kData, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(r.out.count('\n'), 1) << "exactly one object";

    const QJsonObject o = parse(r);
    EXPECT_EQ(o.keys(), (QStringList{"entries", "error", "file", "gains", "labels", "mode", "required", "sum",
                                     "ventilation_rate"}));
    EXPECT_EQ(o.value("file").toString(), file);
    EXPECT_EQ(o.value("mode").toString(), "Хранение");
    EXPECT_TRUE(o.value("error").isNull());
    const QJsonObject g = o.value("gains").toObject();
    EXPECT_EQ(g.size(), 9);
    double sum = 0;
    for (const char *k : kGains) {
        ASSERT_TRUE(g.value(QLatin1String(k)).isDouble()) << k;
        sum += g.value(QLatin1String(k)).toDouble();
        // Written with exactly two decimals.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\"%1\":-?\\d+\\.\\d\\d[,}]").arg(QLatin1String(k)))
                        .match(QString::fromUtf8(r.out))
                        .hasMatch())
            << k;
    }
    EXPECT_NEAR(o.value("sum").toDouble(), sum, 1e-9) << "the sum of the held values";
    EXPECT_DOUBLE_EQ(o.value("sum").toDouble(), 2.95);
    EXPECT_DOUBLE_EQ(o.value("required").toDouble(), 4.10);
    EXPECT_TRUE(r.out.contains("\"required\":4.10,"));
    EXPECT_NEAR(o.value("ventilation_rate").toDouble(), 70 / std::sqrt(72.0), 1e-8) << "computed, as stored";
    EXPECT_EQ(o.value("entries").toInt(), 2);

    const QJsonObject labels = o.value("labels").toObject();
    QStringList expected{"Label3"};
    for (int n = 70; n <= 88; ++n)
        expected << QStringLiteral("QRLabel%1").arg(n);
    expected << "QRLabel93" << "QRLabel97" << "QRLabel98";
    expected.sort();
    QStringList names = labels.keys();
    names.sort();
    EXPECT_EQ(names, expected);
    EXPECT_EQ(labels.value("QRLabel76").toString(), QString::number(g.value("walls").toDouble(), 'f', 2));
    EXPECT_EQ(labels.value("QRLabel93").toString(), "2.95");
    EXPECT_EQ(labels.value("QRLabel98").toString(), "4.10");
    EXPECT_EQ(labels.value("QRLabel77").toString(), "8.25");
    EXPECT_EQ(labels.value("QRLabel79").toString(), "Ручная");
    EXPECT_EQ(labels.value("Label3").toString(), "2");
    EXPECT_TRUE(r.out.startsWith("{\"file\":"));
    EXPECT_TRUE(QRegularExpression("\"labels\":\\{\"QRLabel70\":.*\"QRLabel98\":\"4.10\"\\}")
                    .match(QString::fromUtf8(r.out))
                    .hasMatch());
}

TEST_F(BalanceTest, TheReadableTableNamesTheGainsAsTheReportDoes)
{
    const QString file = calculation("plain.kvor");
    const Outcome r = balance({file, "--data", kData});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString text = QString::fromUtf8(r.out);
    const QJsonObject g = parse(balance({file, "--data", kData, "--json"})).value("gains").toObject();
    const char *const captions[] = {
        "Теплопритік через стіни Qстін, кВт", "Теплопритік від обємної вентиляції Qвен, кВт",
        "Теплопритік від інфільтрації Qінф, кВт", "Теплопритік від термообрабки Qпрод, кВт",
        "Теплопритік від дихання продуктів Qдих, кВт", "Теплопритік від освітлення Qосв, кВт",
        "Теплопритік від персоналу Qперс, кВт", "Теплопритік від НТЗ Qнтз, кВт",
        "Теплопритік від двигунів вентиляторів Qпо, кВт"};
    for (int i = 0; i < 9; ++i) {
        const QRegularExpression line(QRegularExpression::escape(QString::fromUtf8(captions[i])) + "\\s+"
                                      + QRegularExpression::escape(
                                          QString::number(g.value(QLatin1String(kGains[i])).toDouble(), 'f', 2))
                                      + "\n");
        EXPECT_TRUE(line.match(text).hasMatch()) << captions[i];
    }
    EXPECT_TRUE(QRegularExpression("Сумарний теплопритік, кВт\\s+2\\.95\n").match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(QRegularExpression("Потрібна холодопродуктивність, кВт\\s+4\\.10\n").match(text).hasMatch());
    EXPECT_TRUE(text.contains("Хранение"));
}

TEST_F(BalanceTest, AStoppedRunGivesWhatItReachedAndStatus3)
{
    // No running time: everything up to the vehicles, nothing after.
    const QString file = calculation("stop.kvor", [](DbfTable &t) { t.setValue("OB_TIMEWRK", 0); });
    Outcome r = balance({file, "--data", kData, "--json"});
    ASSERT_EQ(r.status, 3) << r.err.toStdString();
    QJsonObject o = parse(r);
    EXPECT_TRUE(o.value("error").toString().contains("0 год")) << o.value("error").toString().toStdString();
    const QJsonObject g = o.value("gains").toObject();
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(g.value(QLatin1String(kGains[i])).isDouble()) << kGains[i];
    EXPECT_TRUE(g.value("fans").isNull());
    EXPECT_TRUE(g.contains("fans"));
    EXPECT_TRUE(o.value("sum").isNull());
    EXPECT_TRUE(o.value("required").isNull());
    EXPECT_EQ(o.value("entries").toInt(), 2);
    const QJsonObject labels = o.value("labels").toObject();
    EXPECT_TRUE(labels.contains("QRLabel87"));
    EXPECT_FALSE(labels.contains("QRLabel88"));
    EXPECT_FALSE(labels.contains("QRLabel93"));
    EXPECT_FALSE(labels.contains("QRLabel98"));

    // A negative door height: the infiltration and later are not reached.
    const QString cold = calculation("cold.kvor", [](DbfTable &t) { t.setValue("IN_DV", -2); });
    r = balance({cold, "--data", kData, "--json"});
    ASSERT_EQ(r.status, 3);
    o = parse(r);
    EXPECT_TRUE(o.value("gains").toObject().value("ventilation").isDouble());
    EXPECT_TRUE(o.value("gains").toObject().value("infiltration").isNull());
    EXPECT_TRUE(o.value("entries").isNull());
    EXPECT_TRUE(o.value("ventilation_rate").isDouble());
    EXPECT_FALSE(o.value("labels").toObject().contains("Label3"));
    EXPECT_TRUE(r.err.isEmpty()) << "the message is in the object";

    // The readable form marks what was not reached and says why on stderr.
    r = balance({file, "--data", kData});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("0 год"));
    EXPECT_TRUE(QRegularExpression("Потрібна холодопродуктивність, кВт\\s+—\n")
                    .match(QString::fromUtf8(r.out))
                    .hasMatch());
}

TEST_F(BalanceTest, WhatCannotBeOpenedIsStatus1WithAMessage)
{
    Outcome r = balance({m_dir.filePath("missing.kvor"), "--data", kData, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Cannot open file")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("missing.kvor"));

    // A table file that is not a calculation.
    r = balance({kData + "/s_mater.DBF", "--data", kData, "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("not found")) << r.err.toStdString();

    r = balance({m_dir.path(), "--data", kData});
    EXPECT_EQ(r.status, 1) << "a folder";

    r = balance({calculation("x.kvor"), "--data", m_dir.filePath("nodata")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("s_mater.DBF")) << r.err.toStdString();

    for (const QStringList &bad : {QStringList{}, QStringList{"a.kvor", "--data"},
                                   QStringList{"a.kvor", "--frobnicate"}}) {
        r = balance(bad);
        EXPECT_EQ(r.status, 1) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage")) << bad.join(' ').toStdString();
    }
}

TEST_F(BalanceTest, SeveralFilesGiveEachFilesOwnOutputInTheirOrder)
{
    // Different enough that a result carried over from the file before would show.
    const QString a = calculation("a.kvor", [](DbfTable &t) { t.setValue("OB_TERMR", "Охлаждение"); });
    const QString stop = calculation("stop.kvor", [](DbfTable &t) { t.setValue("OB_TIMEWRK", 0); });
    const QString b = calculation("b.kvor", [](DbfTable &t) { t.setValue("OB_KAMDL", 14); });
    const QString missing = m_dir.filePath("missing.kvor");
    const QString folder = m_dir.path();
    auto single = [&](const QString &file, bool json) {
        QStringList args{file, "--data", kData};
        if (json)
            args << "--json";
        return balance(args);
    };

    Outcome r = balance({b, a, "--data", kData, "--json"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, single(b, true).out + single(a, true).out);
    EXPECT_NE(single(a, true).out.mid(20), single(b, true).out.mid(20)) << "the files must differ";

    // A file that does not open keeps its place and the others still run; it wins the status.
    r = balance({a, missing, stop, folder, b, "--data", kData, "--json"});
    EXPECT_EQ(r.status, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 6) << r.out.toStdString(); // five lines and the last newline
    EXPECT_EQ(lines[0] + '\n', single(a, true).out);
    EXPECT_EQ(lines[2] + '\n', single(stop, true).out);
    EXPECT_EQ(lines[4] + '\n', single(b, true).out);
    for (int i : {1, 3}) {
        const QJsonObject o = QJsonDocument::fromJson(lines[i]).object();
        EXPECT_EQ(o.keys(), QStringList({"error", "file"})) << lines[i].toStdString();
        EXPECT_EQ(o.value("file").toString(), i == 1 ? missing : folder);
        EXPECT_TRUE(o.value("error").toString().contains("Cannot open file")) << lines[i].toStdString();
    }
    EXPECT_TRUE(r.err.contains(missing.toUtf8() + ": Cannot open file")) << r.err.toStdString();

    // A stopped run without an unopened file: status 3; the tables follow one
    // another with a blank line between, the stop told on stderr.
    r = balance({stop, b, "--data", kData});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, single(stop, false).out + '\n' + single(b, false).out);
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(stop + ": ")) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("0 год"));

    // Tables that do not open end the run before any file.
    r = balance({a, b, "--data", m_dir.filePath("nodata"), "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("s_mater.DBF")) << r.err.toStdString();
}

TEST_F(BalanceTest, NeitherTheFileNorTheTablesAreWritten)
{
    // Opening would change this file three ways: the stacking height from the
    // 3.2 m chamber, the computed rate, and the lighting power of the
    // recommended-value box.
    const QString file = calculation("keep.kvor", [](DbfTable &t) {
        t.setValue("OB_KAMVS", 3.2);
        t.setValue("IN_VSHTAB", 0.0);
        t.setValue("VN_KR", 0.0);
        t.setValue("OS_POW", 9);
        t.setValue("TE_PTIP", "Нет такого");
    });
    QFile::setPermissions(file, QFile::ReadOwner);
    const QByteArray before = digest(file);
    const QDateTime modified = QFileInfo(file).lastModified();
    QMap<QString, QByteArray> tables;
    for (const QString &name : QDir(kData).entryList(QDir::Files))
        tables.insert(name, digest(kData + "/" + name));

    const Outcome r = balance({file, "--data", kData, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(digest(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), modified);
    for (auto it = tables.cbegin(); it != tables.cend(); ++it)
        EXPECT_EQ(digest(kData + "/" + it.key()), it.value()) << it.key().toStdString();

    // Yet the run saw the open's changes: the computed rate, the recommended
    // lighting power, and the unknown product replaced by the table's first.
    const QJsonObject o = parse(r);
    EXPECT_NEAR(o.value("ventilation_rate").toDouble(), 70 / std::sqrt(6 * 4 * 3.2), 1e-8);
    const QString first = calculation("first.kvor", [](DbfTable &t) {
        t.setValue("OB_KAMVS", 3.2);
        t.setValue("TE_PTIP", "Говядина (туша)");
    });
    const QJsonObject expected = parse(balance({first, "--data", kData, "--json"}));
    EXPECT_EQ(o.value("gains"), expected.value("gains"));
    EXPECT_NE(o.value("labels").toObject().value("QRLabel81").toString(), "0.00");
}

TEST_F(BalanceTest, TheStoredBoxesModeAndListsAreHonoured)
{
    const QString file = calculation("boxes.kvor", [](DbfTable &t) {
        t.setValue("CH2", false);
        t.setValue("OB_TERMR", QString()); // opens as cooling, like the window's selector does
        t.setValue("OB_TIMEWRK", 4);
        t.setValue("IN_ZAV", "Пов. завіса");
    });
    const QJsonObject o = parse(balance({file, "--data", kData, "--json"}));
    EXPECT_EQ(o.value("mode").toString(), "Охлаждение");
    EXPECT_EQ(o.value("gains").toObject().value("ventilation").toDouble(), 0.0);
    EXPECT_EQ(o.value("labels").toObject().value("QRLabel77").toString(), "8.25") << "the rate still shows";

    const QJsonObject plain = parse(balance({calculation("p.kvor", [](DbfTable &t) { t.setValue("OB_TIMEWRK", 4); }),
                                             "--data", kData, "--json"}));
    EXPECT_GT(plain.value("gains").toObject().value("ventilation").toDouble(), 0.0);
    // A stored "Пов. завіса" (Latin i in the file) still counts as the air curtain: 0.7 off.
    const double curtain = o.value("gains").toObject().value("infiltration").toDouble();
    const double none = plain.value("gains").toObject().value("infiltration").toDouble();
    EXPECT_GT(none, 0.0);
    EXPECT_NEAR(curtain, none * 0.3, 0.011);
    // Cooling over 4 h: the product heat is six times the storage day's.
    const double cooled = o.value("labels").toObject().value("QRLabel81").toString().toDouble();
    const double stored = plain.value("labels").toObject().value("QRLabel81").toString().toDouble();
    EXPECT_GT(stored, 0.0);
    EXPECT_NEAR(cooled, 6 * stored, 6 * 0.005 + 0.005);
}

TEST_F(BalanceTest, DataDefaultsToTheFolderBesideTheToolAndCanBeChosen)
{
    const QString file = calculation("d.kvor");
    const Outcome beside = balance({file, "--json"}, m_dir.path());
    ASSERT_EQ(beside.status, 0) << beside.err.toStdString();
    EXPECT_EQ(parse(beside).value("gains"), parse(balance({file, "--data", kData, "--json"})).value("gains"));

    // Another folder whose materials table lacks the template's wall panel.
    const QString other = m_dir.filePath("other");
    QDir().mkpath(other);
    for (const QString &name : QDir(kData).entryList(QDir::Files))
        QFile::copy(kData + "/" + name, other + "/" + name);
    {
        DbfTable t;
        t.setTableName(other + "/s_mater.DBF");
        t.open();
        ASSERT_TRUE(t.locate("M_NAIM", "Сэндвич-панель ППУ"));
        t.edit();
        t.setValue("M_NAIM", "Інша панель");
        t.post();
    }
    const QJsonObject o = parse(balance({file, "--data", other, "--json"}));
    const QJsonObject labels = o.value("labels").toObject();
    for (const char *wall : {"QRLabel70", "QRLabel71", "QRLabel72", "QRLabel73", "QRLabel74"})
        EXPECT_EQ(labels.value(wall).toString(), "0.00") << wall;
    EXPECT_NE(labels.value("QRLabel75").toString(), "0.00") << "the concrete floor is still found";
    EXPECT_EQ(o.value("gains").toObject().value("walls").toDouble(), labels.value("QRLabel75").toString().toDouble());
}

} // namespace
