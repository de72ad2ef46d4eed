#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvor {

// `kvor-cli select FILE.kvor [--data DIR] [--int1 P] [--int2 P] [--json]`: the
// systems the selection window lists for FILE right after opening it.
class SelectCommand {
public:
    static QString usage();
    static int run(const QStringList &args, QByteArray &out, QString &err);
};

} // namespace kvor
