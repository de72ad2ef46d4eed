#include "dbftable.h"

#include "codepage.h"
#include "dbfnumber.h"
#include "filterexpression.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvor {

namespace {

constexpr qint64 kRecordLockBase = 0x40000000;
constexpr qint64 kAppendLockOffset = 0x7ffffffe;
constexpr qint64 kReadAheadBytes = 256 * 1024;

std::function<QDateTime()> &clockFunction()
{
    static std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    return clock;
}

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
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

struct Descriptor {
    QString name;
    char type = 0;
    int length = 0;
    int decimals = 0;
    int offset = 0;
};

// The kind a descriptor reads as; false for types the table skips.
bool kindOf(const Descriptor &d, FieldKind *kind)
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

} // namespace

// The open file: a descriptor with positioned reads and writes and the
// open-file-description locks, which another descriptor's close never drops.
class DbfTable::File {
public:
    ~File()
    {
        if (fd >= 0)
            ::close(fd);
    }

    bool readAt(qint64 pos, char *into, qint64 size, qint64 *got = nullptr) const
    {
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::pread(fd, into + done, size_t(size - done), off_t(pos + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        if (got)
            *got = done;
        return done == size;
    }

    // On failure errno tells why; a short write is reported as ENOSPC.
    bool writeAt(qint64 pos, const char *from, qint64 size) const
    {
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd, from + done, size_t(size - done), off_t(pos + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0) {
                errno = ENOSPC;
                return false;
            }
            done += n;
        }
        return true;
    }

    qint64 size() const
    {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return -1;
        return qint64(st.st_size);
    }

    bool lock(qint64 offset, bool on) const
    {
        struct flock fl {};
        fl.l_type = short(on ? F_WRLCK : F_UNLCK);
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(offset);
        fl.l_len = 1;
        for (;;) {
            if (::fcntl(fd, F_OFD_SETLK, &fl) == 0)
                return true;
            if (errno != EINTR)
                return false;
        }
    }

    int fd = -1;
};

DbfTable::DbfTable(QObject *parent)
    : QObject(parent)
{
    // A write past the file-size limit must fail with an error, not end the program.
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

DbfTable::~DbfTable()
{
    if (m_file) {
        try {
            writeBackIfUnlinked();
        } catch (...) {
        }
        unlock();
        releaseFile();
    }
}

void DbfTable::setClock(std::function<QDateTime()> clock)
{
    clockFunction() = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

void DbfTable::setFieldDefs(std::vector<FieldDef> defs)
{
    if (active())
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Cannot perform this operation on an open dataset"));
    m_defs = std::move(defs);
    m_fields.clear();
    int calc = 0;
    for (size_t i = 0; i < m_defs.size(); ++i) {
        const FieldDef &d = m_defs[i];
        auto f = std::unique_ptr<DbfField>(new DbfField());
        f->m_name = d.name;
        f->m_kind = d.kind;
        f->m_size = d.kind == FieldKind::String ? (d.size > 0 ? d.size : 20) : d.size;
        f->m_calculated = d.calculated;
        f->m_index = int(i);
        f->m_table = this;
        if (d.calculated)
            f->m_calcSlot = calc++;
        m_fields.push_back(std::move(f));
    }
    m_calc.assign(size_t(calc), QVariant());
}

QString DbfTable::filePath() const
{
    QString name = m_tableName;
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".DBF");
    if (m_databaseName.isEmpty())
        return name;
    QString folder = m_databaseName;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name;
}

void DbfTable::checkActive() const
{
    if (m_state == State::Inactive)
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Cannot perform this operation on a closed dataset"));
}

DbfField *DbfTable::findField(const QString &name) const
{
    for (const auto &f : m_fields) {
        if (f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    }
    return nullptr;
}

DbfField *DbfTable::fieldByName(const QString &name) const
{
    if (DbfField *f = findField(name))
        return f;
    if (!active())
        checkActive();
    throw DbfError(DbfError::Kind::FieldNotFound, QStringLiteral("Field '%1' not found").arg(name));
}

// ---------------------------------------------------------------- opening

void DbfTable::open()
{
    if (active())
        return;
    if (m_tableName.isEmpty())
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Table name missing"));
    try {
        openFile();
        m_state = State::Browse;
        m_modified = false;
        m_wroteFile = false;
        const qint64 k = scan(1, +1);
        if (k)
            loadRecord(k, cachedRecord(k));
        else
            clearBuffer();
        m_eof = m_bof = k == 0;
        if (m_filtered && !m_filterText.trimmed().isEmpty())
            applyFilter();
        emit stateChanged();
        emit recordChanged();
        emit opened();
    } catch (...) {
        unlock();
        releaseFile();
        m_state = State::Inactive;
        emit stateChanged();
        throw;
    }
}

void DbfTable::openFile()
{
    m_path = filePath();
    QFileInfo info(m_path);
    if (!info.exists()) {
        // Tables copied from case-insensitive file systems keep their names' case only by chance.
        const QDir dir = info.absoluteDir();
        const QStringList all = dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString &candidate : all) {
            if (candidate.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
                m_path = m_databaseName.isEmpty() && !m_tableName.contains(QLatin1Char('/'))
                             ? candidate
                             : dir.filePath(candidate);
                info = QFileInfo(m_path);
                break;
            }
        }
        if (!info.exists())
            throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot find file %1").arg(filePath()));
    }
    if (info.isDir())
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1: %2").arg(m_path, errnoText(EISDIR)));

    auto file = std::make_unique<File>();
    const QByteArray native = QFile::encodeName(m_path);
    file->fd = ::open(native.constData(), (m_readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (file->fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot find file %1").arg(m_path));
        throw DbfError(DbfError::Kind::CannotOpen, QStringLiteral("Cannot open file %1: %2").arg(m_path, errnoText(err)));
    }
    if (m_exclusive && ::flock(file->fd, LOCK_EX | LOCK_NB) != 0)
        throw DbfError(DbfError::Kind::Locked, QStringLiteral("Cannot open file %1: it is in use by another program").arg(m_path));

    const QString invalid = QStringLiteral("dBase DBF file header invalid");
    char head[32];
    if (!file->readAt(0, head, 32))
        throw DbfError(DbfError::Kind::Damaged, invalid);
    const auto version = static_cast<quint8>(head[0]);
    if (version != 0x03 && version != 0x30 && version != 0x83 && version != 0x8B && version != 0xF5)
        throw DbfError(DbfError::Kind::Damaged, invalid);
    if (head[15] != 0)
        throw DbfError(DbfError::Kind::Damaged, QStringLiteral("Cannot open file %1: enciphered tables are not supported").arg(m_path));
    const int headerLength = getUInt16(head + 8);
    const int recordLength = getUInt16(head + 10);
    const qint64 size = file->size();
    if (headerLength < 33 || headerLength > size || recordLength < 1)
        throw DbfError(DbfError::Kind::Damaged, invalid);
    QByteArray header(headerLength, '\0');
    if (!file->readAt(0, header.data(), headerLength))
        throw DbfError(DbfError::Kind::Damaged, invalid);

    m_file = std::move(file);
    m_version = version;
    m_headerLength = headerLength;
    m_recordLength = recordLength;
    m_stamp = getUInt32(head + 16);
    buildFields(header);
    m_buffer = QByteArray(m_recordLength, ' ');
    m_count = (size - m_headerLength) / m_recordLength;
    invalidateCache();
}

void DbfTable::buildFields(const QByteArray &header)
{
    const QString invalid = QStringLiteral("dBase DBF file header invalid");
    const char *h = header.constData();
    int maxFields = (m_headerLength - 33) / 32;
    if (m_version == 0x30 && m_headerLength >= 296)
        maxFields = (m_headerLength - 296) / 32;

    std::vector<Descriptor> descs;
    int offset = 0;
    m_fileTypes.clear();
    m_numericSpans.clear();
    m_binarySpans.clear();
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
            throw DbfError(DbfError::Kind::Damaged, invalid); // fields run past the record
        if (desc.type == 'N' || desc.type == 'F')
            m_numericSpans.push_back({desc.offset, desc.length, desc.decimals});
        else if (desc.type == 'I' || desc.type == 'T')
            m_binarySpans.push_back({desc.offset, desc.length});
        descs.push_back(desc);
    }

    auto findDesc = [&](const QString &name) -> const Descriptor * {
        for (const Descriptor &d : descs) {
            if (d.name.compare(name, Qt::CaseInsensitive) == 0)
                return &d;
        }
        return nullptr;
    };

    if (m_defs.empty()) {
        m_fields.clear();
        for (const Descriptor &d : descs) {
            FieldKind kind;
            if (!kindOf(d, &kind))
                continue;
            auto f = std::unique_ptr<DbfField>(new DbfField());
            f->m_name = d.name;
            f->m_kind = kind;
            f->m_size = d.length;
            f->m_type = d.type;
            f->m_length = d.length;
            f->m_decimals = d.decimals;
            f->m_offset = d.offset;
            f->m_index = int(m_fields.size());
            f->m_table = this;
            m_fields.push_back(std::move(f));
        }
        return;
    }

    for (auto &f : m_fields) {
        f->m_lastRaw.clear();
        f->m_lastText.clear();
        if (f->m_calculated)
            continue;
        const Descriptor *d = findDesc(f->m_name);
        FieldKind fileKind;
        if (!d || !kindOf(*d, &fileKind))
            throw DbfError(DbfError::Kind::FieldNotFound, QStringLiteral("Field '%1' not found").arg(f->m_name));
        if (familyOf(fileKind) != familyOf(f->m_kind)) {
            throw DbfError(DbfError::Kind::Damaged, QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                               .arg(f->m_name, fieldKindName(f->m_kind), fieldKindName(fileKind)));
        }
        f->m_type = d->type;
        f->m_length = d->length;
        f->m_decimals = d->decimals;
        f->m_offset = d->offset;
        if (f->m_kind != FieldKind::String)
            f->m_size = d->length;
    }
}

void DbfTable::releaseFile()
{
    m_file.reset();
    invalidateCache();
    m_filterExpr.reset();
    m_parsedText.clear();
    m_matches.clear();
    m_matchedCount = 0;
    m_recNo = 0;
    m_count = 0;
    m_eof = m_bof = true;
    if (m_defs.empty())
        m_fields.clear();
}

void DbfTable::close()
{
    if (!active())
        return;
    // A failing before-close step (the record could not be written) keeps the table open.
    emit aboutToClose();
    if (m_state == State::Edit || m_state == State::Insert) {
        m_buffer = m_saved;
        m_modified = false;
    }
    std::optional<DbfError> notWritten;
    try {
        writeBackIfUnlinked();
    } catch (const DbfError &e) {
        notWritten = e; // the table lets go all the same: nothing would make it writable
    }
    unlock();
    releaseFile();
    m_state = State::Inactive;
    emit stateChanged();
    emit recordChanged();
    if (notWritten)
        throw *notWritten;
}

// A file deleted, or replaced by another under its name, while the table has it
// open keeps what the table wrote only in the open descriptor. A deleted file is
// put back at its path before the descriptor goes; a replacement is someone
// else's work and is left alone, ours going beside it and the user told.
void DbfTable::writeBackIfUnlinked()
{
    if (!m_file || m_readOnly || !m_wroteFile)
        return;
    struct stat st {};
    if (::fstat(m_file->fd, &st) != 0 || st.st_nlink > 0)
        return;
    QByteArray all(qsizetype(st.st_size), '\0');
    qint64 got = 0;
    m_file->readAt(0, all.data(), all.size(), &got);
    all.truncate(got);
    const bool replaced = QFileInfo::exists(m_path);
    const QString path = replaced ? m_path + QStringLiteral(".saved") : m_path;
    const QString failed = QStringLiteral("Cannot create file %1").arg(path);
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp~";
    File out;
    out.fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777);
    if (out.fd < 0)
        throw DbfError(DbfError::Kind::CannotCreate, failed);
    if (!out.writeAt(0, all.constData(), all.size()) || ::fsync(out.fd) != 0
        || ::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        throw DbfError(DbfError::Kind::CannotCreate, failed);
    }
    if (replaced)
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("File %1 was replaced by another program; the changes were saved as %2")
                           .arg(m_path, path));
}

// ---------------------------------------------------------------- reading

void DbfTable::invalidateCache()
{
    m_cacheFirst = 0;
    m_cacheCount = 0;
}

const char *DbfTable::cachedRecord(qint64 k)
{
    if (k < 1 || k > m_count)
        return nullptr;
    if (k >= m_cacheFirst && k < m_cacheFirst + m_cacheCount)
        return m_cache.constData() + (k - m_cacheFirst) * m_recordLength;
    const qint64 chunk = std::max<qint64>(1, kReadAheadBytes / m_recordLength);
    // Backward walks read the chunk that ends at k.
    qint64 firstRec = k;
    if (k < m_cacheFirst && m_cacheCount > 0)
        firstRec = std::max<qint64>(1, k - chunk + 1);
    const qint64 n = std::min(chunk, m_count - firstRec + 1);
    if (m_cache.size() < n * m_recordLength)
        m_cache.resize(n * m_recordLength);
    qint64 got = 0;
    m_file->readAt(m_headerLength + (firstRec - 1) * qint64(m_recordLength), m_cache.data(), n * m_recordLength, &got);
    m_cacheFirst = firstRec;
    m_cacheCount = got / m_recordLength;
    if (k >= m_cacheFirst + m_cacheCount)
        return nullptr; // the file shrank under us
    return m_cache.constData() + (k - m_cacheFirst) * m_recordLength;
}

bool DbfTable::readRecordDirect(qint64 k, QByteArray &into)
{
    QByteArray rec(m_recordLength, ' ');
    if (!m_file->readAt(m_headerLength + (k - 1) * qint64(m_recordLength), rec.data(), m_recordLength))
        return false;
    into = rec;
    return true;
}

void DbfTable::refreshCount()
{
    const qint64 size = m_file->size();
    const qint64 count = size >= m_headerLength ? (size - m_headerLength) / m_recordLength : 0;
    char stamp[4];
    const bool stampRead = m_file->readAt(16, stamp, 4);
    const bool changedByOthers = stampRead && getUInt32(stamp) != m_stamp;
    if (count == m_count && !changedByOthers)
        return;
    invalidateCache();
    if (stampRead)
        m_stamp = getUInt32(stamp);
    const qint64 previous = m_count;
    m_count = count;
    if (m_filterExpr) {
        if (changedByOthers || count < previous) {
            m_matchedCount = 0; // records may have changed anywhere
            m_matches.clear();
        }
        m_matches.resize(size_t((m_count + 63) / 64), 0);
        for (qint64 k = m_matchedCount + 1; k <= m_count; ++k) {
            const char *rec = cachedRecord(k);
            if (!rec)
                break;
            setMatch(k, evaluateFilter(rec));
        }
        m_matchedCount = m_count;
    }
}

bool DbfTable::isVisible(qint64 k, const char *record) const
{
    if (!m_useDeleted && record[0] == '*')
        return false;
    return !(m_filtered && m_filterExpr) || match(k);
}

qint64 DbfTable::scan(qint64 from, int step)
{
    for (qint64 k = from; k >= 1 && k <= m_count; k += step) {
        const char *rec = cachedRecord(k);
        if (!rec)
            return 0;
        if (isVisible(k, rec))
            return k;
    }
    return 0;
}

void DbfTable::loadRecord(qint64 k, const char *record)
{
    std::memcpy(m_buffer.data(), record, size_t(m_recordLength));
    m_recNo = k;
    runCalcFields();
}

void DbfTable::clearBuffer()
{
    blankRecord(m_buffer);
    m_recNo = 0;
    runCalcFields();
}

void DbfTable::blankRecord(QByteArray &record) const
{
    record = QByteArray(m_recordLength, ' ');
    for (const auto &[offset, length, decimals] : m_numericSpans) {
        const QByteArray zero = formatDbfNumber(0, length, decimals);
        if (zero.size() == length)
            std::memcpy(record.data() + 1 + offset, zero.constData(), size_t(length));
    }
    for (const auto &[offset, length] : m_binarySpans)
        std::memset(record.data() + 1 + offset, 0, size_t(length));
}

void DbfTable::runCalcFields()
{
    if (m_calc.empty())
        return;
    std::fill(m_calc.begin(), m_calc.end(), QVariant());
    if (!m_calculateFields)
        return;
    m_inCalc = true;
    try {
        m_calculateFields(*this);
    } catch (...) {
        m_inCalc = false;
        throw;
    }
    m_inCalc = false;
}

QVariant DbfTable::calcValue(const DbfField &f) const
{
    return m_calc.at(size_t(f.m_calcSlot));
}

bool DbfTable::isEmpty() const
{
    checkActive();
    if (m_state == State::Insert)
        return false;
    return const_cast<DbfTable *>(this)->scan(1, +1) == 0;
}

bool DbfTable::isDeleted() const
{
    checkActive();
    return m_recNo > 0 && m_buffer.at(0) == '*';
}

// ---------------------------------------------------------------- navigation

void DbfTable::endPendingEdit()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        emit updateRecordRequested();
        if (m_modified)
            post();
        else
            cancel();
    }
}

