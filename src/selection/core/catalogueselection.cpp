#include "catalogueselection.h"

#include "storage/dbftable.h"

#include <QCoreApplication>

#include <cfenv>
#include <cmath>
#include <limits>

namespace kvor {

namespace {

const QString kCooling = QStringLiteral("Охлаждение");
const std::array<QString, 4> kColumns = {QStringLiteral("25"), QStringLiteral("30"), QStringLiteral("35"),
                                         QStringLiteral("40")};

struct ListedField {
    const char *name;
    const char *title;
    int width;
};

// The catalogue's shown fields, their titles and display widths, in field order.
const std::array<ListedField, 15> kListed = {{
    {"SIS", QT_TRANSLATE_NOOP("CatalogueSelection", "Система"), 9},
    {"AGR", QT_TRANSLATE_NOOP("CatalogueSelection", "Агрегат (конденсатор)"), 26},
    {"VOHL", QT_TRANSLATE_NOOP("CatalogueSelection", "Компресор"), 16},
    {"Q25", QT_TRANSLATE_NOOP("CatalogueSelection", "Q +25°С, Вт"), 7},
    {"T25", QT_TRANSLATE_NOOP("CatalogueSelection", "dT +25°С, К"), 7},
    {"Q30", QT_TRANSLATE_NOOP("CatalogueSelection", "Q +30°С, Вт"), 7},
    {"T30", QT_TRANSLATE_NOOP("CatalogueSelection", "dT +30°С, К"), 7},
    {"Q35", QT_TRANSLATE_NOOP("CatalogueSelection", "Q +35°С, Вт"), 7},
    {"T35", QT_TRANSLATE_NOOP("CatalogueSelection", "dT +35°С, К"), 7},
    {"Q40", QT_TRANSLATE_NOOP("CatalogueSelection", "Q +40°С, Вт"), 7},
    {"T40", QT_TRANSLATE_NOOP("CatalogueSelection", "dT +40°С, К"), 7},
    {"PPOT", QT_TRANSLATE_NOOP("CatalogueSelection", "Спож. потужність, кВт"), 8},
    {"IPOT", QT_TRANSLATE_NOOP("CatalogueSelection", "Спож. струм, А"), 8},
    {"NABOR", QT_TRANSLATE_NOOP("CatalogueSelection", "Магістраль"), 7},
    {"SHKAF", QT_TRANSLATE_NOOP("CatalogueSelection", "Контроллер"), 16},
}};

const ListedField *listed(const QString &name)
{
    for (const ListedField &f : kListed)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

// Index of the ambient column a capacity field belongs to, or -1.
int pairOf(const QString &name)
{
    if (name.size() != 3 || (name[0].toUpper() != QLatin1Char('Q') && name[0].toUpper() != QLatin1Char('T')))
        return -1;
    for (size_t i = 0; i < kColumns.size(); ++i)
        if (name.mid(1) == kColumns[i])
            return int(i);
    return -1;
}

QString wholeText(qint32 v)
{
    return QString::number(v);
}

} // namespace

std::optional<CatalogueBand> CatalogueSelection::bandFor(double t)
{
    struct Band {
        double above, upTo;
        const char *file, *heading;
    };
    static const Band bands[] = {
        {10, 30, "kat12.dbf", "+12"},      {6, 10, "kat8.dbf", "+8"},        {2, 6, "kat4.dbf", "+4"},
        {-2.5, 2, "kat0.dbf", "0"},        {-8.5, -2.5, "kat-5.dbf", "-5"},  {-15, -8.5, "kat-12.dbf", "-12"},
        {-21.5, -15, "kat-18.dbf", "-18"}, {-27.5, -21.5, "kat-25.dbf", "-25"}, {-45, -27.5, "kat-30.dbf", "-30"},
    };
    for (const Band &b : bands)
        if (t > b.above && t <= b.upTo)
            return CatalogueBand{QString::fromLatin1(b.file), QString::fromLatin1(b.heading)};
    return std::nullopt;
}

QString CatalogueSelection::columnFor(double t)
{
    if (t < 27.5)
        return kColumns[0]; // below 0 too: the nearest column
    if (t < 32.5)
        return kColumns[1];
    if (t < 37.5)
        return kColumns[2];
    return kColumns[3]; // 50 and above too
}

qint32 CatalogueSelection::roundHalfEven(long double value)
{
    if (std::isnan(value))
        return 0;
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(value);
    std::fesetround(old);
    if (r >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (r <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(r);
}

CatalogueChoice CatalogueSelection::choose(const SelectionInputs &in)
{
    CatalogueChoice c;
    const long double n = in.systems == 0 ? 1 : in.systems;
    c.required = roundHalfEven(static_cast<long double>(in.required) * 1000);
    // Extended precision and this order of operations, so halves land as they always have.
    const long double lower = (static_cast<long double>(in.int1) * c.required) / 100 / n;
    const long double upper = (static_cast<long double>(in.int2) * c.required) / 100 / n;
    c.lower = wholeText(roundHalfEven(lower));
    c.upper = wholeText(roundHalfEven(upper));
    c.band = bandFor(in.chamberTemperature);
    c.column = columnFor(in.outdoorTemperature);
    const QString q = QLatin1Char('Q') + c.column;
    c.filter = q + QStringLiteral(" >= ") + c.lower + QStringLiteral(" and ") + q + QStringLiteral(" <= ") + c.upper;
    if (in.processingMode == kCooling && in.chamberTemperature < 8)
        c.filter += QStringLiteral(" and T") + c.column + QStringLiteral(" <= 7 and VO = 1");
    return c;
}

int CatalogueSelection::rangeValue(const QString &text, int low, int high)
{
    bool ok = false;
    QString number = text.trimmed();
    // A decimal point just typed after the digits leaves the number they make.
    if (number.endsWith(QLatin1Char('.')) || number.endsWith(QLatin1Char(',')))
        number.chop(1);
    const long long v = number.toLongLong(&ok);
    if (!ok)
        return low;
    return int(std::clamp<long long>(v, low, high));
}

QString CatalogueSelection::noMatchMessage()
{
    return QCoreApplication::translate("CatalogueSelection",
                                       "Не має обладнання під такі характеристики.  Зв'яжіться з нами !");
}

QString CatalogueSelection::noBandMessage(double t)
{
    return QCoreApplication::translate("CatalogueSelection",
                                       "Для температури в камері %1 °С немає каталогу обладнання.")
        .arg(t);
}

void CatalogueSelection::reset(DbfTable &taKat)
{
    if (!taKat.active())
        return;
    taKat.setFiltered(false);
    taKat.setFilter(QString());
    taKat.close();
}

CatalogueSelection::Outcome CatalogueSelection::build(DbfTable &taKat, const QString &dataDir,
                                                      const SelectionInputs &in)
{
    reset(taKat);
    m_message.clear();
    const CatalogueChoice c = choose(in);
    taKat.setDatabaseName(dataDir);
    if (!c.band) {
        // No catalogue suits the chamber: list nothing rather than an earlier band's systems.
        m_filter.clear();
        m_message = noBandMessage(in.chamberTemperature);
        return Outcome::NoBand;
    }
    m_file = c.band->file;
    m_heading = c.band->heading;
    taKat.setTableName(m_file);
    const int pair = pairOf(QLatin1Char('Q') + c.column);
    m_pair = {false, false, false, false};
    m_pair[size_t(pair)] = true;
    m_column = c.column;
    m_filter = c.filter;
    taKat.setFilter(m_filter);
    taKat.open();
    taKat.setFiltered(true);
    if (taKat.eof()) {
        m_message = noMatchMessage();
        return Outcome::NoMatch;
    }
    return Outcome::Listed;
}

bool CatalogueSelection::fieldVisible(const QString &name) const
{
    if (!listed(name))
        return false;
    const int pair = pairOf(name.toUpper());
    return pair < 0 || m_pair[size_t(pair)];
}

QStringList CatalogueSelection::visibleFields() const
{
    QStringList out;
    for (const ListedField &f : kListed)
        if (fieldVisible(QLatin1String(f.name)))
            out << QLatin1String(f.name);
    return out;
}

QString CatalogueSelection::fieldTitle(const QString &name)
{
    const ListedField *f = listed(name);
    return f ? QCoreApplication::translate("CatalogueSelection", f->title) : QString();
}

int CatalogueSelection::fieldWidth(const QString &name)
{
    const ListedField *f = listed(name);
    return f ? f->width : 0;
}

const QStringList &CatalogueSelection::listedFields()
{
    static const QStringList names = [] {
        QStringList out;
        for (const ListedField &f : kListed)
            out << QLatin1String(f.name);
        return out;
    }();
    return names;
}

} // namespace kvor
