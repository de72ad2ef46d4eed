#include "reportprinting.h"

#include "reports/core/reporterror.h"
#include "reports/core/reportpainter.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace kvor {

namespace {

QPageLayout layoutOf(const ReportPage &page)
{
    const QSizeF mm(page.width / 10.0, page.height / 10.0);
    const QPageSize a4(QPageSize::A4);
    const QPageSize size = a4.size(QPageSize::Millimeter) == mm ? a4 : QPageSize(mm, QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void printReportPages(QPrinter &printer, const std::vector<ReportPage> &pages, int copies, int fromPage, int toPage)
{
    if (pages.empty())
        return;
    const int count = int(pages.size());
    const int from = fromPage > 0 ? std::min(fromPage, count) : 1;
    const int to = toPage > 0 ? std::min(toPage, count) : count;
    if (from > to)
        return;
    copies = std::max(1, copies);

    printer.setFullPage(true); // the painter's origin is the paper's corner
    printer.setPageLayout(layoutOf(pages[size_t(from - 1)]));
    // Where the print system cannot make copies itself, send the pages again.
    int rounds = 1;
    printer.setCopyCount(copies);
    if (!printer.supportsMultipleCopies() || printer.copyCount() != copies) {
        printer.setCopyCount(1);
        rounds = copies;
    }

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QCoreApplication::translate("ReportPrinting", "Cannot print to %1").arg(
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()));
    bool first = true;
    for (int round = 0; round < rounds; ++round) {
        for (int i = from - 1; i < to; ++i) {
            if (!first) {
                printer.setPageLayout(layoutOf(pages[size_t(i)]));
                printer.newPage();
            }
            first = false;
            const double scale = printer.resolution() / kUnitsPerInch;
            painter.save();
            painter.scale(scale, scale);
            paintReportPage(painter, pages[size_t(i)]);
            painter.restore();
        }
    }
    painter.end();
}

void printReportPages(const std::vector<ReportPage> &pages, const ReportPrinterSettings &settings)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!settings.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(settings.outputFile);
    } else {
        QString name = settings.printerName;
        if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull())
            name = QPrinterInfo::defaultPrinterName();
        if (name.isEmpty())
            return; // no printer installed: nothing to print on
        printer.setPrinterName(name);
    }
    printReportPages(printer, pages, settings.copies, settings.fromPage, settings.toPage);
}

bool printReportWithDialog(QWidget *parent, const ReportPreview::Render &render)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    const auto &hook = ReportPreview::hooks().printDialog;
    const bool confirmed = hook ? hook(dialog) : dialog.exec() == QDialog::Accepted;
    if (!confirmed)
        return false;
    const std::vector<ReportPage> pages = render();
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty())
        return true; // no printer installed: no output
    int from = 0, to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    printReportPages(printer, pages, printer.copyCount(), from, to);
    return true;
}

} // namespace kvor
