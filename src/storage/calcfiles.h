#pragma once

#include <QString>

#include <functional>

namespace kvor {

class ReferenceTables;

// The file work behind New, Open (with conversion of old files) and Save,
// without the dialogs and messages the window adds.
class CalcFiles {
public:
    // Copies a file with its last-write time; a folder as destination takes the
    // source's name. Raises "Cannot open file %s", "Cannot create file %s",
    // "Stream read error" or "Stream write error". The destination is replaced
    // only once the copy is complete, so a failed copy leaves it as it was. A
    // link as destination is written through: the file it names is replaced,
    // keeping its permissions, and the link stays. A scratch copy (`durable`
    // false) is not forced to disk: losing it loses nothing.
    static void copyFileWithDate(const QString &source, const QString &destination, bool durable = true);

    // Whether this process can open the file for writing (also true when it
    // does not exist: creating it is another question).
    static bool writable(const QString &path);

    enum class Conversion { NotACalculation, Converted, Failed, Declined };

    // Converts the old calculation file `path` (which did not open as a
    // calculation) into "<folder>/<name>.kvor": the values of the fields both
    // layouts share, the supplied template's values in the others. Uses `taOld`
    // (which only reads the old file) and `taRec`; the template in `dataDir` is
    // never written. When the target is another existing file, `replace` is
    // asked first; No gives Declined and changes nothing. Table-layer and copy
    // errors propagate.
    static Conversion convert(ReferenceTables &dm, const QString &dataDir, const QString &path, QString *target,
                              const std::function<bool(const QString &)> &replace = {});

    // "<folder>/<name without extension>.kvor".
    static QString convertedPath(const QString &path);
};

} // namespace kvor
