#pragma once

#include "airtable.h"
#include "calcrecord.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kvor {

// Conductivities of one enclosure's layers, as the material tables gave them
// (Locate by name, ignoring case): no value when the name is not in its table.
// When the material is missing the insulation is not looked at.
struct EnclosureLayers {
    std::optional<double> material;   // M_KTP of the row whose M_NAIM is the wall's material
    std::optional<double> insulation; // IZ_KTP of the row whose IZ_NAIM is its insulation
};

// The current row of the products table (kept on the record's product by the input rules).
struct ProductRow {
    QString NAIM;
    double TZAM = 0;
    double CP1 = 0;
    double CP2 = 0;
    double LSKR = 0;
    double Q1 = 0;
    double Q2 = 0;
    double Q3 = 0;
};

// The packaging row whose NAIM is the record's packaging.
struct PackagingRow {
    QString NAIM;
    double SP = 0;
};

struct CalcInputs {
    CalcRecord record;
    // CheckBox1 … CheckBox9.
    std::array<bool, 9> include{true, true, true, true, true, true, true, true, true};
    std::array<EnclosureLayers, 6> enclosures;
    // None when the products table has no current record (empty, filtered to
    // nothing, past its end).
    std::optional<ProductRow> product;
    // None when no packaging row carries the record's packaging name: its heat is then 0.
    std::optional<PackagingRow> packaging;
    AirTable airTable;
    // The items of the goods-type and doorway-protection lists, by position.
    QStringList goodsItems = defaultGoodsItems();
    QStringList protectionItems = defaultProtectionItems();
    // Decimals of the record's VN_KR column (its field's decimals()): a computed
    // rate is read back as the field stores it. Negative: kept as computed.
    int ventilationRateDecimals = -1;

    static QStringList defaultGoodsItems();
    static QStringList defaultProtectionItems();
};

} // namespace kvor
