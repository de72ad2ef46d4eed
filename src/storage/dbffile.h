#pragma once

#include <QString>

#include <functional>

namespace kvor {

// An open table file: a descriptor with positioned reads and writes and the
// open-file-description locks at the offsets other dBase programs use, which
// another descriptor's close never drops.
class DbfFile {
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(const DbfFile &) = delete;
    DbfFile &operator=(const DbfFile &) = delete;

    // Opens a table's file, or the one whose name differs from it only in case
    // (a bare name found so stays bare when keepBare); throws when it cannot.
    void openTable(const QString &path, bool keepBare, bool readOnly, bool exclusive);
    const QString &path() const { return m_path; }
    bool create(const QByteArray &nativePath, unsigned mode);

    bool readAt(qint64 pos, char *into, qint64 size, qint64 *got = nullptr) const;
    // On failure errno tells why; a short write is reported as ENOSPC.
    bool writeAt(qint64 pos, const char *from, qint64 size) const;
    bool truncate(qint64 size) const;
    bool sync() const;
    qint64 size() const; // -1 when unknown
    // Writes bytes at pos, then runs afterWrite (the header's stamp); when either
    // fails the file is put back as it was and the error thrown. Appending, the
    // file is cut back to its old size.
    void writeWhole(qint64 pos, const QByteArray &bytes, bool appending, const std::function<void()> &afterWrite) const;
    // A file deleted, or replaced by another under its name, while it is open
    // keeps what was written only in the descriptor: a deleted file is put back
    // at its path; a replacement is someone else's work and is left alone, ours
    // going beside it and the user told (thrown).
    void writeBackIfUnlinked() const;

    // One byte at offset; false when another description holds it.
    bool lock(qint64 offset, bool on) const;
    static qint64 recordLockOffset(int headerLength, int recordLength, qint64 k);
    // The one record lock this description holds: taking another lets go of it.
    bool lockRecord(qint64 offset);
    void unlockRecord();
    // The lock every writer takes to add records; another process holds it for
    // microseconds at a time, so this waits for it briefly.
    bool lockAppend() const;
    void unlockAppend() const;

    // Whether another program holds the file exclusively or has its first record
    // in edit (a window with the calculation open); false when it cannot tell.
    static bool heldByAnother(const QString &path);

    // The system's text for an errno value.
    static QString errorText(int err);

private:
    int m_fd = -1;
    QString m_path;
    qint64 m_recordLock = -1;
};

} // namespace kvor
