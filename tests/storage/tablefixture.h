#pragma once

#include "storage/dbftable.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace kvor::test {

// Table files built byte by byte, for the cases no well-behaved writer produces.
inline QByteArray fieldDescriptor(const char *name, char type, int length, int decimals = 0)
{
    QByteArray d(32, '\0');
    const QByteArray n(name);
    std::copy(n.begin(), n.end(), d.begin());
    d[11] = type;
    d[16] = char(length & 0xff);
    d[17] = char(decimals);
    return d;
}

inline QByteArray tableBytes(const std::vector<QByteArray> &descriptors, const std::vector<QByteArray> &records,
                             quint8 version = 0x03, int extraHeader = 0)
{
    int recordLength = 1;
    for (const QByteArray &d : descriptors) {
        int len = static_cast<unsigned char>(d[16]);
        if (d[11] == 'C')
            len += 256 * static_cast<unsigned char>(d[17]);
        recordLength += len;
    }
    const int headerLength = 32 + 32 * int(descriptors.size()) + 1 + extraHeader;
    QByteArray h(32, '\0');
    h[0] = char(version);
    h[1] = 99;
    h[2] = 1;
    h[3] = 1;
    h[4] = char(records.size());
    h[8] = char(headerLength & 0xff);
    h[9] = char(headerLength >> 8);
    h[10] = char(recordLength & 0xff);
    h[11] = char(recordLength >> 8);
    QByteArray out = h;
    for (const QByteArray &d : descriptors)
        out += d;
    out += '\r';
    out += QByteArray(extraHeader, '\0');
    for (const QByteArray &r : records)
        out += r;
    return out;
}

class TableTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }

    QByteArray readFile(const QString &name) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // Opens a table over a file of the temporary folder.
    void openTable(DbfTable &t, const QString &name) const
    {
        t.setDatabaseName(m_dir.path());
        t.setTableName(name);
        t.open();
    }

    QTemporaryDir m_dir;
};

} // namespace kvor::test
