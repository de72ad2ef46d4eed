#include "cliargs.h"

#include "reports/core/reporterror.h"
#include "storage/dbferror.h"

#include <algorithm>

namespace kvor {

bool CliArgs::parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *err)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (flags.contains(arg)) {
            m_flags.insert(arg);
            continue;
        }
        const QString name = arg.section(QLatin1Char('='), 0, 0);
        if (valueOptions.contains(name)) {
            if (m_values.contains(name))
                return false;
            if (arg.contains(QLatin1Char('='))) {
                m_values.insert(name, arg.mid(name.size() + 1));
            } else {
                if (i + 1 >= args.size())
                    return false;
                m_values.insert(name, args.at(++i));
            }
            if (m_values.value(name).isEmpty())
                return false;
            continue;
        }
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            *err = QStringLiteral("Unknown option %1").arg(arg);
            return false;
        }
        if (!m_file.isNull())
            return false;
        m_file = arg;
    }
    return !m_file.isEmpty();
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
        err = QStringLiteral("%1 takes a whole number of per cent from %2 to %3, not \"%4\"")
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
