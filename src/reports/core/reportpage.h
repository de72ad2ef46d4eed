#pragma once

#include "reportdefinition.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace kvor {

// Lengths of a laid-out page are tenths of a millimetre from the paper's corner.
constexpr double kUnitsPerPoint = 254.0 / 72.0; // 1 pt = 0.35278 mm
constexpr double kUnitsPerInch = 254.0;

// One positioned primitive.
struct ReportItem {
    enum Kind { Text, Line, Rect, Image };
    Kind kind = Text;
    QRect box;        // Line: from (x, y) to (x + width, y + height)
    // Text: the lines to print, already wrapped and cut to the box, joined by '\n'.
    QString text;
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft;
    bool opaque = false; // white box painted under the text
    ReportFrame frame;   // pt, on the box's sides
    double pen = 0;      // Line/Rect, pt
    QImage image;
    bool stretch = false; // Image: stretched to the box, else centred at 96 dpi
    QString element;      // source element name

    bool operator==(const ReportItem &) const = default;
};

struct PlacedBand {
    QString name;
    int top = 0;
    int height = 0;
    bool operator==(const PlacedBand &) const = default;
};

struct ReportPage {
    int width = 2100, height = 2970;
    std::vector<PlacedBand> bands;
    std::vector<ReportItem> items;
    bool operator==(const ReportPage &) const = default;

    // Items laid out for an element, in paint order (tests and tools).
    std::vector<const ReportItem *> itemsOf(const QString &element) const;
    bool hasBand(const QString &name) const;
};

// Own versioned binary file of laid-out pages (text stays text, independent of
// any screen). Both throw ReportError; loading a missing file says "File does not exist".
void saveReportPages(const std::vector<ReportPage> &pages, const QString &path);
std::vector<ReportPage> loadReportPages(const QString &path);

// Report fonts: the families the definitions name map onto installed metric
// twins ("Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif").
QString reportFontFamily(const QString &family);
// Qt sets a font at a whole number of device pixels, and where one pixel is a
// tenth of a millimetre 8 pt would become 7.937 pt. Fonts are therefore made
// kTextScale times larger and drawn under a matching scale-down: a pixel is
// then 1/72 of that, and every whole or half point size stays exact.
constexpr double kTextScale = 72.0;

// The font a report font stands for (family mapped, unhinted).
QFont reportMeasureFont(const ReportFont &font);
// A font for drawing on `dpi` device pixels per inch while the painter's
// transform makes one logical unit a tenth of a millimetre divided by `scale`.
QFont reportPaintFont(const ReportFont &font, double dpi, double scale = 1.0);

// Text metrics in page units (tenths of a millimetre), measured at a fixed
// resolution so a layout never depends on the screen's DPI; cached per font.
class ReportTextMetrics {
public:
    static double width(const ReportFont &font, const QString &text);
    static double lineHeight(const ReportFont &font);
    static double ascent(const ReportFont &font);
};

} // namespace kvor