void DbfTable::first()
{
    checkActive();
    endPendingEdit();
    refreshCount();
    const qint64 k = scan(1, +1);
    if (k)
        loadRecord(k, cachedRecord(k));
    else
        clearBuffer();
    m_eof = k == 0;
    m_bof = true;
    emit recordChanged();
}

void DbfTable::last()
{
    checkActive();
    endPendingEdit();
    refreshCount();
    const qint64 k = scan(m_count, -1);
    if (k)
        loadRecord(k, cachedRecord(k));
    else
        clearBuffer();
    m_eof = k == 0;
    m_bof = k == 0;
    emit recordChanged();
}

void DbfTable::next()
{
    checkActive();
    endPendingEdit();
    const qint64 k = m_recNo > 0 ? scan(m_recNo + 1, +1) : 0;
    if (!k) {
        m_eof = true;
        return;
    }
    loadRecord(k, cachedRecord(k));
    m_eof = false;
    m_bof = false;
    emit recordChanged();
}

void DbfTable::prior()
{
    checkActive();
    endPendingEdit();
    const qint64 k = m_recNo > 1 ? scan(m_recNo - 1, -1) : 0;
    if (!k) {
        m_bof = true;
        return;
    }
    loadRecord(k, cachedRecord(k));
    m_bof = false;
    m_eof = false;
    emit recordChanged();
}

