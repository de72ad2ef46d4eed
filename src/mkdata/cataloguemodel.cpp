#include "cataloguemodel.h"

#include "storage/codepage.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace kvor {

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

const char *const kFiles[] = {"kat12.dbf", "kat8.dbf", "kat4.dbf", "kat0.dbf", "kat-5.dbf",
                              "kat-12.dbf", "kat-18.dbf", "kat-25.dbf", "kat-30.dbf"};

const char *const kNumbers[] = {"rating_ambient", "power_ambient", "capacity_min", "capacity_max",
                                "capacity_step", "cooler_max", "vo_max_dt", "single_phase_max_kw",
                                "amps_per_kw_1ph", "amps_per_kw_3ph", "breaker_margin", "deleted_near"};

// Group and subgroup texts go into C(60) fields of a DOS Cyrillic file.
constexpr int kGroupTextWidth = 60;

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

QString digits4(double v)
{
    return QStringLiteral("%1").arg(qlonglong(std::llround(v)), 4, 10, QLatin1Char('0'));
}

} // namespace

CatalogueModel CatalogueModel::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot read the catalogue model %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Cannot read the catalogue model %1: %2").arg(path, file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        fail(QStringLiteral("%1: not valid UTF-8").arg(path));
    return parse(text, path);
}

CatalogueModel CatalogueModel::parse(const QString &text, const QString &sourceName)
{
    CatalogueModel m;
    m.m_source = sourceName;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString line = lines[li].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList f = line.split(QLatin1Char(';'));
        for (QString &s : f)
            s = s.trimmed();
        const QString where = QStringLiteral("%1:%2: ").arg(sourceName).arg(li + 1);
        const QString kind = f[0];
        auto count = [&](qsizetype n, bool atLeast = false) {
            if (atLeast ? f.size() < n : f.size() != n) {
                fail(where + QStringLiteral("'%1' needs %2%3 fields, found %4")
                                 .arg(kind, atLeast ? QStringLiteral("at least ") : QString())
                                 .arg(n)
                                 .arg(f.size()));
            }
        };
        auto number = [&](qsizetype i) {
            bool ok = false;
            const double v = f[i].toDouble(&ok);
            if (!ok || !std::isfinite(v))
                fail(where + QStringLiteral("'%1' is not a number").arg(f[i]));
            return v;
        };
        auto letter = [&](qsizetype i) {
            if (f[i].size() != 1)
                fail(where + QStringLiteral("'%1' must be a single letter").arg(f[i]));
            return f[i];
        };

        if (kind == QLatin1String("set")) {
            count(3);
            if (m.m_settings.count(f[1]) || (f[1] == QLatin1String("retired_variant") && !m.m_retiredVariant.isEmpty()))
                fail(where + QStringLiteral("setting '%1' given twice").arg(f[1]));
            if (f[1] == QLatin1String("retired_variant"))
                m.m_retiredVariant = letter(2);
            else if (std::find(std::begin(kNumbers), std::end(kNumbers), f[1]) != std::end(kNumbers))
                m.m_settings[f[1]] = number(2);
            else
                fail(where + QStringLiteral("unknown setting '%1'").arg(f[1]));
        } else if (kind == QLatin1String("class")) {
            count(9);
            TemperatureClass c{letter(1), number(2), number(3), number(4), number(5), number(6), f[7], f[8]};
            m.m_classes.push_back(c);
        } else if (kind == QLatin1String("band")) {
            count(6);
            m.m_bands.push_back({f[1], int(number(2)), f[3], number(4), number(5)});
            if (m.m_bands.back().room != number(2))
                fail(where + QStringLiteral("the room temperature must be whole degrees"));
        } else if (kind == QLatin1String("family")) {
            count(5);
            m.m_families.push_back({letter(1), f[2], number(3), f[4]});
            if (m.m_families.back().copFactor <= 0)
                fail(where + QStringLiteral("the COP factor must be positive"));
        } else if (kind == QLatin1String("variant")) {
            count(4);
            if (f[3] != QLatin1String("0") && f[3] != QLatin1String("1"))
                fail(where + QStringLiteral("product cooling must be 0 or 1"));
            m.m_variants.push_back({letter(1), f[2], f[3] == QLatin1String("1")});
        } else if (kind == QLatin1String("line")) {
            count(4, true);
            Line l{f[1], f[2], {}};
            for (qsizetype i = 3; i < f.size(); ++i) {
                const double r = number(i);
                if (r <= 0 || r > 99990 || std::fmod(r, 10.0) != 0)
                    fail(where + QStringLiteral("rated capacity %1 must be a multiple of 10 W up to 99990").arg(f[i]));
                if (!l.ratings.empty() && r <= l.ratings.back())
                    fail(where + QStringLiteral("rated capacities must ascend"));
                l.ratings.push_back(r);
            }
            m.m_lines.push_back(l);
        } else if (kind == QLatin1String("group")) {
            count(6);
            const double id = number(1);
            if (id < 1 || id > 99999 || id != std::floor(id))
                fail(where + QStringLiteral("group number %1 must be a whole number 1 … 99999").arg(f[1]));
            m.m_groups.push_back({int(id), f[2], f[3], f[4], f[5]});
        } else if (kind == QLatin1String("coolers") || kind == QLatin1String("breakers")) {
            count(2, true);
            if (kind == QLatin1String("coolers") ? !m.m_coolers.empty() : !m.m_breakers.empty())
                fail(where + QStringLiteral("'%1' given twice").arg(kind));
            double previous = 0;
            for (qsizetype i = 1; i < f.size(); ++i) {
                const double v = number(i);
                if (v <= previous || v != std::floor(v) || v > 9999)
                    fail(where + QStringLiteral("sizes must be ascending whole numbers up to 9999"));
                previous = v;
                if (kind == QLatin1String("coolers"))
                    m.m_coolers.push_back(v);
                else
                    m.m_breakers.push_back(int(v));
            }
        } else if (kind == QLatin1String("pipe")) {
            count(5);
            m.m_pipes.push_back({f[1], number(2), int(number(3)), int(number(4))});
        } else {
            fail(where + QStringLiteral("unknown line kind '%1'").arg(kind));
        }
    }
    m.validate();
    return m;
}

