#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace kvor {

// The arguments of one command: one file name, options with a value
// ("--filter EXPR" or "--filter=EXPR"), each at most once, and flags.
class CliArgs {
public:
    // False (with `err` set to the reason) on an unknown option, a missing or
    // repeated value, a second file name or none.
    bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *err);

    const QString &file() const { return m_file; }
    bool has(const QString &option) const { return m_values.contains(option) || m_flags.contains(option); }
    QString value(const QString &option) const { return m_values.value(option); }

private:
    QString m_file;
    QHash<QString, QString> m_values;
    QSet<QString> m_flags;
};

} // namespace kvor
