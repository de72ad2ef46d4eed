#include "reportpage.h"
#include "reporterror.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QSaveFile>

#include <cmath>
#include <map>
#include <memory>

namespace kvor {

std::vector<const ReportItem *> ReportPage::itemsOf(const QString &element) const
{
    std::vector<const ReportItem *> found;
    for (const ReportItem &item : items)
        if (item.element == element)
            found.push_back(&item);
    return found;
}

bool ReportPage::hasBand(const QString &name) const
{
    for (const PlacedBand &band : bands)
        if (band.name == name)
            return true;
    return false;
}

// ---- fonts ----------------------------------------------------------------

QString reportFontFamily(const QString &family)
{
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (family.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    return family;
}

namespace {

QFont baseFont(const ReportFont &font)
{
    QFont f(reportFontFamily(font.family));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    // Unhinted outlines scale linearly, so what the layout measured is what
    // any device draws.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

// Fonts are measured on a device of a hundredth of a millimetre per pixel
// (2540 dpi): font engines may round sizes to whole pixels, which at that
// scale costs under 0.1 %.
constexpr double kMeasureScale = 10.0;

const QImage &measureDevice()
{
    static const QImage device = [] {
        QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(100000);
        image.setDotsPerMeterY(100000);
        return image;
    }();
    return device;
}

const QFontMetricsF &metricsFor(const ReportFont &font)
{
    static std::map<QString, std::unique_ptr<QFontMetricsF>> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(font.family).arg(font.size).arg(font.bold).arg(font.italic);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, std::make_unique<QFontMetricsF>(reportMeasureFont(font), &measureDevice())).first;
    return *it->second;
}

} // namespace

QFont reportMeasureFont(const ReportFont &font)
{
    QFont f = baseFont(font);
    f.setPointSizeF(font.size);
    return f;
}

QFont reportPaintFont(const ReportFont &font, double dpi, double scale)
{
    QFont f = baseFont(font);
    // The device turns points into its own pixels; the painter's transform
    // then scales page units to pixels, so undo the device's share here.
    f.setPointSizeF(font.size * scale * kUnitsPerInch / (dpi > 0 ? dpi : 96.0));
    return f;
}

double ReportTextMetrics::width(const ReportFont &font, const QString &text)
{
    return text.isEmpty() ? 0.0 : metricsFor(font).horizontalAdvance(text) / kMeasureScale;
}

double ReportTextMetrics::lineHeight(const ReportFont &font)
{
    return metricsFor(font).height() / kMeasureScale;
}

double ReportTextMetrics::ascent(const ReportFont &font)
{
    return metricsFor(font).ascent() / kMeasureScale;
}

// ---- page files -----------------------------------------------------------

namespace {

constexpr quint32 kMagic = 0x4B565250; // "KVRP"
constexpr quint16 kVersion = 1;
constexpr quint32 kMaxCount = 1000000;

void writeFrame(QDataStream &out, const ReportFrame &f)
{
    out << f.left << f.top << f.right << f.bottom;
}

void readFrame(QDataStream &in, ReportFrame &f)
{
    in >> f.left >> f.top >> f.right >> f.bottom;
}

// Far beyond any paper (a kilometre in tenths of a millimetre) yet small enough
// that sums of coordinates cannot overflow an int while painting.
constexpr qint32 kMaxLength = 1000000;

bool inRange(qint32 v, qint32 low = -kMaxLength)
{
    return v >= low && v <= kMaxLength;
}

bool sane(const QRect &r)
{
    // The corners as stored: width() and height() would overflow on wild ones.
    return inRange(r.left()) && inRange(r.top()) && inRange(r.right()) && inRange(r.bottom());
}

bool sane(double v, double high)
{
    return std::isfinite(v) && v >= 0 && v <= high;
}

bool sane(const ReportFrame &f)
{
    return sane(f.left, 1000) && sane(f.top, 1000) && sane(f.right, 1000) && sane(f.bottom, 1000);
}

[[noreturn]] void damaged(const QString &path)
{
    throw ReportError(QCoreApplication::translate("ReportPage", "The report file %1 is damaged").arg(path));
}

} // namespace

void saveReportPages(const std::vector<ReportPage> &pages, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(
            QCoreApplication::translate("ReportPage", "Cannot write %1: %2").arg(path, file.errorString()));
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << quint32(pages.size());
    for (const ReportPage &page : pages) {
        out << qint32(page.width) << qint32(page.height) << quint32(page.bands.size());
        for (const PlacedBand &band : page.bands)
            out << band.name << qint32(band.top) << qint32(band.height);
        out << quint32(page.items.size());
        for (const ReportItem &item : page.items) {
            out << qint32(item.kind) << item.box << item.text << item.font.family << item.font.size
                << item.font.bold << item.font.italic << qint32(item.align.toInt()) << item.opaque;
            writeFrame(out, item.frame);
            out << item.pen << item.stretch << item.element << !item.image.isNull();
            if (!item.image.isNull())
                out << item.image;
        }
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        throw ReportError(
            QCoreApplication::translate("ReportPage", "Cannot write %1: %2").arg(path, file.errorString()));
}

std::vector<ReportPage> loadReportPages(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw ReportError(QCoreApplication::translate("ReportPage", "File does not exist"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QCoreApplication::translate("ReportPage", "Cannot open %1: %2").arg(path, file.errorString()));
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic)
        throw ReportError(QCoreApplication::translate("ReportPage", "%1 is not a report file").arg(path));
    if (version != kVersion)
        throw ReportError(QCoreApplication::translate("ReportPage", "The report file %1 has an unsupported version %2")
                              .arg(path)
                              .arg(version));

    quint32 pageCount = 0;
    in >> pageCount;
    if (in.status() != QDataStream::Ok || pageCount > kMaxCount)
        damaged(path);
    std::vector<ReportPage> pages;
    for (quint32 p = 0; p < pageCount; ++p) {
        ReportPage page;
        qint32 width = 0, height = 0;
        quint32 bandCount = 0;
        in >> width >> height >> bandCount;
        if (in.status() != QDataStream::Ok || width <= 0 || height <= 0 || !inRange(width) || !inRange(height)
            || bandCount > kMaxCount)
            damaged(path);
        page.width = width;
        page.height = height;
        for (quint32 b = 0; b < bandCount; ++b) {
            PlacedBand band;
            qint32 top = 0, bandHeight = 0;
            in >> band.name >> top >> bandHeight;
            if (in.status() != QDataStream::Ok || !inRange(top) || !inRange(bandHeight))
                damaged(path);
            band.top = top;
            band.height = bandHeight;
            page.bands.push_back(band);
        }
        quint32 itemCount = 0;
        in >> itemCount;
        if (in.status() != QDataStream::Ok || itemCount > kMaxCount)
            damaged(path);
        for (quint32 i = 0; i < itemCount; ++i) {
            ReportItem item;
            qint32 kind = 0, align = 0;
            bool hasImage = false;
            in >> kind >> item.box >> item.text >> item.font.family >> item.font.size >> item.font.bold
               >> item.font.italic >> align >> item.opaque;
            readFrame(in, item.frame);
            in >> item.pen >> item.stretch >> item.element >> hasImage;
            if (hasImage)
                in >> item.image;
            if (in.status() != QDataStream::Ok || kind < ReportItem::Text || kind > ReportItem::Image
                || !sane(item.box) || !(item.font.size > 0 && sane(item.font.size, 1000)) || !sane(item.pen, 1000) || !sane(item.frame))
                damaged(path);
            item.kind = ReportItem::Kind(kind);
            item.align = Qt::Alignment(align);
            page.items.push_back(std::move(item));
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace kvor
