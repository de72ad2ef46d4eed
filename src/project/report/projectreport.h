#pragma once

#include "project/core/chambersummary.h"
#include "reports/core/reportpage.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace kvor {

class ChamberEvaluator;
class ProjectFile;

// What the project report prints besides the chambers.
struct ProjectReportOptions {
    QDate date;          // printed on the summary page
    QString executor;    // empty: the executors the chambers name
    QString version;     // the program's version text, as the chamber reports print it
    QString titleFolder; // where the chamber reports look for the title block
};

// The project report: a summary page (project name, client, address, date,
// executor, the chamber table with totals, the stacked bar chart of the gains),
// then each readable chamber's calculation report, then one equipment list of
// all adopted systems; every page numbered across the whole document.
class ProjectReport {
public:
    explicit ProjectReport(ChamberEvaluator &evaluator);

    // `chambers` in project order as the list shows them. Chambers without
    // figures appear in the summary with their status and get no report page.
    // Throws ReportError when the title block file exists but cannot be read.
    std::vector<ReportPage> render(const ProjectFile &project, const std::vector<ChamberSummary> &chambers,
                                   const ProjectReportOptions &options,
                                   const std::function<void(int)> &progress = {});

private:
    ChamberEvaluator &m_evaluator;
};

} // namespace kvor
