#include "dumpcommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage:\n  %s\n", qPrintable(kvor::DumpCommand::usage()));
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
    else
        return usage();
    if (status != 0) {
        std::fprintf(stderr, "%s\n", err.toUtf8().constData());
        return status;
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
