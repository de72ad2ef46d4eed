#include "reportdefinition.h"
#include "reporterror.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace kvor {

namespace {

// Parsing state: where we are, so an error can say which element is wrong.
struct Reader {
    QString origin;
    QString context;

    [[noreturn]] void fail(const QString &problem) const
    {
        QString where = origin.isEmpty() ? QStringLiteral("report definition") : origin;
        if (!context.isEmpty())
            where += QStringLiteral(" (") + context + QLatin1Char(')');
        throw ReportError(QStringLiteral("%1: %2").arg(where, problem));
    }

    int length(const QJsonObject &o, const char *key, int def = 0) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return def;
        if (!v.isDouble())
            fail(QStringLiteral("\"%1\" must be a number").arg(QLatin1String(key)));
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::abs(d) > 1e6)
            fail(QStringLiteral("\"%1\" is out of range").arg(QLatin1String(key)));
        return int(std::lround(d));
    }

    double number(const QJsonObject &o, const char *key, double def = 0) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return def;
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < 0 || v.toDouble() > 1000)
            fail(QStringLiteral("\"%1\" must be a number from 0 to 1000").arg(QLatin1String(key)));
        return v.toDouble();
    }

    QString string(const QJsonObject &o, const char *key, const QString &def = QString()) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return def;
        if (!v.isString())
            fail(QStringLiteral("\"%1\" must be a string").arg(QLatin1String(key)));
        return v.toString();
    }

    bool boolean(const QJsonObject &o, const char *key, bool def = false) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return def;
        if (!v.isBool())
            fail(QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key)));
        return v.toBool();
    }

    QJsonObject object(const QJsonObject &o, const char *key) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isObject())
            fail(QStringLiteral("\"%1\" must be an object").arg(QLatin1String(key)));
        return v.toObject();
    }

    QJsonArray array(const QJsonObject &o, const char *key) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isArray())
            fail(QStringLiteral("\"%1\" must be an array").arg(QLatin1String(key)));
        return v.toArray();
    }

    ReportFrame frame(const QJsonObject &o) const
    {
        ReportFrame f;
        f.left = number(o, "left");
        f.top = number(o, "top");
        f.right = number(o, "right");
        f.bottom = number(o, "bottom");
        return f;
    }

    ReportElement element(const QJsonValue &value) const
    {
        if (!value.isObject())
            fail(QStringLiteral("an element must be an object"));
        const QJsonObject o = value.toObject();
        ReportElement e;
        e.name = string(o, "name");
        Reader r = *this;
        r.context = context.isEmpty() ? e.name : context + QLatin1Char('/') + e.name;
        e.paint = r.length(o, "paint");
        const QString kind = r.string(o, "kind", QStringLiteral("label"));
        if (kind == QLatin1String("label"))
            e.kind = ElementKind::Label;
        else if (kind == QLatin1String("field"))
            e.kind = ElementKind::Field;
        else if (kind == QLatin1String("memo"))
            e.kind = ElementKind::Memo;
        else if (kind == QLatin1String("shape"))
            e.kind = ElementKind::Shape;
        else if (kind == QLatin1String("picture"))
            e.kind = ElementKind::Picture;
        else
            r.fail(QStringLiteral("unknown element kind \"%1\"").arg(kind));
        e.left = r.length(o, "left");
        e.top = r.length(o, "top");
        e.width = r.length(o, "width");
        e.height = r.length(o, "height");
        if (e.width < 0 || e.height < 0)
            r.fail(QStringLiteral("negative size"));
        e.text = r.string(o, "text");
        e.dataset = r.string(o, "dataset");
        e.field = r.string(o, "field");
        if (e.kind == ElementKind::Field && e.field.isEmpty() && !o.contains(QLatin1String("field")))
            r.fail(QStringLiteral("a field element needs \"field\""));
        for (const QJsonValue &line : r.array(o, "lines")) {
            if (!line.isString())
                r.fail(QStringLiteral("\"lines\" must hold strings"));
            e.lines << line.toString();
        }
        const QString align = r.string(o, "align", QStringLiteral("left"));
        if (align == QLatin1String("left"))
            e.align = Qt::AlignLeft;
        else if (align == QLatin1String("right"))
            e.align = Qt::AlignRight;
        else if (align == QLatin1String("center") || align == QLatin1String("centre"))
            e.align = Qt::AlignHCenter;
        else
            r.fail(QStringLiteral("unknown alignment \"%1\"").arg(align));
        const QJsonObject font = r.object(o, "font");
        e.font.family = r.string(font, "family", e.font.family);
        e.font.size = r.number(font, "size", e.font.size);
        if (e.font.size <= 0)
            r.fail(QStringLiteral("font size must be positive"));
        e.font.bold = r.boolean(font, "bold");
        e.font.italic = r.boolean(font, "italic");
        e.frame = r.frame(r.object(o, "frame"));
        e.autoSize = r.boolean(o, "autoSize");
        e.autoStretch = r.boolean(o, "autoStretch");
        const QString shape = r.string(o, "shape", QStringLiteral("hline"));
        if (shape == QLatin1String("hline"))
            e.shape = ShapeKind::HLine;
        else if (shape == QLatin1String("vline"))
            e.shape = ShapeKind::VLine;
        else if (shape == QLatin1String("rect"))
            e.shape = ShapeKind::Rect;
        else
            r.fail(QStringLiteral("unknown shape \"%1\"").arg(shape));
        e.pen = r.number(o, "pen", 2);
        e.image = r.string(o, "image");
        e.stretch = r.boolean(o, "stretch");
        return e;
    }
};

