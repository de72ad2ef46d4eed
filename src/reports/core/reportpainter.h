#pragma once

#include "reportpage.h"

#include <QRectF>

class QPainter;

namespace kvor {

// Draws a laid-out page. The painter must already map one logical unit to a
// tenth of a millimetre of paper; screen, printer and PDF differ only in that
// transform, never in the page.
void paintReportPage(QPainter &p, const ReportPage &page);
// The same, scaled and moved into `target` (painter coordinates).
void paintReportPage(QPainter &p, const ReportPage &page, const QRectF &target);

} // namespace kvor
