#pragma once

#include <QString>
#include <QStringList>

namespace kvor {

// The lines of the reports' title block: "TitleRep.txt" in the given folder
// (the executable's), or three default lines when there is none.
class TitleBlock {
public:
    static QString fileName() { return QStringLiteral("TitleRep.txt"); }
    // Valid UTF-8 is read as such, anything else as Windows Cyrillic. A file that
    // exists but cannot be read throws ReportError with the system's message.
    static QStringList load(const QString &folder);
    static QStringList defaultLines();
};

} // namespace kvor
