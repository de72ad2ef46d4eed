#pragma once

#include <QVariant>

namespace kvor {

class DbfField;

// Writes a value into a raw record in a field's stored form (text in the
// table's code page, numbers right-aligned, dates as yyyyMMdd, binary integers
// and timestamps little-endian); throws for a value the field cannot hold.
class FieldEncoder {
public:
    static void encode(const DbfField &field, const QVariant &value, char *record, bool translateAscii);
};

} // namespace kvor
