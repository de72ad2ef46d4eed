#include "jsonwriter.h"

#include <charconv>
#include <cmath>

namespace kvor {

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back())
            m_out += ',';
        m_hasItems.back() = true;
    }
}

void JsonWriter::beginObject()
{
    beforeValue();
    m_out += '{';
    m_hasItems.push_back(false);
}

void JsonWriter::endObject()
{
    m_hasItems.pop_back();
    m_out += '}';
}

void JsonWriter::beginArray()
{
    beforeValue();
    m_out += '[';
    m_hasItems.push_back(false);
}

void JsonWriter::endArray()
{
    m_hasItems.pop_back();
    m_out += ']';
}

void JsonWriter::key(const QString &name)
{
    beforeValue();
    m_out += quoted(name);
    m_out += ':';
    m_afterKey = true;
}

void JsonWriter::null()
{
    beforeValue();
    m_out += "null";
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    m_out += value ? "true" : "false";
}

void JsonWriter::integer(qint64 value)
{
    beforeValue();
    m_out += QByteArray::number(value);
}

void JsonWriter::number(double value)
{
    beforeValue();
    if (!std::isfinite(value)) {
        m_out += "null";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    m_out.append(buf, res.ptr - buf);
}

void JsonWriter::string(const QString &value)
{
    beforeValue();
    m_out += quoted(value);
}

void JsonWriter::raw(const QByteArray &json)
{
    beforeValue();
    m_out += json;
}

QByteArray JsonWriter::quoted(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    QByteArray q;
    q.reserve(utf8.size() + 2);
    q += '"';
    // Runs that need no escape are copied whole.
    const char *run = utf8.constData();
    const char *const end = run + utf8.size();
    for (const char *p = run; p != end; ++p) {
        const char c = *p;
        const auto u = static_cast<unsigned char>(c);
        if (c != '"' && c != '\\' && u >= 0x20)
            continue;
        q.append(run, p - run);
        run = p + 1;
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            q += "\\u00";
            q += hex[u >> 4];
            q += hex[u & 0xf];
        }
    }
    q.append(run, end - run);
    q += '"';
    return q;
}

} // namespace kvor
