#include "cliargs.h"

#include "reports/core/reporterror.h"
#include "storage/dbferror.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>

namespace kvor {

namespace {

// The argument as typed that Qt refused as an unknown option (or as a flag
// given a value); Qt itself names the option without its dashes or value.
QString refusedOption(const QStringList &args, const QStringList &valueOptions, const QStringList &flags)
{
    for (qsizetype i = 0; i < args.size() && args.at(i) != QLatin1String("--"); ++i) {
        const QString &arg = args.at(i);
        if (valueOptions.contains(arg))
            ++i; // its value may look like an option
        else if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')) && !flags.contains(arg)
                 && !valueOptions.contains(arg.section(QLatin1Char('='), 0, 0)))
            return arg;
    }
    return QString();
}

} // namespace

bool CliArgs::parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *err)
{
    QCommandLineParser parser;
    // There are no one-letter options, so every "-word" is unknown.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const QString &option : valueOptions)
        parser.addOption(QCommandLineOption(option.mid(2), QString(), QStringLiteral("value")));
    for (const QString &flag : flags)
        parser.addOption(QCommandLineOption(flag.mid(2)));
    if (!parser.parse(QStringList{QString()} + args)) {
        const QString refused = refusedOption(args, valueOptions, flags);
        if (!refused.isEmpty())
            *err = QCoreApplication::translate("CliArgs", "Unknown option %1").arg(refused);
        return false; // otherwise a value is missing: the usage says it all
    }
    for (const QString &option : valueOptions) {
        const QStringList values = parser.values(option.mid(2));
        if (values.size() > 1 || (values.size() == 1 && values.front().isEmpty()))
            return false;
        if (values.size() == 1)
            m_values.insert(option, values.front());
    }
    for (const QString &flag : flags) {
        if (parser.isSet(flag.mid(2)))
            m_flags.insert(flag);
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() || (files.size() > 1 && !m_severalFiles) || files.contains(QString()))
        return false;
    m_files = files;
    return true;
}

bool CliArgs::parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags,
                    const QString &usage, QString &err)
{
    QString reason;
    if (parse(args, valueOptions, flags, &reason))
        return true;
    err = reason.isEmpty() ? usage : reason + QLatin1Char('\n') + usage;
    return false;
}

bool CliArgs::percent(const QString &option, int low, int high, int fallback, int &out, QString &err) const
{
    out = fallback;
    if (!has(option))
        return true;
    const QString text = value(option);
    bool ok = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    const int v = ok ? text.toInt(&ok) : 0;
    if (!ok || v < low || v > high) {
        err = QCoreApplication::translate("CliArgs", "%1 takes a whole number of per cent from %2 to %3, not \"%4\"")
                  .arg(option)
                  .arg(low)
                  .arg(high)
                  .arg(text);
        return false;
    }
    out = v;
    return true;
}

bool runGuarded(const std::function<void()> &work, QString &err)
{
    try {
        work();
        return true;
    } catch (const DbfError &e) {
        err = e.message();
    } catch (const ReportError &e) {
        err = e.message();
    } catch (const std::exception &e) {
        err = QString::fromLocal8Bit(e.what());
    }
    return false;
}

} // namespace kvor
