#pragma once

#include "calculatedfields.h"
#include "dbferror.h"
#include "dbffield.h"
#include "dbfheader.h"
#include "tablefields.h"
#include "visiblerecords.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace kvor {

class DbfFile;

// One dBase table file: header, fields, one current record, navigation over the
// live (and filter-matching) records, edit/append/post/delete with the record
// and append locks shared with other processes, Locate and filters.
class DbfTable : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit DbfTable(QObject *parent = nullptr);
    ~DbfTable() override;

    // Settings.
    QString databaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &folder) { m_databaseName = folder; }
    QString tableName() const { return m_tableName; }
    void setTableName(const QString &name) { m_tableName = name; }
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool exclusive() const { return m_exclusive; }
    void setExclusive(bool on) { m_exclusive = on; }
    bool translateAscii() const { return m_translateAscii; }
    void setTranslateAscii(bool on) { m_translateAscii = on; }
    bool useDeleted() const { return m_useDeleted; }
    void setUseDeleted(bool on) { m_useDeleted = on; }
    quint32 userId() const { return m_userId; }
    void setUserId(quint32 id) { m_userId = id; }

    // Declared fields; without them the table takes its fields from the file.
    void setFieldDefs(std::vector<FieldDef> defs);
    const std::vector<FieldDef> &fieldDefs() const { return m_fields.defs(); }

    // Computes the calculated fields of the current record with setValue(); runs
    // whenever the record or one of its fields changes. One function, not a
    // notification: the values must exist before anyone reads them, and a plain
    // function holds no receiver that could die before the table.
    using FieldCalculator = CalculatedFields::Calculator;
    void setFieldCalculator(FieldCalculator calculate) { m_calculated.setCalculator(calculate); }

    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    void setActive(bool on) { on ? open() : close(); }
    State state() const { return m_state; }
    // The path Open resolved (or would resolve).
    QString filePath() const;

    // Fields.
    int fieldCount() const { return m_fields.count(); }
    DbfField *field(int index) const { return m_fields.at(index); }
    DbfField *fieldByName(const QString &name) const; // throws "Field '%s' not found"
    DbfField *findField(const QString &name) const { return m_fields.find(name); } // nullptr when absent
    QVariant value(const QString &name) const { return fieldByName(name)->value(); }
    void setValue(const QString &name, const QVariant &value) { fieldByName(name)->setValue(value); }

    // Navigation over visible records.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const; // no visible record
    qint64 recNo() const { return m_recNo; } // 1-based file position; 0 when none
    qint64 recordCount() const { return m_records.count(); } // records in the file, deleted ones too
    bool isDeleted() const;
    // Makes record k of the file current whatever its mark or the filter (for tools).
    bool goToRecord(qint64 k);

    // Editing.
    void edit();
    void append();
    void post();
    void cancel();
    void deleteRecord();
    bool modified() const { return m_modified; }

    bool locate(const QString &fieldName, const QVariant &value, bool caseInsensitive = true);

    // Filters.
    QString filter() const { return m_filterText; }
    void setFilter(const QString &expression);
    bool filtered() const { return m_filtered; }
    void setFiltered(bool on);

    // Header facts, for tools.
    quint8 versionByte() const { return m_version; }
    int headerLength() const { return m_headerLength; }
    int recordLength() const { return m_recordLength; }
    // The current record buffer (deletion mark first).
    const char *recordBuffer() const { return m_buffer.constData(); }

    // Writes a new empty table file (version 0x03, no records); an existing file is replaced.
    static void create(const QString &path, const std::vector<DbfColumn> &columns)
    {
        DbfHeader::create(path, columns);
    }

    // The time written into headers; tests set it.
    static void setClock(std::function<QDateTime()> clock) { DbfHeader::setClock(std::move(clock)); }

signals:
    // The table is open on its first visible record; a receiver that throws makes the open fail.
    void opened();
    // Close() is about to let go; a receiver that throws keeps the table open.
    void aboutToClose();
    void recordChanged();               // another record is current, or it was reloaded
    void fieldChanged(kvor::DbfField *field);
    void stateChanged();
    // Before a pending record is posted or left: bound controls write what the
    // user typed but has not committed yet.
    void updateRecordRequested();

private:
    friend class DbfField;

    void checkActive() const;
    void checkWritable(const DbfField &f) const;
    QVariant calcValue(const DbfField &f) const { return m_calculated.value(f.m_calcSlot); }
    void writeField(DbfField &f, const QVariant &value);
    void fieldWritten(DbfField &f);

    void openFile();
    void releaseFile();
    void writeBackIfUnlinked();
    void refreshCount() { m_records.refresh(); }
    const char *cachedRecord(qint64 k) { return m_records.record(k); }
    bool readRecordDirect(qint64 k, QByteArray &into);
    void loadRecord(qint64 k, const char *record);
    void clearBuffer();
    void runCalcFields() { m_calculated.recompute(*this); }
    void endPendingEdit();
    void setState(State s);
    void writeRecordAndHeader(qint64 k, const QByteArray &record, bool appending);
    void lockRecord(qint64 k);
    void unlock();
    void applyFilter();
    qint64 scan(qint64 from, int step) { return m_records.scan(from, step, m_useDeleted, m_filtered); }

    QString m_databaseName;
    QString m_tableName;
    bool m_readOnly = false;
    bool m_exclusive = false;
    bool m_translateAscii = true;
    bool m_useDeleted = false;
    quint32 m_userId = 0;

    std::unique_ptr<DbfFile> m_file;
    QString m_path;
    quint8 m_version = 0;
    int m_headerLength = 0;
    int m_recordLength = 0;
    TableFields m_fields{this};
    QByteArray m_blankRecord;

    State m_state = State::Inactive;
    QByteArray m_buffer;
    QByteArray m_saved; // the record as it was before Edit or Append
    CalculatedFields m_calculated;
    qint64 m_recNo = 0;
    qint64 m_savedRecNo = 0;
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    bool m_wroteFile = false; // since Open

    VisibleRecords m_records;

    QString m_filterText;
    bool m_filtered = false;
};

} // namespace kvor
