#pragma once

#include <QString>

namespace kvor {

// The equipment catalogues ("kat12.dbf" … "kat-30.dbf") and "grups.dbf",
// generated from the capacity model described in the source folder.
class CatalogueGenerator {
public:
    // Reads the model from `sourceDir` (the data/ folder) and writes the ten files.
    static void write(const QString &sourceDir, const QString &dataDir);
};

} // namespace kvor
