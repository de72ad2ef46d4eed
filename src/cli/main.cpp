#include "balancecommand.h"
#include "dumpcommand.h"
#include "selectcommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage:\n  %s\n  %s\n  %s\n", qPrintable(kvor::DumpCommand::usage()),
                 qPrintable(kvor::BalanceCommand::usage()), qPrintable(kvor::SelectCommand::usage()));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