void CatalogueModel::validate() const
{
    const QString where = m_source + QStringLiteral(": ");
    for (const char *name : kNumbers) {
        if (!m_settings.count(QString::fromLatin1(name)))
            fail(where + QStringLiteral("setting '%1' is missing").arg(QString::fromLatin1(name)));
    }
    if (m_retiredVariant.isEmpty())
        fail(where + QStringLiteral("setting 'retired_variant' is missing"));
    if (setting("capacity_step") < 1 || setting("capacity_min") <= 0
        || setting("capacity_max") <= setting("capacity_min"))
        fail(where + QStringLiteral("the capacity range or step is not usable"));

    std::set<QString> codes;
    for (const TemperatureClass &c : m_classes) {
        if (!codes.insert(c.code).second)
            fail(where + QStringLiteral("class '%1' given twice").arg(c.code));
        // Every catalogue column must keep a positive capacity and a rising input.
        if (c.cop <= 0 || c.capacitySlope < 0 || c.ambientSlope <= 0 || c.powerSlope < 0
            || 1 - c.ambientSlope * (CatalogueModel::kAmbients[3] - setting("rating_ambient")) <= 0)
            fail(where + QStringLiteral("class '%1' has unusable slopes or COP").arg(c.code));
    }

    std::set<QString> files;
    for (const Band &b : m_bands) {
        if (!files.insert(b.file).second)
            fail(where + QStringLiteral("band '%1' given twice").arg(b.file));
        temperatureClass(b.classCode);
        if (b.storageDifference <= 0 || b.storageDifference > 20 || b.productDifference <= 0
            || b.productDifference > 20)
            fail(where + QStringLiteral("band '%1': target temperature differences must lie in 0 … 20 K").arg(b.file));
    }
    for (const char *name : kFiles) {
        if (!files.count(QString::fromLatin1(name)))
            fail(where + QStringLiteral("no band for %1").arg(QString::fromLatin1(name)));
    }
    if (files.size() != std::size(kFiles))
        fail(where + QStringLiteral("bands must name exactly the nine catalogue files"));

    std::set<QString> letters;
    for (const Family &fam : m_families) {
        if (!letters.insert(fam.letter).second)
            fail(where + QStringLiteral("family '%1' given twice").arg(fam.letter));
    }
    letters.clear();
    for (const Variant &v : m_variants) {
        if (!letters.insert(v.letter).second)
            fail(where + QStringLiteral("variant '%1' given twice").arg(v.letter));
    }
    if (letters.count(m_retiredVariant))
        fail(where + QStringLiteral("the retired variant letter must differ from the live variants'"));
    if (m_variants.empty() || m_lines.empty())
        fail(where + QStringLiteral("the model needs variants and unit lines"));

    std::set<int> ids;
    for (const Group &g : m_groups) {
        if (!ids.insert(g.id).second)
            fail(where + QStringLiteral("group %1 given twice").arg(g.id));
        for (const QString &t : {g.name, family(g.family).subgroup}) {
            bool exact = false;
            Cp866::encode(t, &exact);
            if (!exact || t.size() > kGroupTextWidth || t.isEmpty())
                fail(where + QStringLiteral("group %1: '%2' must be 1 … 60 characters of the DOS Cyrillic page").arg(g.id).arg(t));
        }
    }
    for (const Line &l : m_lines) {
        temperatureClass(l.classCode);
        family(l.family);
        for (const Variant &v : m_variants)
            groupId(l.classCode, l.family, v.letter);
    }

    if (m_coolers.empty() || setting("cooler_max") > m_coolers.back() || setting("cooler_max") < m_coolers.front())
        fail(where + QStringLiteral("cooler_max must lie within the cooler sizes"));
    if (m_breakers.empty())
        fail(where + QStringLiteral("breaker sizes are missing"));
    for (const TemperatureClass &c : m_classes) {
        double previous = 0;
        for (const Pipe &p : m_pipes) {
            if (p.classCode != c.code)
                continue;
            if (p.upTo <= previous || p.liquid <= 0 || p.suction <= 0)
                fail(where + QStringLiteral("pipe rows of class '%1' must ascend in capacity").arg(c.code));
            previous = p.upTo;
        }
    }
    for (const Pipe &p : m_pipes)
        temperatureClass(p.classCode);
}

