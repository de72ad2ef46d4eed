#include "calcinputs.h"

#include <cmath>
#include <limits>

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

QString indexed(const char *prefix, int i)
{
    return QLatin1String(prefix) + QString::number(i + 1);
}

} // namespace

QStringList CalcRecord::fieldNames()
{
    QStringList names = {QStringLiteral("OB_TERMR"), QStringLiteral("OB_TEMKAM"), QStringLiteral("OB_TIMEWRK"),
                         QStringLiteral("OB_KZAPAS"), QStringLiteral("OB_KAMDL"), QStringLiteral("OB_KAMSH"),
                         QStringLiteral("OB_KAMVS"), QStringLiteral("OB_RGTMAX"), QStringLiteral("OB_RGVLAJ"),
                         QStringLiteral("ob_kamv")};
    for (int i = 0; i < 6; ++i)
        names << indexed("ob_s", i);
    for (const char *group : {"ST_M", "ST_MT", "ST_IZ", "ST_IZT", "ST_TEM"}) {
        for (int i = 0; i < 6; ++i)
            names << indexed(group, i);
    }
    names << QStringList{QStringLiteral("VN_KR"),   QStringLiteral("VN_FLAG"),  QStringLiteral("IN_TIP"),
                         QStringLiteral("IN_ZAV"),  QStringLiteral("IN_DV"),    QStringLiteral("IN_DH"),
                         QStringLiteral("IN_TOV"),  QStringLiteral("IN_GPTS"),  QStringLiteral("TE_PTIP"),
                         QStringLiteral("TE_PMAS"), QStringLiteral("TE_POBOR"), QStringLiteral("TE_PT0"),
                         QStringLiteral("TE_PT1"),  QStringLiteral("TE_TTIP"),  QStringLiteral("TE_TOBOR"),
                         QStringLiteral("TE_TT0"),  QStringLiteral("TE_TT1"),   QStringLiteral("TE_VLAJ"),
                         QStringLiteral("OS_TIME"), QStringLiteral("OS_POW"),   QStringLiteral("PER_KOL"),
                         QStringLiteral("TRS_POW"), QStringLiteral("VO_PROC"),  QStringLiteral("VO_UTOCH"),
                         QStringLiteral("VO_KOLVO"), QStringLiteral("VO_POW")};
    return names;
}

CalcRecord CalcRecord::read(const std::function<QVariant(const QString &)> &field)
{
    auto number = [&](const char *name) { return toNumber(field(QLatin1String(name))); };
    auto small = [&](const char *name) { return toSmallInt(field(QLatin1String(name))); };
    auto text = [&](const char *name) { return toText(field(QLatin1String(name))); };
    auto flag = [&](const char *name) {
        const QVariant v = field(QLatin1String(name));
        return !v.isNull() && v.toBool();
    };

    CalcRecord r;
    r.OB_TERMR = text("OB_TERMR");
    r.OB_TEMKAM = small("OB_TEMKAM");
    r.OB_TIMEWRK = small("OB_TIMEWRK");
    r.OB_KZAPAS = number("OB_KZAPAS");
    r.OB_KAMDL = number("OB_KAMDL");
    r.OB_KAMSH = number("OB_KAMSH");
    r.OB_KAMVS = number("OB_KAMVS");
    r.OB_RGTMAX = small("OB_RGTMAX");
    r.OB_RGVLAJ = small("OB_RGVLAJ");
    r.ob_kamv = number("ob_kamv");
    for (int i = 0; i < 6; ++i) {
        r.ob_s[size_t(i)] = toNumber(field(indexed("ob_s", i)));
        r.ST_M[size_t(i)] = toText(field(indexed("ST_M", i)));
        r.ST_MT[size_t(i)] = toNumber(field(indexed("ST_MT", i)));
        r.ST_IZ[size_t(i)] = toText(field(indexed("ST_IZ", i)));
        r.ST_IZT[size_t(i)] = toNumber(field(indexed("ST_IZT", i)));
        r.ST_TEM[size_t(i)] = toSmallInt(field(indexed("ST_TEM", i)));
    }
    r.VN_KR = number("VN_KR");
    r.VN_FLAG = flag("VN_FLAG");
    r.IN_TIP = flag("IN_TIP");
    r.IN_ZAV = text("IN_ZAV");
    r.IN_DV = number("IN_DV");
    r.IN_DH = number("IN_DH");
    r.IN_TOV = text("IN_TOV");
    r.IN_GPTS = number("IN_GPTS");
    r.TE_PTIP = text("TE_PTIP");
    r.TE_PMAS = number("TE_PMAS");
    r.TE_POBOR = number("TE_POBOR");
    r.TE_PT0 = small("TE_PT0");
    r.TE_PT1 = small("TE_PT1");
    r.TE_TTIP = text("TE_TTIP");
    r.TE_TOBOR = number("TE_TOBOR");
    r.TE_TT0 = small("TE_TT0");
    r.TE_TT1 = small("TE_TT1");
    r.TE_VLAJ = small("TE_VLAJ");
    r.OS_TIME = small("OS_TIME");
    r.OS_POW = small("OS_POW");
    r.PER_KOL = small("PER_KOL");
    r.TRS_POW = small("TRS_POW");
    r.VO_PROC = small("VO_PROC");
    r.VO_UTOCH = flag("VO_UTOCH");
    r.VO_KOLVO = small("VO_KOLVO");
    r.VO_POW = number("VO_POW");
    return r;
}

QStringList CalcInputs::defaultGoodsItems()
{
    return {QStringLiteral("Штабелі на піддонах"), QStringLiteral("Мясні туші на гаках")};
}

QStringList CalcInputs::defaultProtectionItems()
{
    return {QStringLiteral("Відсутня"), QStringLiteral("Штора"), QStringLiteral("Пов. завіса")};
}

} // namespace kvor
