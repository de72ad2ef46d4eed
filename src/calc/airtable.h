#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kvor {

// The rows of the air table (s_int.DBF) in stored order: per air temperature
// the enthalpies of moist air in the VLxx columns and the heat of one person.
class AirTable {
public:
    struct Row {
        double temperature = 0;     // TEMVOZD
        std::vector<double> values; // one per enthalpy column, in column order
        double personHeat = 0;      // QP
    };

    AirTable() = default;
    // `columns`: the names of the enthalpy columns the file has ("VL50" …);
    // `hasPersonHeat`: whether it has QP.
    explicit AirTable(const QStringList &columns, bool hasPersonHeat = true);

    const QStringList &columns() const { return m_columns; }
    bool hasPersonHeat() const { return m_hasPersonHeat; }
    // -1 when the file has no such column; field names ignore case.
    int columnIndex(const QString &name) const;

    // `values` must hold one number per column.
    void addRow(double temperature, const std::vector<double> &values, double personHeat);
    const std::vector<Row> &rows() const { return m_rows; }

private:
    QStringList m_columns;
    bool m_hasPersonHeat = true;
    std::vector<Row> m_rows;
};

// What InterpolateAirTable found; `missingColumn` names the column the table
// lacks when the lookup could not be made.
struct AirValue {
    double value = 0;
    QString missingColumn;
    bool ok() const { return missingColumn.isEmpty(); }
};

// The VLφ enthalpy (wantEnthalpy) or the person heat QP at air temperature t,
// linear between the rows around t. The scan goes in stored order: the first
// row at or above t decides, a t above every row gives 0. Column VLφ must exist
// whatever is wanted (every visited row reads it).
//
// At or below the first row the lookup extends the line through the first two
// rows (the first row alone when there is no second one): a t equal to the first
// row's temperature gives that row's values, also when that row is at 0 °C.
AirValue InterpolateAirTable(const AirTable &table, int t, int phi, bool wantEnthalpy);

} // namespace kvor
