#include "reportcommand.h"

#include "batchsession.h"
#include "cliargs.h"

#include "config.h"
#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "reports/core/reportlabels.h"
#include "reports/core/reportpdf.h"
#include "selection/core/catalogueselection.h"

#include <QCoreApplication>
#include <QFileInfo>


namespace kvor {

namespace {

ReportLabels store(const ReportLabelTexts &texts)
{
    ReportLabels labels;
    for (const auto &[name, text] : texts)
        labels.setText(name, text);
    return labels;
}

// The footer names the user's file, not the scratch copy the batch works on.
QString userPath(const QString &file)
{
    return QFileInfo(file).absoluteFilePath();
}

int run(bool equipment, const QStringList &args, QString &err)
{
    CliArgs parsed;
    QStringList options = {QStringLiteral("--data"), QStringLiteral("--pdf")};
    if (equipment)
        options << QStringLiteral("--int1") << QStringLiteral("--int2");
    const QString usage = equipment ? ReportCommand::equipmentUsage() : ReportCommand::reportUsage();
    if (!parsed.parse(args, options, {}, usage, err))
        return 1;
    if (!parsed.has(QStringLiteral("--pdf"))) {
        err = QCoreApplication::translate("ReportCommand", "--pdf OUT.pdf is required") + QLatin1Char('\n') + usage;
        return 1;
    }
    const QString pdf = parsed.value(QStringLiteral("--pdf"));
    int int1 = 0, int2 = 0;
    if (!parsed.percent(QStringLiteral("--int1"), 60, 100, 95, int1, err)
        || !parsed.percent(QStringLiteral("--int2"), 100, 200, 150, int2, err)) {
        err += QLatin1Char('\n') + usage;
        return 1;
    }
    const QString version = QString::fromUtf8(config::kVersionText);
    const QString titleFolder = QCoreApplication::applicationDirPath();
    QString note;
    const bool ok = runGuarded([&] {
        BatchSession session;
        session.open(parsed.file(), parsed.value(QStringLiteral("--data")));
        ReportLabelTexts reportTexts, equipmentTexts;
        session.reportLabels(reportTexts, equipmentTexts);
        ReferenceTables &dm = session.dm();
        std::vector<ReportPage> pages;
        if (!equipment) {
            const ReportLabels labels = store(reportTexts);
            CalculationReport report;
            report.setWorkTable(&dm.taWork);
            report.setLabels(&labels);
            report.setVersionText([&] { return version; });
            report.setTitleFolder(titleFolder);
            report.setFileName([&] { return userPath(parsed.file()); });
            pages = report.render();
        } else {
            CatalogueSelection selection;
            // The window's first build; a message goes to stderr as a note, the list is still printed.
            selection.build(dm.taKat, session.dataDir(), session.selectionInputs(int1, int2));
            note = selection.message();
            const ReportLabels labels = store(equipmentTexts);
            EquipmentListReport list;
            list.setWorkTable(&dm.taWork);
            list.setCatalogueTable(&dm.taKat);
            list.setLabels(&labels);
            list.setVersionText([&] { return version; });
            list.setTemperatureHeading([&] { return selection.heading(); });
            list.setFieldVisible([&](const QString &f) { return selection.fieldVisible(f); });
            list.setTitleFolder(titleFolder);
            list.setFileName([&] { return userPath(parsed.file()); });
            pages = list.render();
        }
        writeReportPdf(pages, pdf);
    }, err);
    if (!ok)
        return 1;
    err = note; // the selection's message, beside the list it printed
    return 0;
}

} // namespace

QString ReportCommand::reportUsage()
{
    return QStringLiteral("usage: kvor-cli report FILE.kvor --pdf OUT.pdf [--data DIR]");
}

QString ReportCommand::equipmentUsage()
{
    return QStringLiteral("usage: kvor-cli equipment FILE.kvor --pdf OUT.pdf [--int1 P] [--int2 P] [--data DIR]");
}

int ReportCommand::runReport(const QStringList &args, QByteArray &, QString &err)
{
    return run(false, args, err);
}

int ReportCommand::runEquipment(const QStringList &args, QByteArray &, QString &err)
{
    return run(true, args, err);
}

} // namespace kvor
