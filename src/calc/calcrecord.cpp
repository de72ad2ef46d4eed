#include "calcrecord.h"

#include <cmath>
#include <limits>
#include <variant>
#include <vector>

namespace kvor {

namespace {

double toNumber(const QVariant &v)
{
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

int toSmallInt(const QVariant &v)
{
    const double d = std::trunc(toNumber(v));
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return int(d < lo ? lo : d > hi ? hi : d);
}

QString toText(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

bool toFlag(const QVariant &v)
{
    return !v.isNull() && v.toBool();
}

// A member's type says how its field is read: text, small integer, number, flag.
using Member = std::variant<QString CalcRecord::*, int CalcRecord::*, double CalcRecord::*, bool CalcRecord::*,
                            std::array<QString, 6> CalcRecord::*, std::array<int, 6> CalcRecord::*,
                            std::array<double, 6> CalcRecord::*>;

// A field name, or for the six surfaces the prefix of ST_M1 … ST_M6.
struct Binding {
    const char *field;
    Member member;
};

const Binding kBindings[] = {
    {"OB_TERMR", &CalcRecord::processingMode},
    {"OB_TEMKAM", &CalcRecord::chamberTemperature},
    {"OB_TIMEWRK", &CalcRecord::runningHours},
    {"OB_KZAPAS", &CalcRecord::safetyFactor},
    {"OB_KAMDL", &CalcRecord::chamberLength},
    {"OB_KAMSH", &CalcRecord::chamberWidth},
    {"OB_KAMVS", &CalcRecord::chamberHeight},
    {"OB_RGTMAX", &CalcRecord::outdoorTemperature},
    {"OB_RGVLAJ", &CalcRecord::outdoorHumidity},
    {"ob_kamv", &CalcRecord::chamberVolume},
    {"ob_s", &CalcRecord::surfaceArea},
    {"ST_M", &CalcRecord::wallMaterial},
    {"ST_MT", &CalcRecord::wallMaterialThickness},
    {"ST_IZ", &CalcRecord::wallInsulation},
    {"ST_IZT", &CalcRecord::wallInsulationThickness},
    {"ST_TEM", &CalcRecord::temperatureBeyondWall},
    {"VN_KR", &CalcRecord::ventilationRate},
    {"VN_FLAG", &CalcRecord::ventilationRateEntered},
    {"IN_TIP", &CalcRecord::automaticDoors},
    {"IN_ZAV", &CalcRecord::doorProtection},
    {"IN_DV", &CalcRecord::doorHeight},
    {"IN_DH", &CalcRecord::doorWidth},
    {"IN_TOV", &CalcRecord::goodsKind},
    {"IN_GPTS", &CalcRecord::vehicleLoadCapacity},
    {"TE_PTIP", &CalcRecord::product},
    {"TE_PMAS", &CalcRecord::productMass},
    {"TE_POBOR", &CalcRecord::productTurnover},
    {"TE_PT0", &CalcRecord::productEntryTemperature},
    {"TE_PT1", &CalcRecord::productFinalTemperature},
    {"TE_TTIP", &CalcRecord::packaging},
    {"TE_TOBOR", &CalcRecord::packagingTurnover},
    {"TE_TT0", &CalcRecord::packagingEntryTemperature},
    {"TE_TT1", &CalcRecord::packagingFinalTemperature},
    {"TE_VLAJ", &CalcRecord::chamberHumidity},
    {"OS_TIME", &CalcRecord::lightingHours},
    {"OS_POW", &CalcRecord::lightingPower},
    {"PER_KOL", &CalcRecord::workers},
    {"TRS_POW", &CalcRecord::vehiclePower},
    {"VO_PROC", &CalcRecord::fanAllowance},
    {"VO_UTOCH", &CalcRecord::fansRefined},
    {"VO_KOLVO", &CalcRecord::fanCount},
    {"VO_POW", &CalcRecord::fanPower},
};

void assign(QString &to, const QVariant &v) { to = toText(v); }
void assign(int &to, const QVariant &v) { to = toSmallInt(v); }
void assign(double &to, const QVariant &v) { to = toNumber(v); }
void assign(bool &to, const QVariant &v) { to = toFlag(v); }

template<typename T>
constexpr bool isSurfaces = false;
template<typename T>
constexpr bool isSurfaces<std::array<T, 6> CalcRecord::*> = true;

// Each field once, by name, with the member (and surface) it fills; the names
// are made once since the record is read on every run.
struct NamedField {
    QString name;
    Member member;
    int surface;
};

const std::vector<NamedField> &namedFields()
{
    static const std::vector<NamedField> fields = [] {
        std::vector<NamedField> all;
        for (const Binding &b : kBindings) {
            const bool surfaces = std::visit([](auto m) { return isSurfaces<decltype(m)>; }, b.member);
            if (!surfaces) {
                all.push_back({QLatin1String(b.field), b.member, 0});
                continue;
            }
            for (int i = 0; i < 6; ++i)
                all.push_back({QLatin1String(b.field) + QString::number(i + 1), b.member, i});
        }
        return all;
    }();
    return fields;
}

} // namespace

QStringList CalcRecord::fieldNames()
{
    QStringList names;
    for (const NamedField &f : namedFields())
        names << f.name;
    return names;
}

CalcRecord CalcRecord::read(const std::function<QVariant(const QString &)> &field)
{
    CalcRecord r;
    for (const NamedField &f : namedFields()) {
        const QVariant v = field(f.name);
        std::visit(
            [&](auto m) {
                if constexpr (isSurfaces<decltype(m)>)
                    assign((r.*m)[size_t(f.surface)], v);
                else
                    assign(r.*m, v);
            },
            f.member);
    }
    return r;
}

} // namespace kvor
