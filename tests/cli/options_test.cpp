// Both programs' own options: help and version, printed and ending well.

#include "clirun.h"
#include "config.h"

#include <gtest/gtest.h>

namespace kvor::test {
namespace {

TEST(ProgramOptions, HelpAndVersionPrintAndSucceed)
{
    const QString version = QString::fromUtf8(config::kVersionText);
    const struct {
        const char *program;
        QStringList args;
        QString printed; // a line the output must hold
    } cases[] = {
        {"kvor-cli", {"--version"}, "kvor-cli " + version},
        {"kvor-cli", {"-v"}, "kvor-cli " + version},
        {"kvor-cli", {"--help"}, "  kvor-cli select FILE.kvor [--data DIR] [--int1 P] [--int2 P] [--json]"},
        {"kvor-cli", {"-h"}, "  -v, --version  Displays version information."},
        {"kvor", {"--version"}, "Kvor " + version},
        {"kvor", {"--help"}, "Використання: kvor [ФАЙЛ.kvor]"},
        {"kvor", {"-h", "calc.kvor"}, "  -v, --version  показати версію програми"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString("%1 %2").arg(c.program, c.args.join(' ')).toStdString());
#ifndef KVOR_WITH_WINDOWS
        if (QLatin1String(c.program) == QLatin1String("kvor"))
            continue; // a core-only build has no windowed program
#endif
        const CliResult r = runProgram(c.program, c.args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.out).split('\n').contains(c.printed)) << r.out.toStdString();
    }
}

} // namespace
} // namespace kvor::test