bool DbfTable::goToRecord(qint64 k)
{
    checkActive();
    endPendingEdit();
    refreshCount();
    if (k < 1 || k > m_count)
        return false;
    QByteArray rec;
    if (!readRecordDirect(k, rec))
        return false;
    loadRecord(k, rec.constData());
    m_eof = m_bof = false;
    emit recordChanged();
    return true;
}

// ---------------------------------------------------------------- editing

void DbfTable::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged();
}

void DbfTable::lockRecord(qint64 k)
{
    if (m_exclusive)
        return;
    const qint64 offset = kRecordLockBase + m_headerLength + qint64(m_recordLength) * (k - 1);
    if (m_lockOffset == offset)
        return;
    unlock();
    if (!m_file->lock(offset, true))
        throw DbfError(DbfError::Kind::Locked, QStringLiteral("Record is locked by another user"));
    m_lockOffset = offset;
}

void DbfTable::unlock()
{
    if (m_lockOffset >= 0 && m_file)
        m_file->lock(m_lockOffset, false);
    m_lockOffset = -1;
}

void DbfTable::edit()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_readOnly)
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Cannot modify a read-only dataset"));
    if (m_recNo == 0) {
        append();
        return;
    }
    if (!readRecordDirect(m_recNo, m_buffer))
        throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Record %1 of %2 no longer exists").arg(m_recNo).arg(m_path));
    lockRecord(m_recNo);
    // Read again under the lock: whatever another process posted before we got it counts.
    if (!readRecordDirect(m_recNo, m_buffer)) {
        unlock();
        throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Record %1 of %2 no longer exists").arg(m_recNo).arg(m_path));
    }
    runCalcFields();
    m_saved = m_buffer;
    m_modified = false;
    setState(State::Edit);
    emit recordChanged();
}

