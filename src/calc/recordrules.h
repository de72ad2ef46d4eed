#pragma once

#include <QString>

namespace kvor {

class ReferenceTables;

// The input rules' work on the calculation record and the products table,
// without the widgets: the window runs these inside its handlers, the batch
// tool runs them in the order the Open command does. None of them recalculates;
// the callers do that afterwards. Table-layer errors propagate.
class RecordRules {
public:
    // The processing-mode selector's rule: item 0 is storage, anything else cooling.
    static void processingMode(ReferenceTables &dm, int item);

    // The product-category rule up to the product check: the products table
    // filtered to `category` (as typed, so a partial text filters too) and
    // moved to the record's product when the category offers it, otherwise the
    // record's product replaced by the category's first one (empty when the
    // category has none).
    static void productCategory(ReferenceTables &dm, const QString &category);

    // The product check: the products table moved to TE_PTIP among the products
    // the filter offers, or TE_PTIP replaced by the first of them; the record is posted and
    // left in edit state. False, doing nothing, when no calculation is open.
    static bool productConsistency(ReferenceTables &dm);

    // The record side of the check-box rule: the recommended lighting power
    // replaces OS_POW while OS_REC is set. Nothing when no calculation is open.
    static void checkBoxes(ReferenceTables &dm);

    static QString storageMode();
    static QString coolingMode();
};

} // namespace kvor
