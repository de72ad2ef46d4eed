#pragma once

#include <QString>

namespace kvor {

class Tdm1;

// The file work behind New, Open (with conversion of old files) and Save,
// without the dialogs and messages the window adds.
class CalcFiles {
public:
    // Copies a file with its last-write time; a folder as destination takes the
    // source's name. Raises "Cannot open file %s", "Cannot create file %s",
    // "Stream read error" or "Stream write error". The destination is replaced
    // only once the copy is complete, so a failed copy leaves it as it was.
    static void copyFileWithDate(const QString &source, const QString &destination);

    enum class Conversion { NotACalculation, Converted, Failed };

    // Converts the old calculation file `path` (which did not open as a
    // calculation) into "<folder>/<name>.kvor": the values of the fields both
    // layouts share, the supplied template's values in the others. Uses `taOld`
    // and `taRec`; the template in `dataDir` is never written. Table-layer and
    // copy errors propagate.
    static Conversion convert(Tdm1 &dm, const QString &dataDir, const QString &path, QString *target);

    // "<folder>/<name without extension>.kvor".
    static QString convertedPath(const QString &path);
};

} // namespace kvor
