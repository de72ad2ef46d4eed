#include "enginefixture.h"

#include "reports/core/reporterror.h"
#include "reports/core/reportpdf.h"
#include "reports/reportprinting.h"

#include <QFile>
#include <QTransform>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <cmath>
#include <iterator>
#include <limits>

using namespace kvor;
using namespace kvor::enginetest;

namespace {

std::vector<ReportPage> samplePages(int rowCount = 60)
{
    const ReportDefinition def = listDefinition();
    auto master = masterRecord();
    auto list = rows(rowCount);
    std::vector<ReportPage> pages = layoutReport(def, {{"master", master.get()}, {"rows", list.get()}});
    // A picture, a framed and a bold italic text too, so every kind goes through the file.
    QImage logo(125, 48, QImage::Format_ARGB32);
    logo.fill(QColor(30, 90, 160));
    ReportItem picture;
    picture.kind = ReportItem::Image;
    picture.box = QRect(110, 120, 417, 169);
    picture.image = logo;
    picture.element = "QRImage1";
    ReportItem text;
    text.box = QRect(800, 1500, 400, 45);
    text.text = "Теплопритік\nкВт";
    text.font.bold = text.font.italic = true;
    text.font.size = 10;
    text.align = Qt::AlignRight;
    text.opaque = true;
    text.frame = {1, 1, 1, 1};
    text.element = "QRLabel76";
    pages[0].items.push_back(picture);
    pages[0].items.push_back(text);
    return pages;
}

// Runs a poppler tool; empty when it is not installed.
QString runTool(const QString &tool, const QStringList &args)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return QString();
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    const QString info = runTool("pdfinfo", {path});
    for (const QString &line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}


// The sizes, in points of the paper, at which a PDF's content streams draw
// text: each Tf size scaled by the text matrix that follows it and by the
// transformation in force (cm, q, Q). Enough of the operators for Qt's writer.
std::vector<double> pdfTextSizes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    std::vector<double> sizes;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        at += 7;
        const qsizetype end = pdf.indexOf("\nendstream", at);
        if (end < 0)
            break;
        QByteArray packed = pdf.mid(at, end - at);
        at = end;
        // qUncompress wants the zlib data after a big-endian size hint.
        const quint32 hint = quint32(packed.size()) * 20 + 1024;
        packed.prepend(char(hint & 0xff)).prepend(char((hint >> 8) & 0xff)).prepend(char((hint >> 16) & 0xff))
            .prepend(char((hint >> 24) & 0xff));
        const QByteArray content = qUncompress(packed);
        if (!content.contains(" Tf"))
            continue;
        QTransform ctm;
        std::vector<QTransform> saved;
        std::vector<double> operands;
        double pending = 0;
        for (const QByteArray &token : content.simplified().split(' ')) {
            bool number = false;
            const double v = token.toDouble(&number);
            if (number) {
                operands.push_back(v);
                continue;
            }
            const auto matrix = [&] {
                const size_t n = operands.size();
                return QTransform(operands[n - 6], operands[n - 5], operands[n - 4], operands[n - 3], operands[n - 2],
                                  operands[n - 1]);
            };
            if (token == "q") {
                saved.push_back(ctm);
            } else if (token == "Q" && !saved.empty()) {
                ctm = saved.back();
                saved.pop_back();
            } else if (token == "cm" && operands.size() >= 6) {
                ctm = matrix() * ctm;
            } else if (token == "Tf" && !operands.empty()) {
                pending = operands.back();
            } else if (token == "Tm" && operands.size() >= 6 && pending > 0) {
                const QTransform m = matrix() * ctm;
                sizes.push_back(pending * std::sqrt(std::abs(m.determinant())));
                pending = 0;
            }
            operands.clear();
        }
    }
    return sizes;
}

} // namespace

TEST(EngineFiles, SavedPagesLoadBackEqual)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.kvrep");
    const std::vector<ReportPage> pages = samplePages();
    ASSERT_EQ(pages.size(), 2u);
    saveReportPages(pages, path);
    const std::vector<ReportPage> loaded = loadReportPages(path);
    ASSERT_EQ(loaded.size(), pages.size());
    EXPECT_TRUE(loaded == pages);
    EXPECT_FALSE(loaded[0].itemsOf("QRImage1").front()->image.isNull());
}

TEST(EngineFiles, MissingDamagedAndForeignFilesAreClearErrors)
{
    QTemporaryDir dir;
    try {
        loadReportPages(dir.filePath("nothing.kvrep"));
        FAIL() << "no error";
    } catch (const ReportError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("File does not exist"));
    }

    const QString foreign = dir.filePath("foreign.kvrep");
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4 not ours");
    f.close();
    EXPECT_THROW(loadReportPages(foreign), ReportError);

    // Cut the file short at many points: always an error, never a crash.
    const QString good = dir.filePath("good.kvrep");
    saveReportPages(samplePages(), good);
    QFile g(good);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    const QByteArray bytes = g.readAll();
    g.close();
    const QString cut = dir.filePath("cut.kvrep");
    for (qsizetype n : {qsizetype(6), qsizetype(10), bytes.size() / 3, bytes.size() / 2, bytes.size() - 1}) {
        QFile c(cut);
        ASSERT_TRUE(c.open(QIODevice::WriteOnly | QIODevice::Truncate));
        c.write(bytes.left(n));
        c.close();
        EXPECT_THROW(loadReportPages(cut), ReportError) << "cut at " << n;
    }

    EXPECT_THROW(saveReportPages(samplePages(), dir.filePath("no/such/folder/x.kvrep")), ReportError);
}