BandKind bandKind(const Reader &r, const QString &kind)
{
    if (kind == QLatin1String("title"))
        return BandKind::Title;
    if (kind == QLatin1String("pageHeader"))
        return BandKind::PageHeader;
    if (kind == QLatin1String("columnHeader"))
        return BandKind::ColumnHeader;
    if (kind == QLatin1String("detail"))
        return BandKind::Detail;
    if (kind == QLatin1String("subDetail"))
        return BandKind::SubDetail;
    if (kind == QLatin1String("pageFooter"))
        return BandKind::PageFooter;
    r.fail(QStringLiteral("unknown band kind \"%1\"").arg(kind));
}

} // namespace

ReportDefinition ReportDefinition::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot open report definition %1: %2").arg(path, file.errorString()));
    return fromJson(file.readAll(), path);
}

ReportDefinition ReportDefinition::fromJson(const QByteArray &json, const QString &origin)
{
    Reader r{origin, QString()};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull())
        r.fail(QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        r.fail(QStringLiteral("the document must be an object"));
    const QJsonObject root = doc.object();

    ReportDefinition def;
    def.name = r.string(root, "name");
    def.form = r.string(root, "form");
    def.dataset = r.string(root, "dataset");
    const QJsonObject page = r.object(root, "page");
    def.paperWidth = r.length(page, "width", def.paperWidth);
    def.paperHeight = r.length(page, "height", def.paperHeight);
    if (r.string(page, "orientation", QStringLiteral("portrait")) == QLatin1String("landscape")
        && !page.contains(QLatin1String("width")))
        std::swap(def.paperWidth, def.paperHeight);
    const QJsonObject margins = r.object(page, "margins");
    def.marginLeft = r.length(margins, "left", def.marginLeft);
    def.marginTop = r.length(margins, "top", def.marginTop);
    def.marginRight = r.length(margins, "right", def.marginRight);
    def.marginBottom = r.length(margins, "bottom", def.marginBottom);
    def.frame = r.number(page, "frame");
    if (def.paperWidth <= 0 || def.paperHeight <= 0 || def.printableWidth() <= 0 || def.printableHeight() <= 0)
        r.fail(QStringLiteral("the page has no printable area"));

    for (const QJsonValue &value : r.array(root, "bands")) {
        if (!value.isObject())
            r.fail(QStringLiteral("a band must be an object"));
        const QJsonObject o = value.toObject();
        ReportBand band;
        band.name = r.string(o, "name");
        Reader br{origin, band.name};
        if (!o.contains(QLatin1String("kind")))
            br.fail(QStringLiteral("a band needs \"kind\""));
        band.kind = bandKind(br, br.string(o, "kind"));
        band.height = br.length(o, "height");
        if (band.height < 0)
            br.fail(QStringLiteral("negative height"));
        band.dataset = br.string(o, "dataset");
        band.frame = br.frame(br.object(o, "frame"));
        for (const QJsonValue &e : br.array(o, "elements"))
            band.elements.push_back(br.element(e));
        def.bands.push_back(std::move(band));
    }
    for (const QJsonValue &e : r.array(root, "pageElements"))
        def.pageElements.push_back(r.element(e));
    return def;
}

ReportElement *ReportDefinition::element(const QString &name)
{
    return const_cast<ReportElement *>(std::as_const(*this).element(name));
}

const ReportElement *ReportDefinition::element(const QString &name) const
{
    for (const ReportBand &band : bands)
        for (const ReportElement &e : band.elements)
            if (e.name == name)
                return &e;
    for (const ReportElement &e : pageElements)
        if (e.name == name)
            return &e;
    return nullptr;
}

const ReportBand *ReportDefinition::band(const QString &name) const
{
    for (const ReportBand &b : bands)
        if (b.name == name)
            return &b;
    return nullptr;
}

ReportBand *ReportDefinition::band(const QString &name)
{
    return const_cast<ReportBand *>(std::as_const(*this).band(name));
}

} // namespace kvor
