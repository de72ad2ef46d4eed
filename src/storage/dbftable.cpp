#include "dbftable.h"

#include "dbffile.h"
#include "fieldencoder.h"
#include "recordlocator.h"

#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <mutex>
#include <optional>

namespace kvor {

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

void DbfTable::setFieldDefs(std::vector<FieldDef> defs)
{
    if (active())
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Cannot perform this operation on an open dataset"));
    m_calculated.setCount(m_fields.declare(std::move(defs)));
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
    auto file = std::make_unique<DbfFile>();
    file->openTable(filePath(), m_databaseName.isEmpty() && !m_tableName.contains(QLatin1Char('/')), m_readOnly,
                    m_exclusive);
    m_path = file->path();

    const DbfHeader header = DbfHeader::read(*file, m_path);
    m_file = std::move(file);
    m_version = header.version();
    m_headerLength = header.headerLength();
    m_recordLength = header.recordLength();
    const std::vector<DbfHeader::Descriptor> descriptors = header.descriptors();
    m_blankRecord = DbfHeader::blankRecord(descriptors, m_recordLength);
    m_fields.bind(descriptors);
    m_buffer = QByteArray(m_recordLength, ' ');
    m_records.attach(m_file.get(), m_headerLength, m_recordLength, (header.fileSize() - m_headerLength) / m_recordLength,
                     header.stamp());
}

void DbfTable::releaseFile()
{
    m_file.reset();
    m_records.detach();
    m_recNo = 0;
    m_eof = m_bof = true;
    m_fields.release();
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

void DbfTable::writeBackIfUnlinked()
{
    if (m_file && !m_readOnly && m_wroteFile)
        m_file->writeBackIfUnlinked();
}

// ---------------------------------------------------------------- reading

bool DbfTable::readRecordDirect(qint64 k, QByteArray &into)
{
    QByteArray rec(m_recordLength, ' ');
    if (!m_file->readAt(m_headerLength + (k - 1) * qint64(m_recordLength), rec.data(), m_recordLength))
        return false;
    into = rec;
    return true;
}

void DbfTable::loadRecord(qint64 k, const char *record)
{
    std::memcpy(m_buffer.data(), record, size_t(m_recordLength));
    m_recNo = k;
    runCalcFields();
}

void DbfTable::clearBuffer()
{
    m_buffer = m_blankRecord;
    m_recNo = 0;
    runCalcFields();
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
    const qint64 k = scan(m_records.count(), -1);
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
    if (k < 1 || k > m_records.count())
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
    const qint64 offset = DbfFile::recordLockOffset(m_headerLength, m_recordLength, k);
    if (!m_file->lockRecord(offset))
        throw DbfError(DbfError::Kind::Locked, QStringLiteral("Record is locked by another user"));
}

void DbfTable::unlock()
{
    if (m_file)
        m_file->unlockRecord();
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
    m_buffer = m_blankRecord;
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

// Writes one record and the header; on any failure the file is put back as it was.
void DbfTable::writeRecordAndHeader(qint64 k, const QByteArray &record, bool appending)
{
    m_records.invalidate();
    m_file->writeWhole(m_headerLength + (k - 1) * qint64(m_recordLength), record, appending, [this] {
        m_records.setStamp(DbfHeader::writeStamp(*m_file, m_headerLength, m_recordLength, m_userId, m_path));
    });
    m_records.recount();
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
        RecordFilter &filter = m_records.filter();
        if (filter.isSet() && m_recNo <= filter.matchedCount())
            filter.setMatch(m_recNo, filter.evaluate(m_buffer.constData()));
        unlock();
    } else {
        if (!m_exclusive && !m_file->lockAppend())
            throw DbfError(DbfError::Kind::Locked, QStringLiteral("Record is locked by another user"));
        try {
            refreshCount();
            writeRecordAndHeader(m_records.count() + 1, m_buffer, true);
        } catch (...) {
            if (!m_exclusive)
                m_file->unlockAppend();
            throw;
        }
        if (!m_exclusive)
            m_file->unlockAppend();
        m_recNo = m_records.count();
        RecordFilter &filter = m_records.filter();
        if (filter.isSet()) {
            filter.reserve(m_recNo);
            for (qint64 k = filter.matchedCount() + 1; k <= m_recNo; ++k) {
                const char *rec = k == m_recNo ? m_buffer.constData() : cachedRecord(k);
                if (rec)
                    filter.setMatch(k, filter.evaluate(rec));
            }
            filter.setMatchedCount(m_recNo);
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
        if (!m_calculated.computing())
            throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.m_name));
        return;
    }
    if (m_state != State::Edit && m_state != State::Insert)
        throw DbfError(DbfError::Kind::Other, QStringLiteral("Dataset not in edit or insert mode"));
    if (f.m_kind == FieldKind::Memo || f.m_kind == FieldKind::Blob)
        throw DbfError(DbfError::Kind::ReadOnly, QStringLiteral("Field '%1' cannot be modified").arg(f.m_name));
}

void DbfTable::writeField(DbfField &f, const QVariant &value)
{
    checkWritable(f);
    if (f.m_calculated) {
        m_calculated.setValue(f.m_calcSlot, value);
        return;
    }
    FieldEncoder::encode(f, value, m_buffer.data(), m_translateAscii);
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
    if (m_records.count() == 0)
        return false;
    endPendingEdit();
    refreshCount();
    if (f->m_calculated)
        return false;
    const RecordLocator wanted(*f, value, caseInsensitive, m_translateAscii);
    if (!wanted.possible())
        return false;

    m_records.invalidate();
    for (qint64 k = 1; k <= m_records.count(); ++k) {
        const char *rec = cachedRecord(k);
        if (!rec)
            break;
        if (wanted.matches(rec)) {
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

void DbfTable::applyFilter()
{
    checkActive();
    endPendingEdit();
    if (m_filterText.trimmed().isEmpty()) {
        m_records.filter().clear();
        first();
        return;
    }
    RecordFilter &filter = m_records.filter();
    if (!filter.parsedFrom(m_filterText)) {
        try {
            filter.parse(m_filterText, *this);
        } catch (...) {
            m_filtered = false;
            throw;
        }
        m_records.recount();
        m_records.invalidate();
        try {
            filter.matchUpTo(m_records.count(), [this](qint64 k) { return cachedRecord(k); });
        } catch (...) {
            filter.clear();
            m_filtered = false;
            throw;
        }
    }
    first();
}

} // namespace kvor
