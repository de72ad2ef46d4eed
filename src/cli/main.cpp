#include "balancecommand.h"
#include "dumpcommand.h"
#include "reportcommand.h"
#include "selectcommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

int usage()
{
    std::fprintf(stderr, "usage:\n  %s\n  %s\n  %s\n  %s\n  %s\n", qPrintable(kvor::DumpCommand::usage()),
                 qPrintable(kvor::BalanceCommand::usage()), qPrintable(kvor::SelectCommand::usage()),
                 qPrintable(kvor::ReportCommand::reportUsage()), qPrintable(kvor::ReportCommand::equipmentUsage()));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Laying out a report measures text with real fonts: those commands need a
    // GUI application, on the offscreen platform so no display is required.
    const bool reports = argc > 1 && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "equipment") == 0);
    if (reports && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = reports ? std::make_unique<QGuiApplication>(argc, argv)
                                                    : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    QByteArray out;
    QString err;
    int status = 1;
    if (command == QLatin1String("dump"))
        status = kvor::DumpCommand::run(args, out, err);
    else if (command == QLatin1String("balance"))
        status = kvor::BalanceCommand::run(args, out, err);
    else if (command == QLatin1String("report"))
        status = kvor::ReportCommand::runReport(args, out, err);
    else if (command == QLatin1String("equipment"))
        status = kvor::ReportCommand::runEquipment(args, out, err);
    else if (command == QLatin1String("select"))
        status = kvor::SelectCommand::run(args, out, err);
    else
        return usage();
    // A command may have a result and a message both (a balance that stopped).
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    if (!err.isEmpty())
        std::fprintf(stderr, "%s\n", err.toUtf8().constData());
    return status;
}
