#pragma once

#include "reportdataset.h"
#include "reportdefinition.h"
#include "reportpage.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace kvor {

// A shape's pen is given in pen units of a quarter point: pen 2 (thin) is a
// 0.5 pt line, pen 6 (thick) a 1.5 pt line, three times as wide.
constexpr double kPointsPerPenUnit = 0.25;

// Lays the report out over its data sets: page header at the top of every page,
// the title once below it on page 1, the column header after them, the detail
// band once per record of the master data set (def.dataset; without one, once),
// each sub-detail once per row of its data set (once with empty fields when it
// has none), the page footer at the bottom of every page. A band that does not
// fit above the page footer starts a new page. Page-level elements follow the
// bands of every page, then the frame of the printable area. `progress` gets
// per cents, rising, ending with 100. Throws ReportError for a data set the
// definition names but `data` lacks.
std::vector<ReportPage> layoutReport(const ReportDefinition &def, const ReportDataSets &data,
                                     const std::function<void(int percent)> &progress = {});

// Word wrap as the reports print it: each '\n' starts a paragraph; a paragraph
// breaks at spaces into lines no wider than `width`; a word wider than that
// stays whole on its own line and runs past the edge.
QStringList wrapReportText(const QString &text, const ReportFont &font, double width);

} // namespace kvor
