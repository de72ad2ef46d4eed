#include "balancecommand.h"
#include "dumpcommand.h"
#include "projectcommand.h"
#include "reportcommand.h"
#include "selectcommand.h"

#include "config.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

QStringList commandUsages()
{
    return {kvor::DumpCommand::usage(), kvor::BalanceCommand::usage(), kvor::SelectCommand::usage(),
            kvor::ReportCommand::reportUsage(), kvor::ReportCommand::equipmentUsage(),
            kvor::ProjectCommand::usage()};
}

int usage()
{
    std::fprintf(stderr, "usage:\n  %s\n", qPrintable(commandUsages().join(QStringLiteral("\n  "))));
    return 1;
}

QString commandsHelp()
{
    QStringList lines{QString(), QCoreApplication::translate("main", "Commands:")};
    for (const QString &usage : commandUsages())
        lines << QStringLiteral("  ") + usage.section(QLatin1String("usage: "), 1);
    lines << QString() << QCoreApplication::translate("main", "Exit status:")
          << QCoreApplication::translate("main", "  0  done (project: also when chambers are missing, locked or damaged)")
          << QCoreApplication::translate("main", "  1  wrong arguments, or a file, the tables or an output could not be "
                                                 "read or written (balance with several files: one of them)")
          << QCoreApplication::translate("main", "  3  balance: a run stopped; its figures up to that step are printed")
          << QCoreApplication::translate("main", "balance with several files and --json prints one line per file, "
                                                 "{\"file\":…,\"error\":…} for one that does not open.")
          << QCoreApplication::translate("main", "See man kvor-cli.");
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char *argv[])
{
    // Laying out a report measures text with real fonts: those commands need a
    // GUI application, on the offscreen platform so no display is required.
    const bool reports = argc > 1
                         && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "equipment") == 0
                             || kvor::ProjectCommand::needsGui(argc, argv));
    if (reports && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = reports ? std::make_unique<QGuiApplication>(argc, argv)
                                                    : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromUtf8(kvor::config::kVersionText));

    // Options before the command are the program's own; the rest is the command's.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.setApplicationDescription(commandsHelp());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QCoreApplication::translate("main", "dump, balance, select, report, equipment or project"),
                                 QStringLiteral("command [arguments]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return usage();
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    QStringList args = parser.positionalArguments();
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
    else if (command == QLatin1String("project"))
        status = kvor::ProjectCommand::run(args, out, err);
    else
        return usage();
    // A command may have a result and a message both (a balance that stopped).
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    if (!err.isEmpty())
        std::fprintf(stderr, "%s\n", err.toUtf8().constData());
    return status;
}