double CatalogueModel::setting(const QString &name) const
{
    const auto it = m_settings.find(name);
    if (it == m_settings.end())
        fail(m_source + QStringLiteral(": setting '%1' is missing").arg(name));
    return it->second;
}

const CatalogueModel::TemperatureClass &CatalogueModel::temperatureClass(const QString &code) const
{
    for (const TemperatureClass &c : m_classes) {
        if (c.code == code)
            return c;
    }
    fail(m_source + QStringLiteral(": unknown class '%1'").arg(code));
}

const CatalogueModel::Family &CatalogueModel::family(const QString &letter) const
{
    for (const Family &f : m_families) {
        if (f.letter == letter)
            return f;
    }
    fail(m_source + QStringLiteral(": unknown family '%1'").arg(letter));
}

int CatalogueModel::groupId(const QString &classCode, const QString &family, const QString &variant) const
{
    for (const Group &g : m_groups) {
        if (g.classCode == classCode && g.family == family && g.variant == variant)
            return g.id;
    }
    fail(m_source + QStringLiteral(": no group for class '%1', family '%2', variant '%3'")
                        .arg(classCode, family, variant));
}

std::vector<CatalogueGroup> CatalogueModel::groups() const
{
    std::vector<CatalogueGroup> out;
    for (const Group &g : m_groups)
        out.push_back({g.id, g.name, family(g.family).subgroup});
    return out;
}

