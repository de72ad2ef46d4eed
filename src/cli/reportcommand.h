#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvor {

// `kvor-cli report FILE.kvor --pdf OUT.pdf [--data DIR]` and
// `kvor-cli equipment FILE.kvor --pdf OUT.pdf [--int1 P] [--int2 P] [--data DIR]`:
// the calculation report, or the equipment list after the selection window's
// first build, as the preview shows them right after opening FILE, written as PDF.
class ReportCommand {
public:
    static QString reportUsage();
    static QString equipmentUsage();
    static int runReport(const QStringList &args, QByteArray &out, QString &err);
    static int runEquipment(const QStringList &args, QByteArray &out, QString &err);
};

} // namespace kvor
