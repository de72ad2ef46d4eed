#include "dbfheader.h"

#include "dbferror.h"
#include "dbffile.h"
#include "dbfnumber.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace kvor {

namespace {

std::function<QDateTime()> &clockFunction()
{
    static std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    return clock;
}

void putUInt32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xff);
}

quint32 getUInt32(const char *p)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

quint16 getUInt16(const char *p)
{
    return quint16(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
}

enum class Family { Text, Integer, Float, Boolean, Date, Memo, Blob };

Family familyOf(FieldKind k)
{
    switch (k) {
    case FieldKind::String: return Family::Text;
    case FieldKind::SmallInt:
    case FieldKind::Integer: return Family::Integer;
    case FieldKind::Float: return Family::Float;
    case FieldKind::Boolean: return Family::Boolean;
    case FieldKind::Date:
    case FieldKind::DateTime: return Family::Date;
    case FieldKind::Memo: return Family::Memo;
    case FieldKind::Blob: return Family::Blob;
    }
    return Family::Blob;
}

QString invalidHeader()
{
    return QStringLiteral("dBase DBF file header invalid");
}

} // namespace

void DbfHeader::setClock(std::function<QDateTime()> clock)
{
    clockFunction() = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

DbfHeader DbfHeader::read(const DbfFile &file, const QString &path)
{
    char head[32];
    if (!file.readAt(0, head, 32))
        throw DbfError(DbfError::Kind::Damaged, invalidHeader());
    const auto version = static_cast<quint8>(head[0]);
    if (version != 0x03 && version != 0x30 && version != 0x83 && version != 0x8B && version != 0xF5)
        throw DbfError(DbfError::Kind::Damaged, invalidHeader());
    if (head[15] != 0)
        throw DbfError(DbfError::Kind::Damaged,
                       QStringLiteral("Cannot open file %1: enciphered tables are not supported").arg(path));
    const int headerLength = getUInt16(head + 8);
    const int recordLength = getUInt16(head + 10);
    const qint64 size = file.size();
    if (headerLength < 33 || headerLength > size || recordLength < 1)
        throw DbfError(DbfError::Kind::Damaged, invalidHeader());
    DbfHeader h;
    h.m_bytes = QByteArray(headerLength, '\0');
    if (!file.readAt(0, h.m_bytes.data(), headerLength))
        throw DbfError(DbfError::Kind::Damaged, invalidHeader());
    h.m_version = version;
    h.m_headerLength = headerLength;
    h.m_recordLength = recordLength;
    h.m_stamp = getUInt32(head + 16);
    h.m_fileSize = size;
    return h;
}

std::vector<DbfHeader::Descriptor> DbfHeader::descriptors() const
{
    const char *h = m_bytes.constData();
    int maxFields = (m_headerLength - 33) / 32;
    if (m_version == 0x30 && m_headerLength >= 296)
        maxFields = (m_headerLength - 296) / 32;

    std::vector<Descriptor> descs;
    int offset = 0;
    for (int i = 0; i < maxFields; ++i) {
        const char *d = h + 32 + 32 * i;
        if (d[0] == 0x0D)
            break; // headers padded past their fields end at the terminator
        Descriptor desc;
        int nameLen = 0;
        while (nameLen < 11 && d[nameLen] != 0)
            ++nameLen;
        desc.name = QString::fromLatin1(d, nameLen).trimmed();
        desc.type = char(QChar::fromLatin1(d[11]).toUpper().toLatin1());
        desc.length = static_cast<unsigned char>(d[16]);
        desc.decimals = static_cast<unsigned char>(d[17]);
        if (desc.type == 'C') {
            desc.length += 256 * desc.decimals;
            desc.decimals = 0;
        }
        desc.offset = offset;
        offset += desc.length;
        if (offset + 1 > m_recordLength)
            throw DbfError(DbfError::Kind::Damaged, invalidHeader()); // fields run past the record
        descs.push_back(desc);
    }
    return descs;
}

QByteArray DbfHeader::blankRecord(const std::vector<Descriptor> &descriptors, int recordLength)
{
    QByteArray record(recordLength, ' ');
    for (const Descriptor &d : descriptors) {
        if (d.type == 'N' || d.type == 'F') {
            const QByteArray zero = formatDbfNumber(0, d.length, d.decimals);
            if (zero.size() == d.length)
                std::memcpy(record.data() + 1 + d.offset, zero.constData(), size_t(d.length));
        } else if (d.type == 'I' || d.type == 'T') {
            std::memset(record.data() + 1 + d.offset, 0, size_t(d.length));
        }
    }
    return record;
}

bool DbfHeader::kindOf(const Descriptor &d, FieldKind *kind)
{
    switch (d.type) {
    case 'C': *kind = FieldKind::String; return true;
    case 'N':
    case 'F':
        if (d.decimals == 0 && d.length <= 4)
            *kind = FieldKind::SmallInt;
        else if (d.decimals == 0 && d.length <= 10)
            *kind = FieldKind::Integer;
        else
            *kind = FieldKind::Float;
        return true;
    case 'I': *kind = FieldKind::Integer; return true;
    case 'L': *kind = FieldKind::Boolean; return true;
    case 'D': *kind = FieldKind::Date; return true;
    case 'T': *kind = FieldKind::DateTime; return true;
    case 'M': *kind = FieldKind::Memo; return true;
    case 'B':
    case 'G': *kind = FieldKind::Blob; return true;
    default: return false;
    }
}

bool DbfHeader::sameFamily(FieldKind a, FieldKind b)
{
    return familyOf(a) == familyOf(b);
}

bool DbfHeader::readStamp(const DbfFile &file, quint32 *stamp)
{
    char bytes[4];
    if (!file.readAt(16, bytes, 4))
        return false;
    *stamp = getUInt32(bytes);
    return true;
}

quint32 DbfHeader::writeStamp(const DbfFile &file, int headerLength, int recordLength, quint32 userId,
                              const QString &path)
{
    char head[32];
    if (!file.readAt(0, head, 32))
        throw DbfError(DbfError::Kind::WriteFailed,
                       QStringLiteral("Cannot write to file %1: %2").arg(path, DbfFile::errorText(EIO)));
    const QDateTime now = clockFunction()();
    const QDate d = now.date();
    const QTime t = now.time();
    head[1] = char(d.year() % 100);
    head[2] = char(d.month());
    head[3] = char(d.day());
    const qint64 size = file.size();
    const qint64 count = size >= headerLength ? (size - headerLength) / recordLength : 0;
    putUInt32(head + 4, quint32(count));
    const quint32 stamp = quint32(((t.hour() * 64 + t.minute()) * 64 + t.second()) * 1024 + t.msec());
    putUInt32(head + 16, stamp);
    putUInt32(head + 20, userId);
    head[28] = char(head[28] & 0x07);
    if (!file.writeAt(0, head, 32))
        throw DbfError(DbfError::Kind::WriteFailed,
                       QStringLiteral("Cannot write to file %1: %2").arg(path, DbfFile::errorText(errno)));
    return stamp;
}

void DbfHeader::create(const QString &path, const std::vector<DbfColumn> &columns)
{
    const auto invalid = [&](const QString &why) {
        return DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: ").arg(path) + why);
    };
    if (columns.empty())
        throw invalid(QStringLiteral("no fields"));
    const int n = int(columns.size());
    const int headerLength = 32 + 32 * n + 1;
    int recordLength = 1;
    QByteArray header(headerLength, '\0');
    for (int i = 0; i < n; ++i) {
        const DbfColumn &c = columns[size_t(i)];
        const QByteArray name = c.name.toLatin1();
        if (name.isEmpty() || name.size() > 10)
            throw invalid(QStringLiteral("invalid field name '%1'").arg(c.name));
        const int maxLength = c.type == 'C' ? 65535 : 255;
        if (c.length < 1 || c.length > maxLength || c.decimals < 0 || c.decimals > 255
            || (c.decimals > 0 && c.decimals >= c.length - 1))
            throw invalid(QStringLiteral("invalid size of field '%1'").arg(c.name));
        if (!QByteArray("CNFLDIT").contains(c.type))
            throw invalid(QStringLiteral("unsupported type of field '%1'").arg(c.name));
        char *d = header.data() + 32 + 32 * i;
        std::memcpy(d, name.constData(), size_t(name.size()));
        d[11] = c.type;
        putUInt32(d + 12, quint32(recordLength)); // displacement, for readers that use it
        d[16] = char(c.length & 0xff);
        d[17] = char(c.type == 'C' ? (c.length >> 8) : c.decimals);
        recordLength += c.length;
    }
    if (recordLength > 65535)
        throw invalid(QStringLiteral("records too long"));
    const QDate today = clockFunction()().date();
    header[0] = 0x03;
    header[1] = char(today.year() % 100);
    header[2] = char(today.month());
    header[3] = char(today.day());
    header[8] = char(headerLength & 0xff);
    header[9] = char(headerLength >> 8);
    header[10] = char(recordLength & 0xff);
    header[11] = char(recordLength >> 8);
    header[headerLength - 1] = 0x0D;

    // Written beside the target and renamed, so a failure never leaves half a table.
    const auto failed = [&](int err) {
        return DbfError(DbfError::Kind::CannotCreate,
                        QStringLiteral("Cannot create file %1: %2").arg(path, DbfFile::errorText(err)));
    };
    const QByteArray nativeTemp = QFile::encodeName(path + QStringLiteral(".tmp~"));
    DbfFile f;
    if (!f.create(nativeTemp, 0644))
        throw failed(errno);
    if (!f.writeAt(0, header.constData(), header.size())) {
        const int err = errno;
        ::unlink(nativeTemp.constData());
        throw failed(err);
    }
    if (::rename(nativeTemp.constData(), QFile::encodeName(path).constData()) != 0) {
        const int err = errno;
        ::unlink(nativeTemp.constData());
        throw failed(err);
    }
}

} // namespace kvor
