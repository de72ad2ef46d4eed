#include "airtable.h"

namespace kvor {

AirTable::AirTable(const QStringList &columns, bool hasPersonHeat)
    : m_columns(columns), m_hasPersonHeat(hasPersonHeat)
{
}

int AirTable::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void AirTable::addRow(double temperature, const std::vector<double> &values, double personHeat)
{
    Row row;
    row.temperature = temperature;
    row.values = values;
    row.values.resize(size_t(m_columns.size()), 0.0);
    row.personHeat = personHeat;
    m_rows.push_back(std::move(row));
}

AirValue InterpolateAirTable(const AirTable &table, int t, int phi, bool wantEnthalpy)
{
    AirValue out;
    const std::vector<AirTable::Row> &rows = table.rows();
    if (rows.empty())
        return out;
    const QString column = QStringLiteral("VL") + QString::number(phi);
    const int c = table.columnIndex(column);
    if (c < 0) {
        out.missingColumn = column;
        return out;
    }
    if (!table.hasPersonHeat()) {
        out.missingColumn = QStringLiteral("QP");
        return out;
    }
    auto pick = [&](const AirTable::Row &row) { return wantEnthalpy ? row.values[size_t(c)] : row.personHeat; };

    const AirTable::Row &first = rows.front();
    if (first.temperature >= t) {
        // Below the table: extend its first segment rather than interpolating
        // towards a made-up point (0 °C, 0), which is meaningless for enthalpy
        // and person heat alike and divides by zero for a first row at 0 °C.
        if (first.temperature == t || rows.size() < 2 || rows[1].temperature <= first.temperature) {
            out.value = pick(first);
            return out;
        }
        const AirTable::Row &second = rows[1];
        out.value = pick(first) + (pick(second) - pick(first)) * (t - first.temperature)
                                      / (second.temperature - first.temperature);
        return out;
    }

    // From here the previous point is always a row below t, so the divisor is
    // positive.
    const AirTable::Row *previous = &first;
    for (size_t i = 1; i < rows.size(); ++i) {
        const AirTable::Row &row = rows[i];
        if (row.temperature < t) {
            previous = &row;
            continue;
        }
        const double tp = previous->temperature;
        out.value = pick(*previous) + (pick(row) - pick(*previous)) * (t - tp) / (row.temperature - tp);
        return out;
    }
    return out; // above every row
}

} // namespace kvor
