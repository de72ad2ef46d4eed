#pragma once

// Small synthetic report definitions and data for the engine tests.

#include "reports/core/reportdataset.h"
#include "reports/core/reportdefinition.h"
#include "reports/core/reportlayout.h"
#include "reports/core/reportpage.h"
#include "reports/core/reportpainter.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

namespace kvor::enginetest {

inline ReportElement label(const QString &name, int paint, int left, int top, int width, int height,
                           const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    ReportElement e;
    e.name = name;
    e.paint = paint;
    e.kind = ElementKind::Label;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.text = text;
    e.align = align;
    return e;
}

inline ReportElement field(const QString &name, int paint, int left, int width, const QString &dataset,
                           const QString &fieldName)
{
    ReportElement e = label(name, paint, left, 0, width, 42, QString());
    e.kind = ElementKind::Field;
    e.dataset = dataset;
    e.field = fieldName;
    return e;
}

inline ReportElement shape(const QString &name, ShapeKind kind, int left, int top, int width, int height,
                           double pen = 2)
{
    ReportElement e = label(name, 0, left, top, width, height, QString());
    e.kind = ElementKind::Shape;
    e.shape = kind;
    e.pen = pen;
    return e;
}

inline ReportBand band(const QString &name, BandKind kind, int height, std::vector<ReportElement> elements = {})
{
    ReportBand b;
    b.name = name;
    b.kind = kind;
    b.height = height;
    b.elements = std::move(elements);
    return b;
}

// The equipment-list geometry: page header 18.5 mm, title 26.7 mm, column
// header 16.9 mm, rows of 4.2 mm, page footer 23.3 mm on A4 with 10 mm margins.
inline ReportDefinition listDefinition()
{
    ReportDefinition def;
    def.name = QStringLiteral("List");
    def.dataset = QStringLiteral("master");
    def.frame = 2;
    def.bands.push_back(band("Header", BandKind::PageHeader, 185,
                             {label("HeadText", 1, 450, 119, 1459, 66, QStringLiteral("Заголовок сторінки"))}));
    def.bands.back().frame.bottom = 2;
    def.bands.push_back(band("Title", BandKind::Title, 267,
                             {label("TitleText", 1, 26, 21, 294, 45, QStringLiteral("Обєм камери"))}));
    def.bands.push_back(band("Columns", BandKind::ColumnHeader, 169,
                             {label("ColText", 1, 0, 82, 172, 79, QStringLiteral("Система"))}));
    def.bands.back().frame.top = 1;
    def.bands.back().frame.bottom = 1;
    def.bands.push_back(band("Row", BandKind::SubDetail, 42,
                             {field("RowName", 2, 0, 172, "rows", "SIS"), field("RowQ", 1, 191, 384, "rows", "Q")}));
    def.bands.back().dataset = QStringLiteral("rows");
    def.bands.push_back(band("Footer", BandKind::PageFooter, 233,
                             {field("Client", 1, 254, 638, "master", "KL_NAIM")}));
    def.bands.back().frame.top = 1;
    ReportElement memo = label("Memo", 1, 534, 111, 1453, 119, QString(), Qt::AlignHCenter);
    memo.kind = ElementKind::Memo;
    memo.font.size = 9;
    memo.lines = {QStringLiteral("Перший рядок"), QStringLiteral("Другий рядок"), QStringLiteral("Третій рядок")};
    def.pageElements.push_back(memo);
    return def;
}

inline std::unique_ptr<ListDataSet> rows(int count)
{
    auto set = std::make_unique<ListDataSet>();
    for (int i = 1; i <= count; ++i)
        set->addRow({{QStringLiteral("SIS"), QStringLiteral("S%1").arg(i)},
                     {QStringLiteral("Q"), QString::number(i * 1.5)}});
    return set;
}

inline std::unique_ptr<ListDataSet> masterRecord()
{
    auto set = std::make_unique<ListDataSet>();
    set->addRow({{QStringLiteral("KL_NAIM"), QStringLiteral("ТОВ Клієнт")}});
    return set;
}

// Bands of a page by name, in the order they were placed.
inline QStringList bandNames(const ReportPage &page)
{
    QStringList names;
    for (const PlacedBand &b : page.bands)
        names << b.name;
    return names;
}

// Paints a page onto an image with `scale` pixels per tenth of a millimetre.
inline QImage paintToImage(const ReportPage &page, double scale)
{
    QImage image(int(page.width * scale), int(page.height * scale), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    paintReportPage(p, page);
    p.end();
    return image;
}

inline bool isDark(QRgb c)
{
    return qGray(c) < 128;
}

} // namespace kvor::enginetest
