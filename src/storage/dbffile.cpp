#include "dbffile.h"

#include "dbferror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvor {

namespace {

constexpr qint64 kRecordLockBase = 0x40000000;
constexpr qint64 kAppendLockOffset = 0x7ffffffe;

} // namespace

DbfFile::~DbfFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void DbfFile::openTable(const QString &path, bool keepBare, bool readOnly, bool exclusive)
{
    m_path = path;
    QFileInfo info(m_path);
    if (!info.exists()) {
        // Tables copied from case-insensitive file systems keep their names' case only by chance.
        const QDir dir = info.absoluteDir();
        const QStringList all = dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString &candidate : all) {
            if (candidate.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
                m_path = keepBare ? candidate : dir.filePath(candidate);
                info = QFileInfo(m_path);
                break;
            }
        }
        if (!info.exists())
            throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot find file %1").arg(path));
    }
    if (info.isDir())
        throw DbfError(DbfError::Kind::CannotOpen,
                       QStringLiteral("Cannot open file %1: %2").arg(m_path, errorText(EISDIR)));

    const QByteArray native = QFile::encodeName(m_path);
    m_fd = ::open(native.constData(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (m_fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            throw DbfError(DbfError::Kind::NotFound, QStringLiteral("Cannot find file %1").arg(m_path));
        throw DbfError(DbfError::Kind::CannotOpen,
                       QStringLiteral("Cannot open file %1: %2").arg(m_path, errorText(err)));
    }
    if (exclusive && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        throw DbfError(DbfError::Kind::Locked,
                       QStringLiteral("Cannot open file %1: it is in use by another program").arg(m_path));
}

bool DbfFile::create(const QByteArray &nativePath, unsigned mode)
{
    m_fd = ::open(nativePath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    return m_fd >= 0;
}

bool DbfFile::readAt(qint64 pos, char *into, qint64 size, qint64 *got) const
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(m_fd, into + done, size_t(size - done), off_t(pos + done));
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

bool DbfFile::writeAt(qint64 pos, const char *from, qint64 size) const
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, from + done, size_t(size - done), off_t(pos + done));
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

bool DbfFile::truncate(qint64 size) const
{
    return ::ftruncate(m_fd, off_t(size)) == 0;
}

bool DbfFile::sync() const
{
    return ::fsync(m_fd) == 0;
}

qint64 DbfFile::size() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return -1;
    return qint64(st.st_size);
}

void DbfFile::writeWhole(qint64 pos, const QByteArray &bytes, bool appending,
                         const std::function<void()> &afterWrite) const
{
    const qint64 oldSize = size();
    QByteArray old;
    qint64 got = 0;
    const qint64 keep = appending ? std::max<qint64>(0, oldSize - pos) : bytes.size();
    old.resize(keep);
    readAt(pos, old.data(), keep, &got);
    old.truncate(got);
    char oldHead[32];
    const bool haveHead = readAt(0, oldHead, 32);

    auto rollback = [&] {
        const int saved = errno;
        if (appending)
            truncate(oldSize);
        writeAt(pos, old.constData(), old.size());
        if (haveHead)
            writeAt(0, oldHead, 32);
        errno = saved;
    };

    if (!writeAt(pos, bytes.constData(), bytes.size())) {
        const int err = errno;
        rollback();
        throw DbfError(DbfError::Kind::WriteFailed,
                       QStringLiteral("Cannot write to file %1: %2").arg(m_path, errorText(err)));
    }
    try {
        afterWrite();
    } catch (...) {
        rollback();
        throw;
    }
}

void DbfFile::writeBackIfUnlinked() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || st.st_nlink > 0)
        return;
    QByteArray all(qsizetype(st.st_size), '\0');
    qint64 got = 0;
    readAt(0, all.data(), all.size(), &got);
    all.truncate(got);
    const bool replaced = QFileInfo::exists(m_path);
    const QString path = replaced ? m_path + QStringLiteral(".saved") : m_path;
    const DbfError failed(DbfError::Kind::CannotCreate, QStringLiteral("Cannot create file %1").arg(path));
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp~";
    DbfFile out;
    if (!out.create(temp, unsigned(st.st_mode & 07777)))
        throw failed;
    if (!out.writeAt(0, all.constData(), all.size()) || !out.sync()
        || ::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        throw failed;
    }
    if (replaced)
        throw DbfError(DbfError::Kind::WriteFailed,
                       QStringLiteral("File %1 was replaced by another program; the changes were saved as %2")
                           .arg(m_path, path));
}

bool DbfFile::lock(qint64 offset, bool on) const
{
    struct flock fl {};
    fl.l_type = short(on ? F_WRLCK : F_UNLCK);
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = 1;
    for (;;) {
        if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool DbfFile::heldByAnother(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    unsigned char header[12] = {};
    if (!held && ::pread(fd, header, sizeof header, 0) == qint64(sizeof header)) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(recordLockOffset(header[8] | header[9] << 8, header[10] | header[11] << 8, 1));
        fl.l_len = 1;
        held = ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    }
    ::close(fd);
    return held;
}

qint64 DbfFile::recordLockOffset(int headerLength, int recordLength, qint64 k)
{
    return kRecordLockBase + headerLength + qint64(recordLength) * (k - 1);
}

bool DbfFile::lockRecord(qint64 offset)
{
    if (m_recordLock == offset)
        return true;
    unlockRecord();
    if (!lock(offset, true))
        return false;
    m_recordLock = offset;
    return true;
}

void DbfFile::unlockRecord()
{
    if (m_recordLock >= 0)
        lock(m_recordLock, false);
    m_recordLock = -1;
}

bool DbfFile::lockAppend() const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (lock(kAppendLockOffset, true))
            return true;
        QThread::msleep(10);
    }
    return false;
}

void DbfFile::unlockAppend() const
{
    lock(kAppendLockOffset, false);
}

QString DbfFile::errorText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace kvor
