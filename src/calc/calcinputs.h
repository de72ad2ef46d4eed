#pragma once

#include "airtable.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <optional>

namespace kvor {

// The fields of the calculation record the heat balance reads, under their
// record names. Small integers are int; integers and floats are double (the
// arithmetic is in floating point anyway). Index 0..5 of the arrays is wall А,
// Б, В, Г, the ceiling, the floor (ST_M[0] is ST_M1).
struct CalcRecord {
    QString OB_TERMR;
    int OB_TEMKAM = 0;
    int OB_TIMEWRK = 0;
    double OB_KZAPAS = 0;
    double OB_KAMDL = 0;
    double OB_KAMSH = 0;
    double OB_KAMVS = 0;
    int OB_RGTMAX = 0;
    int OB_RGVLAJ = 0;
    double ob_kamv = 0;              // calculated: volume
    std::array<double, 6> ob_s{};    // calculated: areas ob_s1 … ob_s6

    std::array<QString, 6> ST_M;
    std::array<double, 6> ST_MT{};
    std::array<QString, 6> ST_IZ;
    std::array<double, 6> ST_IZT{};
    std::array<int, 6> ST_TEM{};

    double VN_KR = 0;
    bool VN_FLAG = false;

    bool IN_TIP = false;
    QString IN_ZAV;
    double IN_DV = 0;
    double IN_DH = 0;
    QString IN_TOV;
    double IN_GPTS = 0;

    QString TE_PTIP;
    double TE_PMAS = 0;
    double TE_POBOR = 0;
    int TE_PT0 = 0;
    int TE_PT1 = 0;
    QString TE_TTIP;
    double TE_TOBOR = 0;
    int TE_TT0 = 0;
    int TE_TT1 = 0;
    int TE_VLAJ = 0;

    int OS_TIME = 0;
    int OS_POW = 0;
    int PER_KOL = 0;
    int TRS_POW = 0;

    int VO_PROC = 0;
    bool VO_UTOCH = false;
    int VO_KOLVO = 0;
    double VO_POW = 0;

    // Every field above, by its record name (calculated ones included).
    static QStringList fieldNames();
    // Fills the fields from a reader of the record by field name. Null values
    // read as empty text, 0 and false, as the table's fields do.
    static CalcRecord read(const std::function<QVariant(const QString &)> &field);
};

// Conductivities of one enclosure's layers, as the material tables gave them
// (Locate by name, ignoring case): no value when the name is not in its table.
// When the material is missing the insulation is not looked at.
struct EnclosureLayers {
    std::optional<double> material;   // M_KTP of the row whose M_NAIM is ST_Mi
    std::optional<double> insulation; // IZ_KTP of the row whose IZ_NAIM is ST_IZi
};

// The current row of the products table (kept on TE_PTIP by the input rules).
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

// The packaging row whose NAIM is TE_TTIP.
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
    // None when no packaging row carries the name in TE_TTIP: its heat is then 0.
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
