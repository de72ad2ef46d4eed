#pragma once

#include <QString>

namespace kvor {

// Texts of fixed lists compared with what a table file gave back.
//
// The table files are in the DOS Cyrillic page, which has no Ukrainian І, і,
// Ґ, ґ: a stored "Штабелі на піддонах" reads back with a Latin i and would never
// equal the list item it was chosen from. Both sides are therefore seen through
// that page's substitution before comparing; everything else (case, spacing,
// the other letters) must still match exactly. The mapping is repeated here
// rather than taken from the table layer so the engine needs QtCore only; it
// is idempotent, so callers may pass texts already mapped or not.
class StoredText {
public:
    static QString asStored(const QString &text);
    static bool equals(const QString &stored, const QString &item);
};

} // namespace kvor
