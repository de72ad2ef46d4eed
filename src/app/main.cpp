#include "additionaldatadialog.h"
#include "config.h"
#include "mainwindow.h"
#include "reports/core/calculationreport.h"
#include "reports/core/equipmentlistreport.h"
#include "selection/selectionwindow.h"
#include "startup.h"
#include "storage/referencetables.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvor"));
    QApplication::setApplicationVersion(QString::fromUtf8(kvor::config::kVersionText));
    // No display name: Qt would append it to every window caption.
    QApplication::setDesktopFileName(QStringLiteral("example.nivra.Kvor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    kvor::installQtTranslation(app);

    // DATA beside the program or the user's copy of it, and the file to open.
    const kvor::StartupOptions options = kvor::StartupOptions::fromCommandLine(QCoreApplication::arguments());
    if (options.helpRequested() && options.error().isEmpty()) {
        std::printf("%s\n", qPrintable(kvor::StartupOptions::usage()));
        return 0;
    }
    if (options.versionRequested() && options.error().isEmpty()) {
        std::printf("%s %s\n", qPrintable(QApplication::applicationName()),
                    qPrintable(QApplication::applicationVersion()));
        return 0;
    }
    if (!options.error().isEmpty()) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(options.error()), qPrintable(kvor::StartupOptions::usage()));
        return 2;
    }

    // The six forms, in the order the program has always created them.
    kvor::MainWindow fmKvor;
    kvor::ReferenceTables dm1;
    kvor::CalculationReport fmReport;
    kvor::SelectionWindow fmPodbor(&fmKvor);
    kvor::AdditionalDataDialog fmAdd(&fmKvor);
    kvor::EquipmentListReport fmReport2;

    fmKvor.setDataModule(&dm1);
    fmKvor.setAddDialog(&fmAdd);
    fmKvor.setSelectionWindow(&fmPodbor);
    fmKvor.setReportForms(&fmReport, &fmReport2);
    fmAdd.setDataModule(&dm1);
    QObject::connect(&fmAdd, &kvor::AdditionalDataDialog::folderChanged, &fmKvor, &kvor::MainWindow::setFileFolder);

    options.applyTo(fmKvor);
    fmKvor.show();
    return app.exec();
}
