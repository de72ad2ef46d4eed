#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace kvor {

// A failure while building DATA; the text names the source file and line.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// One line of a source file that carries data: its number in the file (1-based)
// and its `;`-separated cells, each trimmed.
struct SourceLine {
    int number = 0;
    QStringList cells;
};

// A UTF-8 source file of data/: lines starting with '#' are notes and blank lines
// are ignored; every other line is split at ';'. Values never contain ';', so
// there is no quoting.
class SourceFile {
public:
    static SourceFile read(const QString &path);

    const QString &path() const { return m_path; }
    QString fileName() const;
    const std::vector<SourceLine> &lines() const { return m_lines; }

    // "file:line: text", or "file: text" for line 0.
    DataError error(int line, const QString &text) const;

private:
    QString m_path;
    std::vector<SourceLine> m_lines;
};

} // namespace kvor
