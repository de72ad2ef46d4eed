#include "enginefixture.h"

#include "reports/core/reporterror.h"

#include <gtest/gtest.h>

using namespace kvor;
using namespace kvor::enginetest;

namespace {

std::vector<ReportPage> layoutList(int rowCount, std::function<void(int)> progress = {})
{
    const ReportDefinition def = listDefinition();
    auto master = masterRecord();
    auto list = rows(rowCount);
    return layoutReport(def, {{"master", master.get()}, {"rows", list.get()}}, progress);
}

int rowsOn(const ReportPage &page)
{
    return int(bandNames(page).count(QStringLiteral("Row")));
}

} // namespace

TEST(EnginePagination, ListRowsFortyFiveThenFiftyOnePerPage)
{
    const std::vector<ReportPage> pages = layoutList(45 + 51 + 3);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(rowsOn(pages[0]), 45);
    EXPECT_EQ(rowsOn(pages[1]), 51);
    EXPECT_EQ(rowsOn(pages[2]), 3);

    // Page 1: page header, title, column header, rows, footer.
    const QStringList first = bandNames(pages[0]);
    EXPECT_EQ(first.mid(0, 4), (QStringList{"Header", "Title", "Columns", "Row"}));
    EXPECT_EQ(first.back(), QStringLiteral("Footer"));
    EXPECT_EQ(pages[0].bands[0].top, 100);
    EXPECT_EQ(pages[0].bands[1].top, 285);
    EXPECT_EQ(pages[0].bands[2].top, 552);
    EXPECT_EQ(pages[0].bands[3].top, 721);
    for (size_t i = 1; i < pages.size(); ++i) {
        const QStringList names = bandNames(pages[i]);
        EXPECT_EQ(names.mid(0, 3), (QStringList{"Header", "Columns", "Row"})) << "page " << i + 1;
        EXPECT_FALSE(names.contains(QStringLiteral("Title"))) << "page " << i + 1;
        EXPECT_EQ(pages[i].bands[2].top, 100 + 185 + 169);
    }
    // The footer sits on the bottom of the printable area on every page, the last included.
    for (const ReportPage &page : pages) {
        ASSERT_EQ(page.bands.back().name, QStringLiteral("Footer"));
        EXPECT_EQ(page.bands.back().top, 2970 - 100 - 233);
        EXPECT_EQ(page.bands.back().top + page.bands.back().height, 2870);
        // No row reaches into the footer.
        for (const PlacedBand &b : page.bands) {
            if (b.name == QLatin1String("Row")) {
                EXPECT_LE(b.top + b.height, page.bands.back().top);
            }
        }
    }
}

TEST(EnginePagination, FortySixthRowGoesToPageTwoWithItsValues)
{
    const std::vector<ReportPage> pages = layoutList(46);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(rowsOn(pages[0]), 45);
    EXPECT_EQ(rowsOn(pages[1]), 1);
    const auto names = pages[1].itemsOf(QStringLiteral("RowName"));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0]->text, QStringLiteral("S46"));
    EXPECT_EQ(names[0]->box.top(), 100 + 185 + 169);
    // The footer field reads the master record on every page.
    for (const ReportPage &page : pages) {
        const auto client = page.itemsOf(QStringLiteral("Client"));
        ASSERT_EQ(client.size(), 1u);
        EXPECT_EQ(client[0]->text, QStringLiteral("ТОВ Клієнт"));
    }
}

TEST(EnginePagination, EmptySubDetailPrintsOnceWithEmptyFields)
{
    const std::vector<ReportPage> pages = layoutList(0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(rowsOn(pages[0]), 1);
    const auto names = pages[0].itemsOf(QStringLiteral("RowName"));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0]->text.isEmpty());
    EXPECT_TRUE(names[0]->opaque);
}

TEST(EnginePagination, DetailOncePerMasterRecordAndSubDetailForEach)
{
    ReportDefinition def = listDefinition();
    def.bands.insert(def.bands.begin() + 3,
                     band("Detail", BandKind::Detail, 50, {field("Who", 1, 0, 600, "master", "KL_NAIM")}));
    ListDataSet master({{{"KL_NAIM", "A"}}, {{"KL_NAIM", "B"}}, {{"KL_NAIM", "C"}}});
    auto list = rows(2);
    const auto pages = layoutReport(def, {{"master", &master}, {"rows", list.get()}});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(bandNames(pages[0]),
              (QStringList{"Header", "Title", "Columns", "Detail", "Row", "Row", "Detail", "Row", "Row", "Detail",
                           "Row", "Row", "Footer"}));
    QStringList who;
    for (const ReportItem *item : pages[0].itemsOf(QStringLiteral("Who")))
        who << item->text;
    EXPECT_EQ(who, (QStringList{"A", "B", "C"}));
}

