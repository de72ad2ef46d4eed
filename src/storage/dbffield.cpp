#include "dbffield.h"

#include "codepage.h"
#include "dbferror.h"
#include "dbfheader.h"
#include "dbfnumber.h"
#include "dbftable.h"

#include <cstring>

namespace kvor {

QString fieldKindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::String: return QStringLiteral("String");
    case FieldKind::SmallInt: return QStringLiteral("SmallInt");
    case FieldKind::Integer: return QStringLiteral("Integer");
    case FieldKind::Float: return QStringLiteral("Float");
    case FieldKind::Boolean: return QStringLiteral("Boolean");
    case FieldKind::Date: return QStringLiteral("Date");
    case FieldKind::DateTime: return QStringLiteral("DateTime");
    case FieldKind::Memo: return QStringLiteral("Memo");
    case FieldKind::Blob: return QStringLiteral("Blob");
    }
    return QString();
}

std::unique_ptr<DbfField> DbfField::declared(const FieldDef &d, int index, int calcSlot, DbfTable *table)
{
    auto f = std::unique_ptr<DbfField>(new DbfField());
    f->m_name = d.name;
    f->m_kind = d.kind;
    f->m_size = d.kind == FieldKind::String ? (d.size > 0 ? d.size : 20) : d.size;
    f->m_calculated = d.calculated;
    f->m_index = index;
    f->m_table = table;
    f->m_calcSlot = calcSlot;
    return f;
}

std::unique_ptr<DbfField> DbfField::stored(const DbfFieldDescriptor &d, FieldKind kind, int index, DbfTable *table)
{
    auto f = std::unique_ptr<DbfField>(new DbfField());
    f->m_name = d.name;
    f->m_kind = kind;
    f->m_size = d.length;
    f->m_type = d.type;
    f->m_length = d.length;
    f->m_decimals = d.decimals;
    f->m_offset = d.offset;
    f->m_index = index;
    f->m_table = table;
    return f;
}

void DbfField::bind(const DbfFieldDescriptor *d)
{
    FieldKind fileKind;
    if (!d || !DbfHeader::kindOf(*d, &fileKind))
        throw DbfError(DbfError::Kind::FieldNotFound, QStringLiteral("Field '%1' not found").arg(m_name));
    if (!DbfHeader::sameFamily(fileKind, m_kind)) {
        throw DbfError(DbfError::Kind::Damaged, QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                                                    .arg(m_name, fieldKindName(m_kind), fieldKindName(fileKind)));
    }
    m_type = d->type;
    m_length = d->length;
    m_decimals = d->decimals;
    m_offset = d->offset;
    if (m_kind != FieldKind::String)
        m_size = d->length;
}

namespace {

qint32 readInt32(const char *p)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return qint32(v);
}

// Visual FoxPro's 'T': Julian day and milliseconds since midnight.
QDateTime readDateTime(const char *p)
{
    const qint32 day = readInt32(p);
    const qint32 ms = readInt32(p + 4);
    if (day <= 0)
        return QDateTime();
    const QDate d = QDate::fromJulianDay(day);
    if (!d.isValid() || ms < 0 || ms >= 86400000)
        return QDateTime();
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(ms));
}

} // namespace

QByteArray DbfField::rawTextFrom(const char *record) const
{
    if (m_calculated)
        return QByteArray();
    const char *p = record + 1 + m_offset;
    int n = m_length;
    if (const void *z = std::memchr(p, 0, size_t(n)))
        n = int(static_cast<const char *>(z) - p);
    while (n > 0 && static_cast<unsigned char>(p[n - 1]) <= 0x20)
        --n;
    if (m_size > 0 && n > m_size)
        n = m_size;
    return QByteArray::fromRawData(p, n);
}

QString DbfField::textFrom(const char *record) const
{
    const QByteArray raw = rawTextFrom(record);
    if (raw.isEmpty())
        return QString();
    if (raw.size() == m_lastRaw.size() && std::memcmp(raw.constData(), m_lastRaw.constData(), size_t(raw.size())) == 0)
        return m_lastText;
    m_lastRaw = QByteArray(raw.constData(), raw.size());
    m_lastText = m_table && !m_table->translateAscii() ? Cp1251::decode(raw) : Cp866::decode(raw);
    return m_lastText;
}

bool DbfField::numberFrom(const char *record, double *value) const
{
    const char *p = record + 1 + m_offset;
    if (m_type == 'I') {
        *value = m_length == 4 ? double(readInt32(p)) : 0.0;
        return true;
    }
    int n = m_length;
    while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
        --n;
    if (n > 31)
        n = 31;
    double v = 0;
    if (!parseDbfNumber(p, n, &v))
        return false;
    if (m_kind == FieldKind::SmallInt || m_kind == FieldKind::Integer)
        v = roundHalfEven(v);
    *value = v;
    return true;
}

