#pragma once

#include <QString>

namespace kvor {

// Builds the reference tables folder DATA from the UTF-8 sources of data/.
//
// A table source has '#' notes, then a header declaring the columns as
// NAME:TYPE (C20, N8.3, N4, L, D, or '-' for a note column that is not stored),
// then one `;`-separated row per record. The calculation template "kvor.csv"
// instead has one FIELD;value line for every stored field of the calculation
// record. Any fault (malformed line, unknown type, a value the column cannot
// hold exactly, a name the template refers to that its table lacks) throws
// DataError naming the source file and line.
class DataBuilder {
public:
    // Everything is made in a scratch folder beside `outputDir` and moved in
    // only once complete, so a failed run leaves `outputDir` as it was.
    static void build(const QString &sourceDir, const QString &outputDir);
};

} // namespace kvor
