#pragma once

#include <QString>

#include <memory>

namespace kvor {

class DbfTable;

// A parsed filter expression bound to a table's fields. Parsing raises the
// table layer's errors; evaluation reads one raw record of the file.
class FilterExpression {
public:
    virtual ~FilterExpression() = default;
    static std::unique_ptr<FilterExpression> parse(const QString &text, const DbfTable &table);
    virtual bool evaluate(const char *record) const = 0;
};

} // namespace kvor
