#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace kvor {

// The arguments of one command: one file name (several where the command
// allows them), options with a value ("--filter EXPR" or "--filter=EXPR"),
// each at most once, and flags; after "--" everything is a file name.
class CliArgs {
public:
    // Before parse(): the command takes one or more file names.
    void allowSeveralFiles() { m_severalFiles = true; }

    // False (with `err` set to the reason) on an unknown option, a missing or
    // repeated value, a second file name where one is allowed, or none.
    bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags, QString *err);

    // parse(), with the command's usage appended to the reason on failure.
    bool parse(const QStringList &args, const QStringList &valueOptions, const QStringList &flags,
               const QString &usage, QString &err);

    const QString &file() const { return m_files.front(); }
    const QStringList &files() const { return m_files; }
    bool has(const QString &option) const { return m_values.contains(option) || m_flags.contains(option); }
    QString value(const QString &option) const { return m_values.value(option); }
    // A per-cent option of the capacity window: `fallback` when absent, else a
    // whole number in [low, high]; false (with `err` naming it) for anything else.
    bool percent(const QString &option, int low, int high, int fallback, int &value, QString &err) const;

private:
    QStringList m_files;
    bool m_severalFiles = false;
    QHash<QString, QString> m_values;
    QSet<QString> m_flags;
};

// Runs a command's work; a table-layer or other error becomes `err` and false.
bool runGuarded(const std::function<void()> &work, QString &err);

} // namespace kvor
