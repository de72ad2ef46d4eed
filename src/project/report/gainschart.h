#pragma once

#include "project/core/chambersummary.h"

#include <QImage>
#include <QSize>

#include <vector>

namespace kvor {

// The nine heat gains of each chamber with figures as one stacked bar per
// chamber, drawn for print without Qt Charts (the batch tool has no widgets).
// `pixelsPerPoint` sizes the lettering: 300 / 72 for a 300 dpi image.
QImage drawGainsChart(const std::vector<ChamberSummary> &chambers, const QSize &pixels, double pixelsPerPoint);

} // namespace kvor
