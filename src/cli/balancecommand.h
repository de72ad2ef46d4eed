#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kvor {

// `kvor-cli balance FILE.kvor... [--data DIR] [--json]`: the heat balance the
// window shows right after opening FILE, computed by the window's own code on
// a temporary copy (FILE is never written) with the reference tables of DIR
// (default: DATA beside the executable) opened read-only.
//
// One file: exit status 0 with the result; 3 when the run stopped at an
// undefined operation (the result up to that step, and the message); 1 when
// FILE or the tables cannot be opened (message only).
//
// Several files, in one process with the tables opened once: with --json one
// line per file in the order given, each what the one-file form prints, or
// {"file": …, "error": …} for a file that does not open; without it the
// tables one after another, a blank line between them. Messages go to stderr
// as "FILE: message". Exit status 1 when any file did not open (or the tables
// did not: then nothing is printed), else 3 when any run stopped, else 0.
class BalanceCommand {
public:
    static QString usage();
    // On every status `out` holds what goes to stdout and `err` what goes to stderr.
    static int run(const QStringList &args, QByteArray &out, QString &err);
};

} // namespace kvor