void DbfTable::append()
{
    checkActive();
    if (m_readOnly)
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Cannot modify a read-only dataset"));
    endPendingEdit();
    m_saved = m_buffer;
    m_savedRecNo = m_recNo;
    blankRecord(m_buffer);
    m_modified = false;
    runCalcFields();
    setState(State::Insert);
    emit recordChanged();
}

void DbfTable::cancel()
{
    checkActive();
    if (m_state == State::Browse)
        return;
    if (m_state == State::Insert)
        m_recNo = m_savedRecNo;
    m_buffer = m_saved;
    m_modified = false;
    unlock();
    runCalcFields();
    setState(State::Browse);
    emit recordChanged();
}

void DbfTable::writeHeader()
{
    char head[32];
    if (!m_file->readAt(0, head, 32))
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Cannot write to file %1: %2").arg(m_path, errnoText(EIO)));
    const QDateTime now = clockFunction()();
    const QDate d = now.date();
    const QTime t = now.time();
    head[1] = char(d.year() % 100);
    head[2] = char(d.month());
    head[3] = char(d.day());
    const qint64 size = m_file->size();
    const qint64 count = size >= m_headerLength ? (size - m_headerLength) / m_recordLength : 0;
    putUInt32(head + 4, quint32(count));
    const quint32 stamp = quint32(((t.hour() * 64 + t.minute()) * 64 + t.second()) * 1024 + t.msec());
    putUInt32(head + 16, stamp);
    putUInt32(head + 20, m_userId);
    head[28] = char(head[28] & 0x07);
    if (!m_file->writeAt(0, head, 32))
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Cannot write to file %1: %2").arg(m_path, errnoText(errno)));
    m_stamp = stamp;
}

