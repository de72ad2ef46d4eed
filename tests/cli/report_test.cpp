#include "clirun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvor::test {
namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ReportCliTest : public TemplateCalculationTest {
protected:
    void SetUp() override
    {
        TemplateCalculationTest::SetUp();
        before = bytes(file);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray before;
};

TEST_F(ReportCliTest, TheCalculationReportCarriesItsCaptionsAndResults)
{
    const QString pdf = dir.filePath("report.pdf");
    const CliResult r = runCli({"report", file, "--pdf", pdf, "--data", KVOR_DATA_DIR});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytes(file), before) << "the calculation file is never written";
    const QByteArray head = bytes(pdf).left(5);
    EXPECT_EQ(head, QByteArray("%PDF-"));

    const CliResult balance = runCli({"balance", file, "--data", KVOR_DATA_DIR});
    ASSERT_EQ(balance.status, 0);
    const QString text = pdfText(pdf);
    for (const char *caption : {"Розрахунок теплового балансу холодильної камери", "Довжина камери, м",
                                "Теплопритік через стіни Qстін, кВт", "Сумарний теплопритік, кВт",
                                "Потрібна холодопродуктивність, кВт", "Вибране", "Клієнт", "Примітка"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;
    // The required capacity the balance shows is the one printed.
    const QString required = QString::fromUtf8(balance.out).section("Потрібна холодопродуктивність, кВт", 1).trimmed().section('\n', 0, 0).trimmed();
    ASSERT_FALSE(required.isEmpty());
    EXPECT_TRUE(text.contains(required)) << required.toStdString();
    EXPECT_TRUE(text.contains(QDir(dir.path()).absoluteFilePath("calc.kvor"))) << "the footer names the user's file";
    EXPECT_TRUE(text.contains("Internet : ")) << "the default title block";
}

TEST_F(ReportCliTest, TheEquipmentListPrintsWhatTheSelectionLists)
{
    const QString pdf = dir.filePath("list.pdf");
    const CliResult r = runCli({"equipment", file, "--pdf", pdf, "--data", KVOR_DATA_DIR, "--int2", "200"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytes(file), before);
    const CliResult listed = runCli({"select", file, "--data", KVOR_DATA_DIR, "--int2", "200"});
    ASSERT_EQ(listed.status, 0);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Холодильні системи для"));
    EXPECT_TRUE(text.contains("Повітроохолоджу")) << "the cooler heading";
    EXPECT_TRUE(text.contains("Система"));
    // Every listed system code is on the page.
    int codes = 0;
    for (const QString &line : QString::fromUtf8(listed.out).split('\n')) {
        const QString code = line.section(' ', 0, 0);
        if (line.size() > 60 && !code.isEmpty() && code != "Система") {
            EXPECT_TRUE(text.contains(code)) << code.toStdString();
            ++codes;
        }
    }
    EXPECT_GT(codes, 0);
}

TEST_F(ReportCliTest, BadArgumentsAndFilesFailClearly)
{
    const CliResult noPdf = runCli({"report", file});
    EXPECT_EQ(noPdf.status, 1);
    EXPECT_TRUE(noPdf.err.contains("usage"));
    const CliResult missing = runCli({"report", dir.filePath("none.kvor"), "--pdf", dir.filePath("x.pdf"), "--data",
                                      KVOR_DATA_DIR});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
    const CliResult unwritable = runCli({"equipment", file, "--pdf", dir.filePath("no/such/dir/x.pdf"), "--data",
                                         KVOR_DATA_DIR});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_FALSE(unwritable.err.isEmpty());
}

} // namespace
} // namespace kvor::test
