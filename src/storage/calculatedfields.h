#pragma once

#include <QVariant>

#include <vector>

namespace kvor {

class DbfTable;

// The values of a table's calculated fields for its current record, and the one
// function that computes them.
class CalculatedFields {
public:
    using Calculator = void (*)(DbfTable &table);

    void setCalculator(Calculator calculate) { m_calculate = calculate; }
    void setCount(int count) { m_values.assign(size_t(count), QVariant()); }
    // Clears the values and computes them for the table's current record.
    void recompute(DbfTable &table);
    // Only the calculator, while it runs, writes the values.
    bool computing() const { return m_computing; }
    QVariant value(int slot) const { return m_values.at(size_t(slot)); }
    void setValue(int slot, const QVariant &value) { m_values.at(size_t(slot)) = value; }

private:
    Calculator m_calculate = nullptr;
    std::vector<QVariant> m_values;
    bool m_computing = false;
};

} // namespace kvor
