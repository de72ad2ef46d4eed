// kvor-cli select: the capacity window's per-cent options.

#include "clirun.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kvor::test {
namespace {

class SelectCliTest : public TemplateCalculationTest {
protected:
    CliResult select(const QStringList &extra)
    {
        return runCli(QStringList{"select", file, "--data", KVOR_DATA_DIR, "--json"} + extra);
    }
};

// Only a whole number inside the field's range is a capacity window; anything
// else is named, not read as the lower limit.
TEST_F(SelectCliTest, PerCentOptionsTakeWholeNumbersInTheirRangeOnly)
{
    const CliResult good = select({"--int1", "97", "--int2", "120"});
    ASSERT_EQ(good.status, 0) << good.err.toStdString();
    const QJsonObject listing = QJsonDocument::fromJson(good.out).object();
    const double q = listing.value("required").toDouble() * 1000;
    const int n = listing.value("systems_count").toInt();
    EXPECT_TRUE(listing.value("filter").toString().contains(QString(">= %1 ").arg(qRound64(97 * q / 100 / n))))
        << listing.value("filter").toString().toStdString();

    const struct {
        const char *option, *value, *range;
    } refused[] = {
        {"--int1", "97.", "60 to 100"}, {"--int1", "abc", "60 to 100"}, {"--int1", "59", "60 to 100"},
        {"--int1", "9 7", "60 to 100"}, {"--int1", "+97", "60 to 100"}, {"--int2", "201", "100 to 200"},
        {"--int2", "-150", "100 to 200"}, {"--int2", "150.0", "100 to 200"},
    };
    for (const auto &c : refused) {
        const CliResult r = select({c.option, c.value});
        EXPECT_EQ(r.status, 1) << c.option << ' ' << c.value;
        EXPECT_TRUE(r.out.isEmpty()) << c.value;
        EXPECT_EQ(QString::fromUtf8(r.err).section('\n', 0, 0).toStdString(),
                  QString("%1 takes a whole number of per cent from %2, not \"%3\"")
                      .arg(c.option, c.range, c.value)
                      .toStdString());
    }
}

} // namespace
} // namespace kvor::test
