#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kvor {

// Appends compact JSON to a byte array: UTF-8, control characters escaped as
// \u00XX, numbers in their shortest round-trip form.
class JsonWriter {
public:
    explicit JsonWriter(QByteArray &out) : m_out(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(const QString &name);
    void key(const char *name) { key(QString::fromLatin1(name)); }

    void null();
    void boolean(bool value);
    void integer(qint64 value);
    // Infinities and NaN have no JSON form and are written as null.
    void number(double value);
    void string(const QString &value);
    // A value already in JSON form (a number with its own formatting).
    void raw(const QByteArray &json);

    static QByteArray quoted(const QString &value);

private:
    void beforeValue();

    QByteArray &m_out;
    std::vector<bool> m_hasItems;
    bool m_afterKey = false;
};

} // namespace kvor
