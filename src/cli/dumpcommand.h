#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvor {

class DbfField;
class DbfTable;
class JsonWriter;

// `kvor-cli dump FILE [--filter EXPR]`: the table's fields as one JSON line,
// then one JSON object per record. The output is built whole before anything is
// printed, so a failure half way leaves stdout empty.
class DumpCommand {
public:
    static QString usage();

    // Returns the exit status; on success `out` holds the text for stdout, on
    // failure `err` holds the message for stderr.
    static int run(const QStringList &args, QByteArray &out, QString &err);

private:
    static void appendHeader(const DbfTable &table, QByteArray &out);
    static void appendRecord(const DbfTable &table, QByteArray &out);
    static void appendValue(const DbfField &field, JsonWriter &json);
};

} // namespace kvor
