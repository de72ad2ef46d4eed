#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace kvor {

// An error of the report engine: a definition that cannot be read, a page file
// that is missing or damaged, an output file that cannot be written. The text
// is shown to the user as it is.
class ReportError : public std::exception {
public:
    explicit ReportError(const QString &message)
        : m_message(message)
        , m_what(message.toUtf8())
    {
    }
    QString message() const { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};

} // namespace kvor
