// libFuzzer target: arbitrary bytes as "TitleRep.txt". Loading must give lines
// without line breaks (or throw ReportError), and each line must wrap into
// the title block's box the way the reports print it.

#include "fuzzinput.h"
#include "reports/core/reportdefinition.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportlayout.h"
#include "reports/core/titleblock.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kvor;

namespace {

const QString &folder()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    static const QString path = dir.path();
    return path;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "titleblock_fuzz: %s\n", what);
    std::abort();
}

} // namespace

// Fontconfig keeps the patterns of Qt's font fallback lookups until exit; the
// same entry as tests/sanitizer/lsan.supp, built in so a crash input replays
// without extra settings.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Text metrics need fonts, hence a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "titleblock_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString &dir = folder();
    writeFile(QDir(dir).filePath(TitleBlock::fileName()), data, size);
    QStringList lines;
    try {
        lines = TitleBlock::load(dir);
    } catch (const ReportError &) {
        return 0;
    }
    if (size == 0 && !lines.isEmpty())
        fail("an empty file gave lines");
    if (size > 0 && lines.isEmpty())
        fail("a non-empty file gave no lines");
    if (qsizetype(lines.size()) > qsizetype(size) + 1)
        fail("more lines than bytes");
    ReportFont font;
    font.size = 9;
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            fail("a line holds a line break");
        const QStringList wrapped = wrapReportText(line, font, 1453.0);
        if (wrapped.isEmpty() && !line.isEmpty())
            fail("a line vanished in wrapping");
    }
    return 0;
}