double DbfField::numberFrom(const char *record) const
{
    double v = 0;
    if (!numberFrom(record, &v)) {
        const char *p = record + 1 + m_offset;
        int n = m_length;
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
            --n;
        QString text = Cp866::decode(p, n);
        for (QChar &c : text) {
            if (c.unicode() < 0x20)
                c = QLatin1Char('?'); // keep the message on one readable line
        }
        throw DbfError(DbfError::Kind::Damaged, QStringLiteral("Invalid number in field %1 - %2 - %3")
                           .arg(m_table ? m_table->filePath() : QString(), m_name, text));
    }
    return v;
}

bool DbfField::booleanFrom(const char *record) const
{
    if (m_length < 1)
        return false;
    const char c = record[1 + m_offset];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y' || c == 'J' || c == 'j';
}

QDate DbfField::dateFrom(const char *record) const
{
    const char *p = record + 1 + m_offset;
    if (m_type == 'T')
        return m_length == 8 ? readDateTime(p).date() : QDate();
    int n = m_length;
    while (n > 0 && p[n - 1] == ' ')
        --n;
    if (n != 8 || std::memcmp(p, "00000000", 8) == 0)
        return QDate();
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    int pos = 0;
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < widths[i]; ++k, ++pos) {
            const char c = p[pos];
            if (c < '0' || c > '9')
                return QDate();
            parts[i] = parts[i] * 10 + (c - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]); // invalid dates read as null
}

QVariant DbfField::valueFrom(const char *record) const
{
    switch (m_kind) {
    case FieldKind::String: {
        const QString s = textFrom(record);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldKind::SmallInt:
    case FieldKind::Integer: {
        const double v = numberFrom(record);
        if (v < -2147483648.0 || v > 2147483647.0) {
            throw DbfError(DbfError::Kind::Damaged, QStringLiteral("Invalid number in field %1 - %2 - %3")
                               .arg(m_table ? m_table->filePath() : QString(), m_name,
                                    QString::fromLatin1(rawTextFrom(record)).trimmed()));
        }
        return QVariant(qint32(v));
    }
    case FieldKind::Float:
        return QVariant(numberFrom(record));
    case FieldKind::Boolean:
        return QVariant(booleanFrom(record));
    case FieldKind::Date: {
        const QDate d = dateFrom(record);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldKind::DateTime: {
        if (m_type == 'T' && m_length == 8) {
            const QDateTime dt = readDateTime(record + 1 + m_offset);
            return dt.isValid() ? QVariant(dt) : QVariant();
        }
        const QDate d = dateFrom(record);
        return d.isValid() ? QVariant(QDateTime(d, QTime(0, 0))) : QVariant();
    }
    case FieldKind::Memo:
    case FieldKind::Blob:
        return QVariant();
    }
    return QVariant();
}

QVariant DbfField::value() const
{
    m_table->checkActive();
    if (m_calculated)
        return m_table->calcValue(*this);
    return valueFrom(m_table->recordBuffer());
}

bool DbfField::isNull() const
{
    return !value().isValid();
}

QString DbfField::asString() const
{
    m_table->checkActive();
    if (m_calculated)
        return m_table->calcValue(*this).toString();
    switch (m_kind) {
    case FieldKind::String:
        return textFrom(m_table->recordBuffer());
    case FieldKind::Float:
        return QString::number(numberFrom(m_table->recordBuffer()), 'g', 15);
    default:
        return value().toString();
    }
}

double DbfField::asFloat() const
{
    m_table->checkActive();
    if (m_calculated)
        return m_table->calcValue(*this).toDouble();
    if (isNumeric())
        return numberFrom(m_table->recordBuffer());
    return value().toDouble();
}

qint32 DbfField::asInteger() const
{
    m_table->checkActive();
    if (isNumeric() && !m_calculated) {
        const double v = roundHalfEven(numberFrom(m_table->recordBuffer()));
        if (v >= -2147483648.0 && v <= 2147483647.0)
            return qint32(v);
    }
    return value().toInt();
}

bool DbfField::asBoolean() const
{
    m_table->checkActive();
    if (m_kind == FieldKind::Boolean && !m_calculated)
        return booleanFrom(m_table->recordBuffer());
    return value().toBool();
}

QDate DbfField::asDate() const
{
    const QVariant v = value();
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

void DbfField::setValue(const QVariant &value)
{
    m_table->writeField(*this, value);
}

} // namespace kvor
