#pragma once

#include <QString>

namespace kvor {

// Where and how a report prints. A report keeps one for the whole run; the
// preview's printer setup changes it.
struct ReportPrinterSettings {
    QString printerName;  // empty: the system's default printer
    int copies = 1;
    int fromPage = 0;     // 1-based page range; 0/0 prints all pages
    int toPage = 0;
    QString outputFile;   // non-empty: print into this PDF file instead of a printer
};

} // namespace kvor
