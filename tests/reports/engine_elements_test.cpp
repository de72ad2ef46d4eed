#include "enginefixture.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>

using namespace kvor;
using namespace kvor::enginetest;

namespace {

// One band at the top of the printable area holding the given elements.
ReportPage layoutOne(std::vector<ReportElement> elements)
{
    ReportDefinition def;
    def.bands.push_back(band("Band", BandKind::Detail, 1000, std::move(elements)));
    const auto pages = layoutReport(def, {});
    EXPECT_EQ(pages.size(), 1u);
    return pages.front();
}

const ReportItem &only(const ReportPage &page, const QString &name)
{
    const auto items = page.itemsOf(name);
    EXPECT_EQ(items.size(), 1u) << name.toStdString();
    return *items.front();
}

const ReportFont kFont; // Arial 8

int dark(const QImage &image, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += isDark(image.pixel(x, y));
    return n;
}

} // namespace

TEST(EngineFonts, ReportFamiliesMapToMetricTwins)
{
    EXPECT_EQ(reportFontFamily("Arial"), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(reportFontFamily("Times New Roman"), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(reportMeasureFont(kFont)).family(), QStringLiteral("Liberation Sans"));
    ReportFont serif;
    serif.family = "Times New Roman";
    EXPECT_EQ(QFontInfo(reportMeasureFont(serif)).family(), QStringLiteral("Liberation Serif"));
    // Metrics are in tenths of a millimetre: an 8 pt line is a little over 8 pt (28.2 units).
    const double h = ReportTextMetrics::lineHeight(kFont);
    EXPECT_GT(h, 28.2);
    EXPECT_LT(h, 36.0);
    // Liberation Sans has Arial's widths: "0" is 0.556 em.
    EXPECT_NEAR(ReportTextMetrics::width(kFont, "0000000000"), 10 * 0.556 * 8 * kUnitsPerPoint, 1.0);
}

TEST(EngineText, WordWrapPrintsOnlyTheLinesThatFit)
{
    const double word = ReportTextMetrics::width(kFont, "слово");
    const double pair = ReportTextMetrics::width(kFont, "слово слово");
    const int width = int(std::ceil(pair)) + 2; // two words a line, not three
    ASSERT_LT(ReportTextMetrics::width(kFont, "слово слово слово"), 1e9);
    EXPECT_EQ(wrapReportText("слово слово слово слово слово", kFont, width),
              (QStringList{"слово слово", "слово слово", "слово"}));
    EXPECT_GT(word, 0);

    const int twoLines = int(std::ceil(2 * ReportTextMetrics::lineHeight(kFont))) + 1;
    const ReportPage page = layoutOne({label("Wrap", 1, 0, 0, width, twoLines, "слово слово слово слово слово")});
    const ReportItem &item = only(page, "Wrap");
    EXPECT_EQ(item.text, QStringLiteral("слово слово\nслово слово"));
    EXPECT_EQ(item.box.size(), QSize(width, twoLines));
    EXPECT_TRUE(item.opaque);
}

TEST(EngineText, WideWordIsNotCutButRunsPastTheEdge)
{
    const QString longWord = QStringLiteral("Теплопритік");
    const int width = int(ReportTextMetrics::width(kFont, longWord) / 2);
    EXPECT_EQ(wrapReportText("ab " + longWord + " cd", kFont, width), (QStringList{"ab", longWord, "cd"}));

    const ReportPage page = layoutOne({label("Long", 1, 0, 0, width, 45, longWord)});
    const ReportItem &item = only(page, "Long");
    EXPECT_EQ(item.text, longWord);
    EXPECT_EQ(item.box.width(), width);
    // Painted, the word's ink reaches beyond the box's right edge.
    const QImage image = paintToImage(page, 1.0);
    const QRect beyond(item.box.right() + 2, item.box.top(), width / 2, item.box.height());
    EXPECT_GT(dark(image, beyond), 10);
}

TEST(EngineText, KeepsRunsOfSpacesInsideALine)
{
    const QString heading = QStringLiteral("Холодильні системи для             °С в охлоджуваному об'ємі ");
    EXPECT_EQ(wrapReportText(heading, kFont, 5000), QStringList{heading});
}

TEST(EngineText, AutoSizeFollowsTheTextAnchoredByAlignment)
{
    const QString text = QStringLiteral("12345.67");
    const int w = int(std::ceil(ReportTextMetrics::width(kFont, text) - 1e-6));
    ReportElement left = label("Left", 1, 100, 0, 400, 45, text, Qt::AlignLeft);
    ReportElement right = label("Right", 2, 100, 100, 400, 45, text, Qt::AlignRight);
    ReportElement centre = label("Centre", 3, 100, 200, 400, 45, text, Qt::AlignHCenter);
    ReportElement wide = label("Wide", 4, 100, 300, 40, 45, text, Qt::AlignRight);
    for (ReportElement *e : {&left, &right, &centre, &wide})
        e->autoSize = true;
    const ReportPage page = layoutOne({left, right, centre, wide});
    const int x = 100 + 100; // page margin + element left
    EXPECT_EQ(only(page, "Left").box, QRect(x, 100, w, 45));
    EXPECT_EQ(only(page, "Right").box, QRect(x + 400 - w, 200, w, 45));
    const QRect c = only(page, "Centre").box;
    EXPECT_EQ(c.width(), w);
    EXPECT_NEAR(c.x() + c.width() / 2.0, x + 200, 1.0);
    // Growing past a narrow box keeps the right edge too.
    const QRect r = only(page, "Wide").box;
    EXPECT_EQ(r.x() + r.width(), x + 40);
    EXPECT_EQ(r.width(), w);
    EXPECT_EQ(only(page, "Right").text, text);
}

TEST(EngineText, AutoStretchGrowsTheBoxDownToHoldAllLines)
{
    const QString text = QStringLiteral("Матеріал стін і ізоляції");
    const int width = int(ReportTextMetrics::width(kFont, "Матеріал")) + 5;
    const QStringList lines = wrapReportText(text, kFont, width);
    ASSERT_GE(lines.size(), 3);
    ReportElement stretched = label("Stretched", 1, 0, 0, width, 45, text);
    stretched.autoStretch = true;
    ReportElement fixed = label("Fixed", 2, 500, 0, width, 45, text);
    const ReportPage page = layoutOne({stretched, fixed});
    const ReportItem &s = only(page, "Stretched");
    EXPECT_EQ(s.text, lines.join('\n'));
    EXPECT_GE(s.box.height(), lines.size() * ReportTextMetrics::lineHeight(kFont));
    EXPECT_LT(s.box.height(), (lines.size() + 1) * ReportTextMetrics::lineHeight(kFont));
    EXPECT_EQ(s.box.top(), 100);
    const ReportItem &f = only(page, "Fixed");
    EXPECT_EQ(f.text, lines.front());
    EXPECT_EQ(f.box.height(), 45);
}

TEST(EnginePaint, ElementsPaintInAscendingOrderAndLaterOnesCoverEarlier)
{
    // Listed out of order; the white box of the later label hides the text under it.
    ReportElement cover = label("Cover", 5, 0, 0, 600, 60, QString());
    ReportElement text = label("Text", 1, 0, 0, 600, 60, QStringLiteral("ШШШШШШШШШШ"));
    text.font.size = 14;
    ReportElement third = label("Third", 3, 0, 200, 600, 60, QStringLiteral("ШШШ"));
    const ReportPage covered = layoutOne({cover, third, text});
    std::vector<QString> order;
    for (const ReportItem &item : covered.items)
        order.push_back(item.element);
    EXPECT_EQ(order, (std::vector<QString>{"Text", "Third", "Cover"}));
    const QRect textArea(100, 100, 600, 60);
    EXPECT_EQ(dark(paintToImage(covered, 1.0), textArea), 0);

    cover.paint = 0; // now painted first: the text stays visible
    const ReportPage visible = layoutOne({cover, text});
    EXPECT_GT(dark(paintToImage(visible, 1.0), textArea), 100);
}

TEST(EngineShapes, LinesRunThroughTheMiddleOfTheirBox)
{
    const ReportPage page = layoutOne({shape("H", ShapeKind::HLine, 63, 225, 1630, 38),
                                       shape("V", ShapeKind::VLine, 262, 241, 22, 415),
                                       shape("R", ShapeKind::Rect, 1693, 140, 201, 63, 6)});
    const ReportItem &h = only(page, "H");
    EXPECT_EQ(h.kind, ReportItem::Line);
    EXPECT_EQ(h.box, QRect(100 + 63, 100 + 225 + 19, 1630, 0));
    const ReportItem &v = only(page, "V");
    EXPECT_EQ(v.kind, ReportItem::Line);
    EXPECT_EQ(v.box, QRect(100 + 262 + 11, 100 + 241, 0, 415));
    const ReportItem &r = only(page, "R");
    EXPECT_EQ(r.kind, ReportItem::Rect);
    EXPECT_EQ(r.box, QRect(100 + 1693, 100 + 140, 201, 63));
    EXPECT_DOUBLE_EQ(r.pen, 1.5);

    // Painted: the horizontal line's ink lies on its middle row only.
    const QImage image = paintToImage(page, 1.0);
    EXPECT_TRUE(isDark(image.pixel(100 + 63 + 800, 100 + 225 + 19)));
    EXPECT_FALSE(isDark(image.pixel(100 + 63 + 800, 100 + 225 + 5)));
    EXPECT_FALSE(isDark(image.pixel(100 + 63 - 5, 100 + 225 + 19)));
    EXPECT_TRUE(isDark(image.pixel(100 + 262 + 11, 100 + 241 + 200)));
    EXPECT_FALSE(isDark(image.pixel(100 + 262 + 2, 100 + 241 + 200)));
}

TEST(EngineShapes, ThickPenIsThreeTimesTheThinOne)
{
    const ReportPage page = layoutOne({shape("Thin", ShapeKind::HLine, 0, 0, 1000, 100, 2),
                                       shape("Thick", ShapeKind::HLine, 0, 200, 1000, 100, 6)});
    EXPECT_DOUBLE_EQ(only(page, "Thick").pen, 3 * only(page, "Thin").pen);
    // Measured on paper at 40 px per millimetre.
    const QImage image = paintToImage(page, 4.0);
    const auto thickness = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            n += qGray(image.pixel(4 * 600, y)) < 200;
        return n;
    };
    const int thin = thickness(4 * 100, 4 * 300);
    const int thick = thickness(4 * 300, 4 * 500);
    EXPECT_GT(thin, 3);
    EXPECT_NEAR(double(thick) / thin, 3.0, 0.5);
}