// Writes one record and the header; on any failure the file is put back as it was.
void DbfTable::writeRecordAndHeader(qint64 k, const QByteArray &record, bool appending)
{
    const qint64 pos = m_headerLength + (k - 1) * qint64(m_recordLength);
    const qint64 oldSize = m_file->size();
    QByteArray old;
    qint64 got = 0;
    if (appending) {
        const qint64 tail = std::max<qint64>(0, oldSize - pos);
        old.resize(tail);
        m_file->readAt(pos, old.data(), tail, &got);
        old.truncate(got);
    } else {
        old.resize(m_recordLength);
        m_file->readAt(pos, old.data(), m_recordLength, &got);
        old.truncate(got);
    }
    char oldHead[32];
    const bool haveHead = m_file->readAt(0, oldHead, 32);
    invalidateCache();

    auto rollback = [&] {
        const int saved = errno;
        if (appending) {
            if (::ftruncate(m_file->fd, off_t(oldSize)) != 0) {
            }
        }
        m_file->writeAt(pos, old.constData(), old.size());
        if (haveHead)
            m_file->writeAt(0, oldHead, 32);
        errno = saved;
    };

    if (!m_file->writeAt(pos, record.constData(), record.size())) {
        const int err = errno;
        rollback();
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Cannot write to file %1: %2").arg(m_path, errnoText(err)));
    }
    try {
        writeHeader();
    } catch (...) {
        rollback();
        throw;
    }
    m_count = (m_file->size() - m_headerLength) / m_recordLength;
    m_wroteFile = true;
}

