#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The code under test reads files, so each input goes to disk first; without
// room to write it the run cannot go on.
inline void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    if (f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
}
