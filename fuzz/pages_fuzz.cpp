// libFuzzer target: arbitrary bytes as a saved report-pages file. Loading must
// fail only with ReportError; loaded pages must save and load back equal, and
// paint as the preview paints them.

#include "fuzzinput.h"
#include "reports/core/reporterror.h"
#include "reports/core/reportpage.h"
#include "reports/core/reportpainter.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kvor;

namespace {

struct Paths {
    QTemporaryDir dir;
    QString input, copy;
    Paths()
    {
        if (!dir.isValid())
            std::abort();
        input = dir.filePath(QStringLiteral("fuzz.pages"));
        copy = dir.filePath(QStringLiteral("copy.pages"));
    }
};

const Paths &paths()
{
    static Paths p;
    return p;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "pages_fuzz: %s\n", what);
    std::abort();
}

// Pages compare equal field by field; images only by presence and size, as the
// file may hold an image whose pixels do not survive a round trip bit for bit.
bool samePages(const std::vector<ReportPage> &a, const std::vector<ReportPage> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t p = 0; p < a.size(); ++p) {
        if (a[p].width != b[p].width || a[p].height != b[p].height || a[p].bands != b[p].bands
            || a[p].items.size() != b[p].items.size())
            return false;
        for (size_t i = 0; i < a[p].items.size(); ++i) {
            ReportItem x = a[p].items[i], y = b[p].items[i];
            if (x.image.size() != y.image.size())
                return false;
            x.image = y.image = QImage();
            // NaN never equals itself; compare such numbers by their bits.
            const auto sameNumber = [](double u, double v) { return u == v || (u != u && v != v); };
            if (!sameNumber(x.font.size, y.font.size) || !sameNumber(x.pen, y.pen)
                || !sameNumber(x.frame.left, y.frame.left) || !sameNumber(x.frame.top, y.frame.top)
                || !sameNumber(x.frame.right, y.frame.right) || !sameNumber(x.frame.bottom, y.frame.bottom))
                return false;
            x.font.size = y.font.size = x.pen = y.pen = 0;
            x.frame = y.frame = ReportFrame();
            if (!(x == y))
                return false;
        }
    }
    return true;
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
    // Painting text needs fonts, hence a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pages_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Paths &p = paths();
    writeFile(p.input, data, size);
    std::vector<ReportPage> pages;
    try {
        pages = loadReportPages(p.input);
    } catch (const ReportError &) {
        return 0;
    }
    for (const ReportPage &page : pages) {
        (void)page.itemsOf(QStringLiteral("QRMemo1"));
        (void)page.hasBand(QStringLiteral("Title"));
    }
    try {
        saveReportPages(pages, p.copy);
        if (!samePages(loadReportPages(p.copy), pages))
            fail("pages changed in a save and load");
    } catch (const ReportError &) {
        fail("loaded pages could not be saved and loaded again");
    }
    // A small preview of the first pages, as the preview window draws them.
    QImage image(105, 148, QImage::Format_ARGB32_Premultiplied);
    for (size_t i = 0; i < pages.size() && i < 3; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        paintReportPage(painter, pages[i], QRectF(0, 0, 105, 148));
    }
    return 0;
}