void DbfTable::post()
{
    checkActive();
    if (m_state == State::Browse)
        return;
    emit updateRecordRequested();
    if (m_state == State::Edit) {
        writeRecordAndHeader(m_recNo, m_buffer, false);
        if (m_filterExpr && m_recNo <= m_matchedCount)
            setMatch(m_recNo, evaluateFilter(m_buffer.constData()));
        unlock();
    } else {
        if (!m_exclusive) {
            // Another process appends for microseconds at a time; wait for it briefly.
            bool locked = false;
            for (int attempt = 0; attempt < 100 && !(locked = m_file->lock(kAppendLockOffset, true)); ++attempt)
                QThread::msleep(10);
            if (!locked)
                throw DbfError(DbfError::Kind::Locked, QStringLiteral("Record is locked by another user"));
        }
        try {
            refreshCount();
            writeRecordAndHeader(m_count + 1, m_buffer, true);
        } catch (...) {
            if (!m_exclusive)
                m_file->lock(kAppendLockOffset, false);
            throw;
        }
        if (!m_exclusive)
            m_file->lock(kAppendLockOffset, false);
        m_recNo = m_count;
        if (m_filterExpr) {
            m_matches.resize(size_t((m_count + 63) / 64), 0);
            for (qint64 k = m_matchedCount + 1; k <= m_count; ++k) {
                const char *rec = k == m_recNo ? m_buffer.constData() : cachedRecord(k);
                if (rec)
                    setMatch(k, evaluateFilter(rec));
            }
            m_matchedCount = m_count;
        }
        m_eof = m_bof = false;
    }
    m_modified = false;
    setState(State::Browse);
    emit recordChanged();
}

void DbfTable::deleteRecord()
{
    checkActive();
    if (m_readOnly)
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Cannot modify a read-only dataset"));
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_recNo == 0)
        throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot delete the record"));
    lockRecord(m_recNo);
    QByteArray rec;
    if (!readRecordDirect(m_recNo, rec)) {
        unlock();
        throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot delete the record"));
    }
    rec[0] = '*';
    try {
        writeRecordAndHeader(m_recNo, rec, false);
    } catch (const DbfError &) {
        unlock();
        throw DbfError(DbfError::Kind::WriteFailed, QStringLiteral("Cannot delete the record"));
    }
    unlock();
    const qint64 deleted = m_recNo;
    qint64 k = scan(deleted + 1, +1);
    if (!k)
        k = scan(deleted - 1, -1);
    if (k) {
        loadRecord(k, cachedRecord(k));
        m_eof = m_bof = false;
    } else {
        clearBuffer();
        m_eof = m_bof = true;
    }
    emit recordChanged();
}

void DbfTable::checkWritable(const DbfField &f) const
{
    checkActive();
    if (f.m_calculated) {
        if (!m_inCalc)
            throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.m_name));
        return;
    }
    if (m_state != State::Edit && m_state != State::Insert)
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Dataset not in edit or insert mode"));
    if (f.m_kind == FieldKind::Memo || f.m_kind == FieldKind::Blob)
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.m_name));
}

void DbfTable::setCalcValue(const DbfField &f, const QVariant &v)
{
    m_calc.at(size_t(f.m_calcSlot)) = v;
}

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
    putUInt32(p, quint32(v));
}

} // namespace

