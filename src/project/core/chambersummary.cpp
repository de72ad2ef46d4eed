#include "chambersummary.h"

#include <QCoreApplication>

namespace kvor {

QString statusKey(ChamberStatus status)
{
    switch (status) {
    case ChamberStatus::Ok:
        return QStringLiteral("ok");
    case ChamberStatus::NoSystem:
        return QStringLiteral("no-system");
    case ChamberStatus::NotCovered:
        return QStringLiteral("not-covered");
    case ChamberStatus::Missing:
        return QStringLiteral("missing");
    case ChamberStatus::Locked:
        return QStringLiteral("locked");
    case ChamberStatus::Damaged:
        return QStringLiteral("damaged");
    }
    return {};
}

QString statusText(ChamberStatus status)
{
    switch (status) {
    case ChamberStatus::Ok:
        return QCoreApplication::translate("ChamberStatus", "Система забезпечує потребу");
    case ChamberStatus::NoSystem:
        return QCoreApplication::translate("ChamberStatus", "Систему не вибрано");
    case ChamberStatus::NotCovered:
        return QCoreApplication::translate("ChamberStatus", "Системи не вистачає");
    case ChamberStatus::Missing:
        return QCoreApplication::translate("ChamberStatus", "Файл не знайдено");
    case ChamberStatus::Locked:
        return QCoreApplication::translate("ChamberStatus", "Файл зайнятий іншою програмою");
    case ChamberStatus::Damaged:
        return QCoreApplication::translate("ChamberStatus", "Файл пошкоджено");
    }
    return {};
}

ChamberStatus coverageStatus(const std::optional<double> &required, const std::optional<ChamberSystem> &system)
{
    if (!system)
        return ChamberStatus::NoSystem;
    // Whole watts, as the catalogue and PROIZSYS count them.
    const double needed = required.value_or(0) * 1000.0;
    return system->capacity * system->count >= needed - 1e-6 ? ChamberStatus::Ok : ChamberStatus::NotCovered;
}

ProjectTotals projectTotals(const std::vector<ChamberSummary> &chambers)
{
    ProjectTotals totals;
    for (const ChamberSummary &c : chambers) {
        if (!hasFigures(c.status)) {
            ++totals.leftOut;
            continue;
        }
        totals.required += c.required.value_or(0);
        if (c.system) {
            totals.systems += c.system->count;
            totals.power += c.system->power.value_or(0) * c.system->count;
            totals.current += c.system->current.value_or(0) * c.system->count;
        }
    }
    return totals;
}

} // namespace kvor
