#include "cliargs.h"

#include "reports/core/reporterror.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbferror.h"

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

int CliArgs::percent(const QString &option, int low, int high, int fallback) const
{
    return has(option) ? CatalogueSelection::rangeValue(value(option), low, high) : fallback;
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
