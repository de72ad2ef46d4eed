#include "dumpcommand.h"

#include "cliargs.h"

#include "jsonwriter.h"

#include "storage/dbferror.h"
#include "storage/dbffield.h"
#include "storage/dbftable.h"

#include <QCoreApplication>

#include <exception>
#include <optional>

namespace kvor {

QString DumpCommand::usage()
{
    return QStringLiteral("usage: kvor-cli dump FILE [--filter EXPR]");
}

int DumpCommand::run(const QStringList &args, QByteArray &out, QString &err)
{
    CliArgs parsed;
    QString reason;
    if (!parsed.parse(args, {QStringLiteral("--filter")}, {}, &reason)) {
        err = reason.isEmpty() ? usage() : reason + QLatin1Char('\n') + usage();
        return 1;
    }
    const QString file = parsed.file();
    const std::optional<QString> filter = parsed.has(QStringLiteral("--filter"))
                                              ? std::optional<QString>(parsed.value(QStringLiteral("--filter")))
                                              : std::nullopt;

    QByteArray text;
    try {
        DbfTable table;
        table.setDatabaseName(QString());
        table.setTableName(file);
        table.setReadOnly(true);
        table.open();
        appendHeader(table, text);
        if (filter) {
            table.setFilter(*filter);
            table.setFiltered(true);
            for (table.first(); !table.eof(); table.next())
                appendRecord(table, text);
        } else {
            const qint64 count = table.recordCount();
            for (qint64 k = 1; k <= count; ++k) {
                if (!table.goToRecord(k))
                    throw DbfError(DbfError::Kind::ReadFailed,
                                   QCoreApplication::translate("DumpCommand", "Cannot read record %1").arg(k));
                appendRecord(table, text);
            }
        }
        table.close();
    } catch (const DbfError &e) {
        err = e.message();
        return 1;
    } catch (const std::exception &e) {
        err = QString::fromLocal8Bit(e.what());
        return 1;
    }
    out = std::move(text);
    return 0;
}

void DumpCommand::appendHeader(const DbfTable &table, QByteArray &out)
{
    JsonWriter json(out);
    json.beginObject();
    json.key("fields");
    json.beginArray();
    for (int i = 0; i < table.fieldCount(); ++i) {
        const DbfField *f = table.field(i);
        json.beginObject();
        json.key("name");
        json.string(f->name());
        json.key("type");
        json.string(f->fileType() ? QString(QLatin1Char(f->fileType())) : QString());
        json.key("length");
        json.integer(f->length());
        // A text field's decimals byte is the high byte of its length.
        json.key("decimals");
        json.integer(f->fileType() == 'C' ? 0 : f->decimals());
        json.endObject();
    }
    json.endArray();
    json.key("records");
    json.integer(table.recordCount());
    json.endObject();
    out += '\n';
}

void DumpCommand::appendRecord(const DbfTable &table, QByteArray &out)
{
    JsonWriter json(out);
    json.beginObject();
    json.key("_rec");
    json.integer(table.recNo());
    json.key("_deleted");
    json.boolean(table.isDeleted());
    for (int i = 0; i < table.fieldCount(); ++i) {
        const DbfField *f = table.field(i);
        json.key(f->name());
        appendValue(*f, json);
    }
    json.endObject();
    out += '\n';
}

void DumpCommand::appendValue(const DbfField &field, JsonWriter &json)
{
    switch (field.kind()) {
    case FieldKind::String: {
        const QVariant v = field.value();
        if (v.isNull())
            json.null();
        else
            json.string(v.toString());
        return;
    }
    case FieldKind::SmallInt:
    case FieldKind::Integer: {
        const QVariant v = field.value();
        if (v.typeId() == QMetaType::Double)
            json.number(v.toDouble());
        else
            json.integer(v.toLongLong());
        return;
    }
    case FieldKind::Float:
        json.number(field.value().toDouble());
        return;
    case FieldKind::Boolean:
        json.boolean(field.value().toBool());
        return;
    case FieldKind::Date: {
        const QDate d = field.value().toDate();
        if (d.isValid())
            json.string(d.toString(Qt::ISODate));
        else
            json.null();
        return;
    }
    case FieldKind::DateTime: {
        const QDateTime t = field.value().toDateTime();
        if (t.isValid())
            json.string(t.toString(Qt::ISODateWithMs));
        else
            json.null();
        return;
    }
    case FieldKind::Memo:
    case FieldKind::Blob:
        json.null();
        return;
    }
    json.null();
}

} // namespace kvor
