#include "reportpdf.h"
#include "reporterror.h"
#include "reportpainter.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kvor {

namespace {

QPageSize pageSizeOf(const ReportPage &page)
{
    const QPageSize a4(QPageSize::A4);
    const QSizeF mm(page.width / 10.0, page.height / 10.0);
    if (a4.size(QPageSize::Millimeter) == mm)
        return a4;
    return QPageSize(mm, QPageSize::Millimeter);
}

} // namespace

void writeReportPdf(const std::vector<ReportPage> &pages, const QString &path)
{
    {
        // QPdfWriter only reports failure as a painter that would not start;
        // ask the file first to give the reason.
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw ReportError(
                QCoreApplication::translate("ReportPdf", "Cannot write %1: %2").arg(path, probe.errorString()));
    }
    const ReportPage blank;
    const ReportPage &first = pages.empty() ? blank : pages.front();
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Kvor"));
    writer.setPageSize(pageSizeOf(first));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setResolution(1200);
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(QCoreApplication::translate("ReportPdf", "Cannot write %1").arg(path));
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(pageSizeOf(pages[i]));
            writer.newPage();
        }
        const double scale = writer.resolution() / kUnitsPerInch;
        painter.save();
        painter.scale(scale, scale);
        paintReportPage(painter, pages[i]);
        painter.restore();
    }
    if (!painter.end())
        throw ReportError(QCoreApplication::translate("ReportPdf", "Cannot write %1").arg(path));
}

} // namespace kvor