void DbfTable::writeField(DbfField &f, const QVariant &value)
{
    checkWritable(f);
    if (f.m_calculated) {
        setCalcValue(f, value);
        return;
    }
    char *p = m_buffer.data() + 1 + f.m_offset;
    const int len = f.m_length;
    const bool null = !value.isValid() || value.isNull();
    switch (f.m_type) {
    case 'C': {
        QByteArray bytes;
        if (!null) {
            const QString text = value.toString();
            bytes = m_translateAscii ? Cp866::encode(text) : Cp1251::encode(text);
        }
        const int keep = std::min<int>(int(bytes.size()), std::min(len, f.m_size > 0 ? f.m_size : len));
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
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("'%1' is not a valid number").arg(value.toString()));
        // A place is kept for the sign whatever the value's own: N(7,1) holds 1234.5 but not 12345.7.
        const QByteArray text = formatDbfNumber(v, 0, f.m_decimals);
        if (text.size() + (text.startsWith('-') ? 0 : 1) > len) {
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Number too large to fit in field - %1 - %2")
                               .arg(f.m_name, QString::fromLatin1(text)));
        }
        std::memset(p, ' ', size_t(len));
        std::memcpy(p + len - text.size(), text.constData(), size_t(text.size()));
        break;
    }
    case 'I': {
        double v = 0;
        if (!null && !toNumber(value, &v))
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("'%1' is not a valid number").arg(value.toString()));
        const double r = v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
        if (r < -2147483648.0 || r > 2147483647.0) {
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Number too large to fit in field - %1 - %2")
                               .arg(f.m_name, QString::number(r, 'f', 0)));
        }
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
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.m_name));
    }
    fieldWritten(f);
}

void DbfTable::fieldWritten(DbfField &f)
{
    m_modified = true;
    runCalcFields();
    emit fieldChanged(&f);
}

// ---------------------------------------------------------------- Locate

