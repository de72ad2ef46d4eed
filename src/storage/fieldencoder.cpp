#include "fieldencoder.h"

#include "codepage.h"
#include "dbferror.h"
#include "dbffield.h"
#include "dbfnumber.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kvor {

namespace {

bool toNumber(const QVariant &value, double *out)
{
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
        const QByteArray t = value.toString().trimmed().toLatin1();
        return parseDbfNumber(t.constData(), int(t.size()), out);
    }
    bool ok = false;
    *out = value.toDouble(&ok);
    return ok;
}

void putInt32(char *p, qint32 v)
{
    const auto u = quint32(v);
    for (int i = 0; i < 4; ++i)
        p[i] = char((u >> (8 * i)) & 0xff);
}

DbfError notANumber(const QVariant &value)
{
    return DbfError(DbfError::Kind::InvalidValue, QStringLiteral("'%1' is not a valid number").arg(value.toString()));
}

DbfError tooLarge(const DbfField &f, const QString &text)
{
    return DbfError(DbfError::Kind::InvalidValue,
                    QStringLiteral("Number too large to fit in field - %1 - %2").arg(f.name(), text));
}

} // namespace

void FieldEncoder::encode(const DbfField &f, const QVariant &value, char *record, bool translateAscii)
{
    char *p = record + 1 + f.offset();
    const int len = f.length();
    const bool null = !value.isValid() || value.isNull();
    switch (f.fileType()) {
    case 'C': {
        QByteArray bytes;
        if (!null) {
            const QString text = value.toString();
            bytes = translateAscii ? Cp866::encode(text) : Cp1251::encode(text);
        }
        const int keep = std::min<int>(int(bytes.size()), std::min(len, f.size() > 0 ? f.size() : len));
        std::memset(p, ' ', size_t(len));
        std::memcpy(p, bytes.constData(), size_t(keep));
        break;
    }
    case 'N':
    case 'F': {
        if (null) {
            std::memset(p, ' ', size_t(len));
            break;
        }
        double v = 0;
        if (!toNumber(value, &v))
            throw notANumber(value);
        // A place is kept for the sign whatever the value's own: N(7,1) holds 1234.5 but not 12345.7.
        const QByteArray text = formatDbfNumber(v, 0, f.decimals());
        if (text.size() + (text.startsWith('-') ? 0 : 1) > len)
            throw tooLarge(f, QString::fromLatin1(text));
        std::memset(p, ' ', size_t(len));
        std::memcpy(p + len - text.size(), text.constData(), size_t(text.size()));
        break;
    }
    case 'I': {
        double v = 0;
        if (!null && !toNumber(value, &v))
            throw notANumber(value);
        const double r = v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
        if (r < -2147483648.0 || r > 2147483647.0)
            throw tooLarge(f, QString::number(r, 'f', 0));
        if (len == 4)
            putInt32(p, qint32(r));
        break;
    }
    case 'L':
        if (len > 0)
            *p = value.toBool() ? 'T' : 'F';
        break;
    case 'D': {
        QDate d = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        QByteArray text(len, ' ');
        if (!null && d.isValid()) {
            const QByteArray s = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
            std::memcpy(text.data(), s.constData(), size_t(std::min<qsizetype>(len, s.size())));
        }
        std::memcpy(p, text.constData(), size_t(len));
        break;
    }
    case 'T': {
        const QDateTime dt = value.toDateTime();
        if (len != 8)
            break;
        if (null || !dt.isValid()) {
            std::memset(p, 0, 8);
        } else {
            putInt32(p, qint32(dt.date().toJulianDay()));
            putInt32(p + 4, dt.time().msecsSinceStartOfDay());
        }
        break;
    }
    default:
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.name()));
    }
}

} // namespace kvor
