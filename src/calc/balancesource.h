#pragma once

#include "calcinputs.h"
#include "heatbalance.h"
#include "resultbindings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace kvor {

class DbfTable;
class ReferenceTables;

// Where a heat-balance run gets its inputs and where its record write goes:
// the open calculation record and the reference tables of the data module.
// The window's Recalculate and the batch tool both go through here, so they
// read the same rows the same way.
class BalanceSource {
public:
    // Everything one run reads, with the searches the run makes: the record
    // through `taWork` (calculated fields included), for each enclosure the
    // material and insulation rows found by name in `taMater` / `taIzolm`
    // (ignoring case; each search moves that table's current record), the
    // product `taProd` stands on, the packaging row named in TE_TTIP, and the
    // air table read from its first row. Table-layer errors propagate.
    static CalcInputs gather(ReferenceTables &dm, const std::array<bool, 9> &include,
                             const QStringList &goodsItems = CalcInputs::defaultGoodsItems(),
                             const QStringList &protectionItems = CalcInputs::defaultProtectionItems());

    // The rows of an air table (TEMVOZD, the VLxx columns, QP) in stored order.
    static AirTable readAirTable(DbfTable &table);

    // Applies a run's writes in the order it made them (ResultBindings): the
    // record write goes into `taWork` (which is left in edit state), every
    // other write to `show`.
    // A record that cannot be written ends the application there, as it would
    // have ended the run: false, with the table layer's message in `error`.
    static bool apply(ReferenceTables &dm, const HeatBalance &balance, const std::function<void(const CalcOutput &)> &show,
                      QString *error);
};

} // namespace kvor
