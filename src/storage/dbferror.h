#pragma once

#include <QString>

#include <stdexcept>

namespace kvor {

// Every failure of the table layer is one of these; the text is what the user
// sees, the kind is what callers branch on.
class DbfError : public std::runtime_error {
public:
    enum class Kind {
        NotFound,      // a file or a record that is not there
        CannotOpen,    // there, but the system refuses it
        CannotCreate,
        Locked,        // another user holds the record or the file
        Damaged,       // not a table, or stored data that does not read
        FieldNotFound, // a table without a field it is asked for
        ReadOnly,      // the table, or the field, takes no changes
        ReadFailed,
        WriteFailed,   // disk full, file-size limit, a file replaced under us
        InvalidValue,  // a value, a field definition or a filter that cannot be taken
        Other,         // an operation the table's state does not allow
    };

    DbfError(Kind kind, const QString &message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message) {}
    Kind kind() const { return m_kind; }
    const QString &message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

} // namespace kvor
