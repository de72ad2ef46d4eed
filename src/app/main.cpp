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
    kvor::MainWindow mainWindow;
    kvor::ReferenceTables tables;
    kvor::CalculationReport calculationReport;
    kvor::SelectionWindow selectionWindow(&mainWindow);
    kvor::AdditionalDataDialog additionalData(&mainWindow);
    kvor::EquipmentListReport equipmentList;

    mainWindow.setReferenceTables(&tables);
    mainWindow.setAddDialog(&additionalData);
    mainWindow.setSelectionWindow(&selectionWindow);
    mainWindow.setReportForms(&calculationReport, &equipmentList);
    additionalData.setReferenceTables(&tables);
    QObject::connect(&additionalData, &kvor::AdditionalDataDialog::folderChanged, &mainWindow, &kvor::MainWindow::setFileFolder);

    options.applyTo(mainWindow);
    mainWindow.show();
    return app.exec();
}