bool CatalogueModel::makeSystem(const Band &band, const TemperatureClass &tc, const Family &fam,
                                const Variant &var, double rated, CatalogueSystem *out) const
{
    const double ratingAmbient = setting("rating_ambient");
    const double s = tc.capacitySlope;
    auto ambientFactor = [&](double ta) { return 1.0 - tc.ambientSlope * (ta - ratingAmbient); };
    const double a = 1.0 + s * (band.room - tc.ratingEvaporating);
    const double target = var.productCooling ? band.productDifference : band.storageDifference;
    // Far below the rating point the linear slope would leave the unit without capacity.
    if (a - s * target < 0.2) {
        fail(m_source + QStringLiteral(": band %1 lies too far below the rating point of class '%2'")
                            .arg(band.file, tc.code));
    }

    const double required = rated * ambientFactor(CatalogueModel::kAmbients[0]) * (a - s * target) / target;
    const int coolers = std::max(1, int(std::ceil(required / setting("cooler_max") - 1e-9)));
    const auto size = std::lower_bound(m_coolers.begin(), m_coolers.end(), required / coolers - 1e-9);
    const double each = *size; // cooler_max lies within the series, so one always fits
    const double conductance = each * coolers;

    auto balance = [&](double ta, double *difference) {
        const double unit = rated * ambientFactor(ta);
        *difference = unit * a / (conductance + unit * s);
        return conductance * *difference;
    };
    double difference = 0;
    const double atRating = balance(ratingAmbient, &difference);
    if (atRating < setting("capacity_min") || atRating > setting("capacity_max"))
        return false;

    CatalogueSystem r;
    const double step = setting("capacity_step");
    for (int i = 0; i < 4; ++i) {
        const double q = balance(CatalogueModel::kAmbients[i], &difference);
        r.capacity[i] = int(std::llround(q / step) * qlonglong(step));
        r.difference[i] = std::round(difference * 10.0) / 10.0;
        if (i > 0 && (r.capacity[i] >= r.capacity[i - 1] || r.difference[i] >= r.difference[i - 1])) {
            fail(m_source + QStringLiteral(": band %1: the capacity of the %2 W unit does not fall with the ambient "
                                           "once rounded; use a coarser slope or a finer step")
                                .arg(band.file)
                                .arg(rated));
        }
    }
    r.vo = r.difference[0] <= setting("vo_max_dt") + 1e-9 ? 1 : 0;

    const double ratedInput = rated / (tc.cop * fam.copFactor) / 1000.0;
    const bool singlePhase = ratedInput <= setting("single_phase_max_kw") + 1e-9;
    r.power = round2(ratedInput * (1.0 + tc.powerSlope * (setting("power_ambient") - ratingAmbient)));
    r.current = round2(r.power * setting(singlePhase ? "amps_per_kw_1ph" : "amps_per_kw_3ph"));
    const double needed = r.current * setting("breaker_margin");
    const auto breaker = std::find_if(m_breakers.begin(), m_breakers.end(), [&](int b) { return b >= needed; });
    if (breaker == m_breakers.end())
        fail(m_source + QStringLiteral(": no breaker for %1 A").arg(needed));
    const auto pipe = std::find_if(m_pipes.begin(), m_pipes.end(), [&](const Pipe &p) {
        return p.classCode == tc.code && p.upTo >= r.capacity[0];
    });
    if (pipe == m_pipes.end())
        fail(m_source + QStringLiteral(": no pipe set of class '%1' for %2 W").arg(tc.code).arg(r.capacity[0]));

    const QString size4 = digits4(rated / 10.0);
    const QString count = QString::number(coolers);
    r.sis = fam.letter + var.letter + size4;
    if (coolers > 1)
        r.sis += QLatin1Char('-') + count;
    r.agr = fam.unitPrefix + QLatin1Char('-') + size4 + tc.code + QStringLiteral(", ")
            + (singlePhase ? QStringLiteral("230 В") : QStringLiteral("400 В"));
    // The grid titles this column "Компресор": the unit's compressor, named by family and size.
    r.vohl = QStringLiteral("КМ") + fam.letter + QLatin1Char('-') + size4 + tc.code;
    r.shkaf = QStringLiteral("ЩУХ-") + (singlePhase ? QLatin1Char('1') : QLatin1Char('3')) + QLatin1Char('-')
              + QString::number(*breaker);
    if (!tc.defrost.isEmpty())
        r.shkaf += QLatin1Char('-') + tc.defrost;
    if (coolers > 1)
        r.shkaf += QLatin1Char('/') + count;
    r.nabor = QStringLiteral("%1/%2").arg(pipe->liquid).arg(pipe->suction);
    r.group = groupId(tc.code, fam.letter, var.letter);
    r.rated = rated;
    *out = r;
    return true;
}

std::vector<CatalogueSystem> CatalogueModel::systems(const Band &band) const
{
    const TemperatureClass &tc = temperatureClass(band.classCode);
    std::vector<CatalogueSystem> rows;
    for (const Line &line : m_lines) {
        if (line.classCode != band.classCode)
            continue;
        const Family &fam = family(line.family);
        for (const Variant &var : m_variants) {
            for (double rated : line.ratings) {
                CatalogueSystem r;
                if (makeSystem(band, tc, fam, var, rated, &r))
                    rows.push_back(r);
            }
        }
    }
    if (rows.empty())
        fail(m_source + QStringLiteral(": band %1 gets no systems").arg(band.file));
    std::stable_sort(rows.begin(), rows.end(), [](const CatalogueSystem &x, const CatalogueSystem &y) {
        return x.group != y.group ? x.group < y.group : x.rated < y.rated;
    });

    // The retired system sits beside its successor, as a catalogue edited in place would have it.
    const double near = setting("deleted_near");
    size_t nearest = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
        if (std::abs(rows[i].capacity[0] - near) < std::abs(rows[nearest].capacity[0] - near))
            nearest = i;
    }
    CatalogueSystem retired = rows[nearest];
    retired.sis[1] = m_retiredVariant[0];
    retired.deleted = true;
    rows.insert(rows.begin() + qsizetype(nearest) + 1, retired);
    return rows;
}

} // namespace kvor