// Geometry no paper has would overflow the painter's integer sums: refused on load.
TEST(EngineFiles, AbsurdGeometryIsADamagedFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("absurd.kvrep");
    const std::vector<std::function<void(ReportPage &)>> spoilers = {
        [](ReportPage &p) { p.items.front().box = QRect(2000000, 0, 1000, 10); },
        [](ReportPage &p) { p.items.front().box = QRect(0, -5000000, 10, 10); },
        [](ReportPage &p) { p.items.front().box = QRect(QPoint(-2000000000, 0), QPoint(2000000000, 10)); },
        [](ReportPage &p) { p.items.front().font.size = std::numeric_limits<double>::quiet_NaN(); },
        [](ReportPage &p) { p.items.front().font.size = 0; },
        [](ReportPage &p) { p.items.front().pen = -1; },
        [](ReportPage &p) { p.items.front().frame.left = std::numeric_limits<double>::infinity(); },
        [](ReportPage &p) { p.bands.front().height = 2000000000; },
        [](ReportPage &p) { p.width = 2000000000; },
    };
    for (size_t i = 0; i < spoilers.size(); ++i) {
        std::vector<ReportPage> pages = samplePages();
        ASSERT_FALSE(pages.front().items.empty());
        ASSERT_FALSE(pages.front().bands.empty());
        spoilers[i](pages.front());
        saveReportPages(pages, path);
        try {
            loadReportPages(path);
            ADD_FAILURE() << "case " << i << " loaded";
        } catch (const ReportError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("damaged"))) << i << " " << e.message().toStdString();
        }
    }
}

TEST(EnginePdf, TextStaysTextWithEmbeddedFonts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    writeReportPdf(samplePages(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    file.close();
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString text = runTool("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("Заголовок сторінки"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ТОВ Клієнт")));
    EXPECT_TRUE(text.contains(QStringLiteral("S60")));
    EXPECT_TRUE(text.contains(QStringLiteral("Теплопритік")));
    EXPECT_EQ(pdfPages(path), 2);
    const QString info = runTool("pdfinfo", {path});
    EXPECT_TRUE(info.contains("210 x 297 mm") || info.contains("595.2 x 841.8") || info.contains("595 x 842"))
        << info.toStdString();
    const QString fonts = runTool("pdffonts", {path});
    EXPECT_TRUE(fonts.contains("LiberationSans")) << fonts.toStdString();
    for (const QString &line : fonts.split('\n').mid(2)) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList cols = line.simplified().split(' ');
        // name type encoding emb sub uni object ID: "emb" is the fourth from the end.
        ASSERT_GE(cols.size(), 7);
        EXPECT_EQ(cols[cols.size() - 5], QStringLiteral("yes")) << line.toStdString();
    }
}

TEST(EnginePdf, TextIsDrawnAtItsExactPointSize)
{
    // Rounding a size to whole tenths of a millimetre drew 8 pt as 7.937 pt
    // and shifted centred and right-aligned texts.
    const double points[] = {7, 8, 8.5, 9, 10, 12, 14};
    ReportPage page;
    int y = 100;
    for (double size : points) {
        ReportItem text;
        text.box = QRect(100, y, 1200, 80);
        text.text = QStringLiteral("Висота камери, м %1").arg(size);
        text.font.size = size;
        text.font.bold = size == 8;
        text.align = Qt::AlignHCenter;
        text.element = QStringLiteral("T%1").arg(size);
        page.items.push_back(text);
        y += 100;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("sizes.pdf");
    writeReportPdf({page}, path);
    const std::vector<double> drawn = pdfTextSizes(path);
    ASSERT_EQ(drawn.size(), std::size(points));
    for (size_t i = 0; i < drawn.size(); ++i)
        EXPECT_NEAR(drawn[i], points[i], 0.002) << "item " << i;
}

TEST(EnginePdf, UnwritablePathIsAnError)
{
    EXPECT_THROW(writeReportPdf(samplePages(), "/nonexistent-folder/x.pdf"), ReportError);
}

TEST(EnginePrinting, CopiesAndPageRangeReachThePrinter)
{
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    QTemporaryDir dir;
    ReportPrinterSettings settings;
    settings.outputFile = dir.filePath("all.pdf");
    settings.copies = 2;
    printReportPages(samplePages(), settings);
    EXPECT_EQ(pdfPages(settings.outputFile), 4); // two copies of two pages

    settings.outputFile = dir.filePath("second.pdf");
    settings.copies = 1;
    settings.fromPage = settings.toPage = 2;
    printReportPages(samplePages(), settings);
    EXPECT_EQ(pdfPages(settings.outputFile), 1);
    const QString text = runTool("pdftotext", {settings.outputFile, "-"});
    EXPECT_TRUE(text.contains("S60"));
    EXPECT_FALSE(text.contains("S1\n"));
}
