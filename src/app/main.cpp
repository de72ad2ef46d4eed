#include "kvoradd.h"
#include "kvormain.h"
#include "reports/core/kvorrep.h"
#include "reports/core/kvorrep2.h"
#include "selection/kvorpodb.h"
#include "storage/kvordm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kvor"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));

    // The six forms, in the order the program has always created them.
    kvor::TfmKvor fmKvor;
    kvor::Tdm1 dm1;
    kvor::TfmReport fmReport;
    kvor::TfmPodbor fmPodbor(&fmKvor);
    kvor::TfmAdd fmAdd(&fmKvor);
    kvor::TfmReport2 fmReport2;

    fmKvor.setDataModule(&dm1);
    fmKvor.setAddDialog(&fmAdd);
    fmKvor.setSelectionWindow(&fmPodbor);
    fmKvor.setReportForms(&fmReport, &fmReport2);
    fmAdd.setDataModule(&dm1);
    QObject::connect(&fmAdd, &kvor::TfmAdd::folderChanged, &fmKvor, &kvor::TfmKvor::setFileFolder);

    fmKvor.show();
    return app.exec();
}
