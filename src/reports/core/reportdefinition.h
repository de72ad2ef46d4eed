#pragma once

#include <QString>
#include <QStringList>
#include <Qt>

#include <vector>

namespace kvor {

enum class BandKind { Title, PageHeader, ColumnHeader, Detail, SubDetail, PageFooter };
enum class ElementKind { Label, Field, Memo, Shape, Picture };
enum class ShapeKind { HLine, VLine, Rect };

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double size = 8; // points
    bool bold = false;
    bool italic = false;
    bool operator==(const ReportFont &) const = default;
};

// Line widths in points; 0 = no line on that side.
struct ReportFrame {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ReportFrame &) const = default;
    bool any() const { return left > 0 || top > 0 || right > 0 || bottom > 0; }
};

// Lengths are tenths of a millimetre, from the band's corner (page-level
// elements: from the paper's corner).
struct ReportElement {
    QString name;
    int paint = 0;
    ElementKind kind = ElementKind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    QString text;              // label caption
    QString dataset, field;    // field element
    QStringList lines;         // memo
    Qt::Alignment align = Qt::AlignLeft;
    ReportFont font;
    ReportFrame frame;
    bool autoSize = false, autoStretch = false;
    ShapeKind shape = ShapeKind::HLine;
    double pen = 2;            // shape pen in pen units (see reportlayout.h)
    QString image;             // picture: file or resource path
    bool stretch = false;
};

struct ReportBand {
    QString name;
    BandKind kind = BandKind::Detail;
    int height = 0;
    QString dataset;           // sub-detail: the data set it walks
    ReportFrame frame;         // only top and bottom are drawn
    std::vector<ReportElement> elements;
};

struct ReportDefinition {
    QString name, form;
    int paperWidth = 2100, paperHeight = 2970;
    int marginLeft = 100, marginTop = 100, marginRight = 100, marginBottom = 100;
    double frame = 0;          // pt, around the printable area
    QString dataset;           // master data set
    std::vector<ReportBand> bands;
    std::vector<ReportElement> pageElements;

    // Reads a JSON definition (file or resource); throws ReportError naming the
    // path and the problem.
    static ReportDefinition load(const QString &path);
    static ReportDefinition fromJson(const QByteArray &json, const QString &origin = QString());

    ReportElement *element(const QString &name);
    const ReportElement *element(const QString &name) const;
    const ReportBand *band(const QString &name) const;
    ReportBand *band(const QString &name);

    int printableWidth() const { return paperWidth - marginLeft - marginRight; }
    int printableHeight() const { return paperHeight - marginTop - marginBottom; }
};

} // namespace kvor