TEST(EnginePagination, EmptyMasterStillGivesOnePageWithoutDetails)
{
    ReportDefinition def = listDefinition();
    ListDataSet master;
    auto list = rows(5);
    const auto pages = layoutReport(def, {{"master", &master}, {"rows", list.get()}});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(bandNames(pages[0]), (QStringList{"Header", "Title", "Columns", "Footer"}));
}

TEST(EnginePagination, WithoutMasterDataSetTheDetailPrintsOnce)
{
    ReportDefinition def;
    def.bands.push_back(band("Title", BandKind::Title, 185));
    def.bands.push_back(band("Detail", BandKind::Detail, 2371, {label("L", 1, 0, 0, 100, 45, "x")}));
    def.bands.push_back(band("Footer", BandKind::PageFooter, 212));
    const auto pages = layoutReport(def, {});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(bandNames(pages[0]), (QStringList{"Title", "Detail", "Footer"}));
    // 18.5 + 237.1 + 21.2 mm fill 276.8 of the 277 mm: one page.
    EXPECT_EQ(pages[0].bands[2].top, 2870 - 212);
}

TEST(EnginePagination, BandTallerThanAPageDoesNotLoopForever)
{
    ReportDefinition def;
    def.dataset = "m";
    def.bands.push_back(band("Huge", BandKind::Detail, 4000));
    def.bands.push_back(band("Footer", BandKind::PageFooter, 100));
    ListDataSet master({{}, {}});
    const auto pages = layoutReport(def, {{"m", &master}});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(bandNames(pages[0]), (QStringList{"Huge", "Footer"}));
    EXPECT_EQ(bandNames(pages[1]), (QStringList{"Huge", "Footer"}));
}

TEST(EnginePagination, MissingDataSetIsAnError)
{
    const ReportDefinition def = listDefinition();
    auto master = masterRecord();
    try {
        layoutReport(def, {{"master", master.get()}});
        FAIL() << "no error";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("rows"))) << e.message().toStdString();
    }
}

TEST(EnginePage, PageElementsAndPrintableFrameOnEveryPageAfterTheBands)
{
    const std::vector<ReportPage> pages = layoutList(100);
    ASSERT_EQ(pages.size(), 3u);
    for (const ReportPage &page : pages) {
        const auto memo = page.itemsOf(QStringLiteral("Memo"));
        ASSERT_EQ(memo.size(), 1u);
        // Positioned from the paper's corner, not the printable area.
        EXPECT_EQ(memo[0]->box, QRect(534, 111, 1453, 119));
        EXPECT_EQ(memo[0]->text, QStringLiteral("Перший рядок\nДругий рядок\nТретій рядок"));
        // After everything of the bands.
        const ReportItem *lastBandItem = page.itemsOf(QStringLiteral("Client")).back();
        EXPECT_GT(memo[0], lastBandItem);

        const ReportItem *frame = nullptr;
        for (const ReportItem &item : page.items)
            if (item.kind == ReportItem::Rect && item.element.isEmpty())
                frame = &item;
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->box, QRect(100, 100, 1900, 2770));
        EXPECT_DOUBLE_EQ(frame->pen, 2.0);
    }
}

TEST(EnginePage, BandFrameLinesSpanThePrintableWidth)
{
    const std::vector<ReportPage> pages = layoutList(1);
    std::vector<const ReportItem *> lines;
    for (const ReportItem &item : pages[0].items)
        if (item.kind == ReportItem::Line)
            lines.push_back(&item);
    // Header bottom 2 pt; column header top and bottom 1 pt; footer top 1 pt;
    // each inside its band by half its width (2 pt = 7.06 units, 1 pt = 3.53).
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]->element, QStringLiteral("Header"));
    EXPECT_EQ(lines[0]->box, QRect(100, 285 - 4, 1900, 0));
    EXPECT_DOUBLE_EQ(lines[0]->pen, 2.0);
    EXPECT_EQ(lines[1]->box, QRect(100, 552 + 2, 1900, 0));
    EXPECT_EQ(lines[2]->box, QRect(100, 721 - 2, 1900, 0));
    EXPECT_DOUBLE_EQ(lines[2]->pen, 1.0);
    EXPECT_EQ(lines[3]->element, QStringLiteral("Footer"));
    EXPECT_EQ(lines[3]->box, QRect(100, 2637 + 2, 1900, 0));

    // Painted, the row band's white boxes leave the column header's bottom line whole.
    const QImage image = paintToImage(pages[0], 1.0);
    for (int x : {110, 200, 400, 1000})
        EXPECT_TRUE(isDark(image.pixel(x, 721 - 2))) << x;
}

TEST(EnginePage, LayoutIsDeterministicAndReportsRisingProgress)
{
    std::vector<int> seen;
    const auto a = layoutList(120, [&](int p) { seen.push_back(p); });
    const auto b = layoutList(120);
    EXPECT_TRUE(a == b);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}
