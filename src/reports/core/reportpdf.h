#pragma once

#include "reportpage.h"

#include <QString>

#include <vector>

namespace kvor {

// Writes the pages as a PDF file, each at its paper size (A4 for the reports),
// with text as text and the fonts embedded. Throws ReportError when the file
// cannot be written.
void writeReportPdf(const std::vector<ReportPage> &pages, const QString &path);

} // namespace kvor
