#pragma once

#include "dbffield.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace kvor {

class DbfFile;

// A field descriptor of a new table file.
struct DbfColumn {
    QString name; // at most 10 characters
    char type = 'C';
    int length = 0; // C fields up to 65535
    int decimals = 0;
};

// The format of a table file's header: the leading 32 bytes and the field
// descriptors, read and checked, stamped after each write, or written for a new table.
class DbfHeader {
public:
    using Descriptor = DbfFieldDescriptor;

    // Reads and checks the header of an open file; throws when it is not a table's.
    static DbfHeader read(const DbfFile &file, const QString &path);

    quint8 version() const { return m_version; }
    int headerLength() const { return m_headerLength; }
    int recordLength() const { return m_recordLength; }
    quint32 stamp() const { return m_stamp; }
    qint64 fileSize() const { return m_fileSize; }
    // The field descriptors up to the terminator; throws when they run past the record.
    std::vector<Descriptor> descriptors() const;

    // A new record: blanks, numbers zero, binary fields zero bytes.
    static QByteArray blankRecord(const std::vector<Descriptor> &descriptors, int recordLength);

    // The kind a descriptor reads as; false for types the table skips.
    static bool kindOf(const Descriptor &d, FieldKind *kind);
    // Whether a field declared of one kind can bind to a stored field of another.
    static bool sameFamily(FieldKind a, FieldKind b);

    // The change stamp other programs' writes alter; false when it cannot be read.
    static bool readStamp(const DbfFile &file, quint32 *stamp);
    // After a write: date, record count, change stamp and user. Returns the new stamp.
    static quint32 writeStamp(const DbfFile &file, int headerLength, int recordLength, quint32 userId,
                              const QString &path);

    // Writes a new empty table file (version 0x03, no records); an existing file is replaced.
    static void create(const QString &path, const std::vector<DbfColumn> &columns);

    // The time written into headers; tests set it.
    static void setClock(std::function<QDateTime()> clock);

private:
    QByteArray m_bytes;
    quint8 m_version = 0;
    int m_headerLength = 0;
    int m_recordLength = 0;
    quint32 m_stamp = 0;
    qint64 m_fileSize = 0;
};

} // namespace kvor