bool DbfTable::locate(const QString &fieldName, const QVariant &value, bool caseInsensitive)
{
    checkActive();
    DbfField *f = fieldByName(fieldName);
    refreshCount();
    if (m_count == 0)
        return false;
    endPendingEdit();
    refreshCount();
    if (f->m_calculated)
        return false;

    const QString text = value.typeId() == QMetaType::Double
                             ? QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest)
                             : value.toString();
    if (text.size() > f->m_length)
        return false; // a field narrower than the value cannot hold it

    QByteArray wanted;
    bool textExact = true;
    double number = 0;
    bool numberOk = false;
    bool truth = false;
    QDate date;
    switch (f->m_kind) {
    case FieldKind::String:
        wanted = m_translateAscii ? Cp866::encode(text, &textExact) : Cp1251::encode(text, &textExact);
        if (!textExact)
            return false; // no stored text decodes to characters the page lacks
        if (caseInsensitive) {
            if (m_translateAscii) {
                for (char &c : wanted)
                    c = char(Cp866::toUpper(static_cast<unsigned char>(c)));
            } else {
                wanted = Cp1251::encode(text.toUpper());
            }
        }
        break;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float: {
        const QByteArray t = text.trimmed().toLatin1();
        numberOk = !t.isEmpty() && parseDbfNumber(t.constData(), int(t.size()), &number);
        if (!numberOk)
            return false;
        break;
    }
    case FieldKind::Boolean: {
        const QChar c = text.isEmpty() ? QChar() : text.at(0);
        truth = QStringLiteral("TtYyJj").contains(c) && !c.isNull();
        break;
    }
    case FieldKind::Date:
    case FieldKind::DateTime:
        date = value.typeId() == QMetaType::QDate ? value.toDate() : QDate::fromString(text, Qt::ISODate);
        break;
    default:
        return false;
    }

    invalidateCache();
    for (qint64 k = 1; k <= m_count; ++k) {
        const char *rec = cachedRecord(k);
        if (!rec)
            break;
        bool hit = false;
        switch (f->m_kind) {
        case FieldKind::String: {
            const QByteArray raw = f->rawTextFrom(rec);
            if (raw.size() != wanted.size())
                break;
            if (!caseInsensitive) {
                hit = std::memcmp(raw.constData(), wanted.constData(), size_t(raw.size())) == 0;
            } else if (m_translateAscii) {
                hit = true;
                for (qsizetype i = 0; i < raw.size() && hit; ++i)
                    hit = Cp866::toUpper(static_cast<unsigned char>(raw[i])) == static_cast<unsigned char>(wanted[i]);
            } else {
                hit = Cp1251::encode(Cp1251::decode(raw).toUpper()) == wanted;
            }
            break;
        }
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::Float: {
            double v = 0;
            hit = f->numberFrom(rec, &v) && v == number;
            break;
        }
        case FieldKind::Boolean:
            hit = f->booleanFrom(rec) == truth;
            break;
        case FieldKind::Date:
        case FieldKind::DateTime:
            hit = date.isValid() && f->dateFrom(rec) == date;
            break;
        default:
            break;
        }
        if (hit) {
            loadRecord(k, rec);
            m_eof = m_bof = false;
            emit recordChanged();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- filters

void DbfTable::setFilter(const QString &expression)
{
    if (expression == m_filterText)
        return;
    m_filterText = expression;
    if (active() && m_filtered)
        applyFilter();
}

void DbfTable::setFiltered(bool on)
{
    if (on) {
        m_filtered = true;
        if (active())
            applyFilter();
        return;
    }
    if (!m_filtered)
        return;
    if (active())
        endPendingEdit();
    m_filtered = false;
    if (active())
        first();
}

bool DbfTable::match(qint64 k) const
{
    if (k < 1 || k > m_matchedCount)
        return false;
    return (m_matches[size_t((k - 1) / 64)] >> ((k - 1) % 64)) & 1u;
}

void DbfTable::setMatch(qint64 k, bool on)
{
    const size_t word = size_t((k - 1) / 64);
    if (word >= m_matches.size())
        m_matches.resize(word + 1, 0);
    const quint64 bit = quint64(1) << ((k - 1) % 64);
    if (on)
        m_matches[word] |= bit;
    else
        m_matches[word] &= ~bit;
}

bool DbfTable::evaluateFilter(const char *record) const
{
    return m_filterExpr->evaluate(record);
}

void DbfTable::applyFilter()
{
    checkActive();
    endPendingEdit();
    if (m_filterText.trimmed().isEmpty()) {
        m_filterExpr.reset();
        m_parsedText.clear();
        first();
        return;
    }
    if (!m_filterExpr || m_parsedText != m_filterText) {
        m_filterExpr.reset();
        m_matches.clear();
        m_matchedCount = 0;
        std::unique_ptr<FilterExpression> expr;
        try {
            expr = FilterExpression::parse(m_filterText, *this);
        } catch (...) {
            m_filtered = false;
            m_parsedText.clear();
            throw;
        }
        m_filterExpr = std::move(expr);
        m_parsedText = m_filterText;
        const qint64 size = m_file->size();
        m_count = size >= m_headerLength ? (size - m_headerLength) / m_recordLength : 0;
        invalidateCache();
        m_matches.assign(size_t((m_count + 63) / 64), 0);
        try {
            for (qint64 k = 1; k <= m_count; ++k) {
                const char *rec = cachedRecord(k);
                if (!rec)
                    break;
                if (m_filterExpr->evaluate(rec))
                    setMatch(k, true);
            }
        } catch (...) {
            m_filterExpr.reset();
            m_parsedText.clear();
            m_matches.clear();
            m_filtered = false;
            throw;
        }
        m_matchedCount = m_count;
    }
    first();
}

// ---------------------------------------------------------------- creating

void DbfTable::create(const QString &path, const std::vector<DbfColumn> &columns)
{
    if (columns.empty())
        throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: no fields").arg(path));
    const int n = int(columns.size());
    const int headerLength = 32 + 32 * n + 1;
    int recordLength = 1;
    QByteArray header(headerLength, '\0');
    for (int i = 0; i < n; ++i) {
        const DbfColumn &c = columns[size_t(i)];
        const QByteArray name = c.name.toLatin1();
        if (name.isEmpty() || name.size() > 10)
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: invalid field name '%2'").arg(path, c.name));
        const int maxLength = c.type == 'C' ? 65535 : 255;
        if (c.length < 1 || c.length > maxLength || c.decimals < 0 || c.decimals > 255
            || (c.decimals > 0 && c.decimals >= c.length - 1))
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: invalid size of field '%2'").arg(path, c.name));
        if (!QByteArray("CNFLDIT").contains(c.type))
            throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: unsupported type of field '%2'").arg(path, c.name));
        char *d = header.data() + 32 + 32 * i;
        std::memcpy(d, name.constData(), size_t(name.size()));
        d[11] = c.type;
        putUInt32(d + 12, quint32(recordLength)); // displacement, for readers that use it
        d[16] = char(c.length & 0xff);
        d[17] = char(c.type == 'C' ? (c.length >> 8) : c.decimals);
        recordLength += c.length;
    }
    if (recordLength > 65535)
        throw DbfError(DbfError::Kind::InvalidValue, QStringLiteral("Cannot create table %1: records too long").arg(path));
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
    const QString temp = path + QStringLiteral(".tmp~");
    const QByteArray nativeTemp = QFile::encodeName(temp);
    const int fd = ::open(nativeTemp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1: %2").arg(path, errnoText(errno)));
    File f;
    f.fd = fd;
    if (!f.writeAt(0, header.constData(), header.size())) {
        const int err = errno;
        ::unlink(nativeTemp.constData());
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1: %2").arg(path, errnoText(err)));
    }
    if (::rename(nativeTemp.constData(), QFile::encodeName(path).constData()) != 0) {
        const int err = errno;
        ::unlink(nativeTemp.constData());
        throw DbfError(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1: %2").arg(path, errnoText(err)));
    }
}

} // namespace kvor
