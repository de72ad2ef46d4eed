#include "calculatedfields.h"

#include <algorithm>

namespace kvor {

void CalculatedFields::recompute(DbfTable &table)
{
    if (m_values.empty())
        return;
    std::fill(m_values.begin(), m_values.end(), QVariant());
    if (!m_calculate)
        return;
    m_computing = true;
    try {
        m_calculate(table);
    } catch (...) {
        m_computing = false;
        throw;
    }
    m_computing = false;
}

} // namespace kvor
