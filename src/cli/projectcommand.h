#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvor {

// `kvor-cli project FILE.kvorproj [--data DIR] [--json | --csv OUT | --pdf OUT]`:
// every chamber of a project opened on a private copy (no file is ever
// written but OUT) with the reference tables of DIR opened once, each with
// its status, figures and adopted system, and the project's totals.
//
// Without an option a readable table; --json one JSON object; --csv the
// chamber table with the nine gains (UTF-8 with a byte-order mark, ';'
// between fields, the decimal point of the process locale); --pdf the
// project report.
//
// Exit status 0 when the project file was read, whatever its chambers' states
// (a chamber that cannot be read is told on stderr); 1 when the project file
// cannot be read, the tables cannot be opened or OUT cannot be written.
class ProjectCommand {
public:
    static QString usage();
    static int run(const QStringList &args, QByteArray &out, QString &err);
    // Whether these command arguments need a GUI application (the report's
    // text is laid out with real fonts).
    static bool needsGui(int argc, char *argv[]);
};

} // namespace kvor
