#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <memory>

namespace kvor {

class DbfTable;

// Kinds of field values; the names are the ones the type-mismatch error quotes.
enum class FieldKind { String, SmallInt, Integer, Float, Boolean, Date, DateTime, Memo, Blob };

QString fieldKindName(FieldKind kind);

// A field a table declares in advance (bound by name at Open) or computes.
struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::String;
    int size = 0;            // text fields: the declared size; 0 takes 20
    bool calculated = false; // computed by the table's field calculator, never stored
};

// A field as a table file's header describes it.
struct DbfFieldDescriptor {
    QString name;
    char type = 0;
    int length = 0;
    int decimals = 0;
    int offset = 0; // in the record, after the deletion mark
};

// One field of an open table. Reading and writing go through the table's current
// record; the *From(record) forms read any raw record (whole-file passes).
class DbfField {
public:
    const QString &name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    // Text fields: characters a value keeps; others: the file length.
    int size() const { return m_size; }
    char fileType() const { return m_type; } // 0 for calculated fields
    int length() const { return m_length; }
    int decimals() const { return m_decimals; }
    int offset() const { return m_offset; }   // in the record, after the deletion mark
    bool isCalculated() const { return m_calculated; }
    int index() const { return m_index; }
    DbfTable *table() const { return m_table; }

    bool isNumeric() const
    {
        return m_kind == FieldKind::SmallInt || m_kind == FieldKind::Integer || m_kind == FieldKind::Float;
    }

    // Current record.
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    double asFloat() const;
    qint32 asInteger() const;
    bool asBoolean() const;
    QDate asDate() const;
    void setValue(const QVariant &value);

    // A raw record of the file (record length bytes, deletion mark first).
    QVariant valueFrom(const char *record) const;
    QString textFrom(const char *record) const;
    // The stored text bytes: up to the first zero byte, trailing blanks and
    // control characters removed, cut to the declared size.
    QByteArray rawTextFrom(const char *record) const;
    // Numeric kinds: the number (integer kinds rounded half to even); throws
    // "Invalid number in field ..." for text that is not a number.
    double numberFrom(const char *record) const;
    bool numberFrom(const char *record, double *value) const; // false instead of throwing
    bool booleanFrom(const char *record) const;
    QDate dateFrom(const char *record) const;

private:
    friend class DbfTable;
    friend class TableFields;
    DbfField() = default;

    // A field the table declares before it opens; calcSlot is -1 for stored fields.
    static std::unique_ptr<DbfField> declared(const FieldDef &def, int index, int calcSlot, DbfTable *table);
    // A field the table takes from its file.
    static std::unique_ptr<DbfField> stored(const DbfFieldDescriptor &d, FieldKind kind, int index, DbfTable *table);
    // Binds a declared field to the file's descriptor of its name (nullptr when
    // the file lacks it); throws when the stored type does not fit the declared one.
    void bind(const DbfFieldDescriptor *d);

    QString m_name;
    FieldKind m_kind = FieldKind::String;
    int m_size = 0;
    char m_type = 0;
    int m_length = 0;
    int m_decimals = 0;
    int m_offset = 0;
    bool m_calculated = false;
    int m_index = 0;
    int m_calcSlot = -1;
    DbfTable *m_table = nullptr;

    // The last text decoded and its bytes: catalogues repeat values row after row,
    // so walking a table decodes far fewer strings than it reads.
    mutable QByteArray m_lastRaw;
    mutable QString m_lastText;
};

} // namespace kvor
