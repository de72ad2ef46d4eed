#pragma once

#include <QString>

#include <stdexcept>

namespace kvor {

// Every failure of the table layer is one of these; the text is what the user sees.
class DbfError : public std::runtime_error {
public:
    explicit DbfError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace kvor