TEST(EngineShapes, TextFramesOnTheChosenSides)
{
    ReportElement e = label("Framed", 1, 0, 0, 400, 45, QString());
    e.frame.left = 1;
    e.frame.bottom = 1;
    const ReportPage page = layoutOne({e});
    const QImage image = paintToImage(page, 2.0);
    // Left and bottom edges inked, top and right edges not.
    EXPECT_TRUE(isDark(image.pixel(2 * 100, 2 * 120)));
    EXPECT_TRUE(isDark(image.pixel(2 * 300, 2 * 145)));
    EXPECT_FALSE(isDark(image.pixel(2 * 300, 2 * 100)));
    EXPECT_FALSE(isDark(image.pixel(2 * 500, 2 * 120)));
}

TEST(EnginePictures, CentredAtScreenScaleOrStretched)
{
    QImage red(96, 48, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ReportPage page;
    ReportItem centred;
    centred.kind = ReportItem::Image;
    centred.box = QRect(100, 100, 500, 300);
    centred.image = red;
    ReportItem stretched = centred;
    stretched.box = QRect(100, 1000, 500, 300);
    stretched.stretch = true;
    page.items = {centred, stretched};
    const QImage image = paintToImage(page, 1.0);
    const auto redRun = [&](int y, int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            n += image.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    };
    // 96 px = one inch = 254 units, centred in the 500-unit box.
    EXPECT_NEAR(redRun(250, 0, 800), 254, 2);
    EXPECT_EQ(image.pixel(350, 250), qRgb(255, 0, 0));
    EXPECT_NE(image.pixel(115, 250), qRgb(255, 0, 0));
    EXPECT_NEAR(redRun(1150, 0, 800), 500, 2);
}
