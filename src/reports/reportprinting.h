#pragma once

#include "reports/core/reportprintersettings.h"
#include "reportpreview.h"

#include <vector>

class QPrinter;

namespace kvor {

// Direct print: the system print dialog `PrintDialog1`; on confirmation the
// report is rendered and printed on the chosen printer with the chosen number
// of copies. Returns false, having rendered nothing, when the user cancels.
bool printReportWithDialog(QWidget *parent, const ReportPreview::Render &render);

// Prints straight to the printer the settings name (the default printer when
// none). Without any printer installed nothing is printed.
void printReportPages(const std::vector<ReportPage> &pages, const ReportPrinterSettings &settings);

// Prints onto a configured printer: pages fromPage..toPage (1-based, 0/0 all),
// `copies` times. Throws ReportError when the printer cannot start.
void printReportPages(QPrinter &printer, const std::vector<ReportPage> &pages, int copies, int fromPage = 0,
                      int toPage = 0);

} // namespace kvor
