// The input rules on the document, over small tables made here; no widgets.

#include "calc/sourcefixture.h"
#include "document/calculationdocument.h"

using namespace kvor;

namespace {

class RulesTest : public SourceTest {
protected:
    CalculationDocument doc{dm};
};

TEST_F(RulesTest, CategoryRuleFiltersAndKeepsTheProduct)
{
    doc.setProductCategory("Мясне");
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Куры");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Куры");
    EXPECT_EQ(dm.taProd.filter(), "TIP='Мясне'");
    EXPECT_TRUE(dm.taProd.filtered());
    EXPECT_EQ(doc.productCategory(), "Мясне");

    // The product is looked up among the category's products: one of another
    // category gives way to the category's first.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Капуста"); });
    doc.setProductCategory("Мясне");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина");
    EXPECT_EQ(gather().product->NAIM, "Говядина");

    // An unknown product gives way to the category's first one.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    doc.setProductCategory("Овочi");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Капуста");
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Капуста");

    // A category with no products leaves the record without a product and the
    // products table without a current row.
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    doc.setProductCategory("Рыба");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "");
    EXPECT_FALSE(gather().product.has_value());
    doc.setProductCategory("Мясне");
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина") << "the category's first product";
}

TEST_F(RulesTest, ProductCheckLeavesTheRecordInEditStateAndNeedsAnOpenCalculation)
{
    dm.taProd.last();
    ASSERT_TRUE(doc.checkProduct());
    EXPECT_EQ(dm.taProd.value("NAIM").toString(), "Куры");
    EXPECT_EQ(dm.taWork.state(), DbfTable::State::Edit);
    setWork([](DbfTable &w) { w.setValue("TE_PTIP", "Невідомий"); });
    ASSERT_TRUE(doc.checkProduct());
    EXPECT_EQ(dm.taWork.value("TE_PTIP").toString(), "Говядина");
    dm.taWork.close();
    int notOpen = 0;
    QObject::connect(&doc, &CalculationDocument::notOpen, [&] { ++notOpen; });
    EXPECT_FALSE(doc.checkProduct());
    EXPECT_EQ(notOpen, 1);
}

TEST_F(RulesTest, RecommendedLightingAndModeReachTheRecord)
{
    setWork([](DbfTable &w) {
        w.setValue("OS_REC", false);
        w.setValue("OS_POW", 12);
    });
    doc.applyOptionBoxes();
    EXPECT_EQ(dm.taWork.value("OS_POW").toInt(), 12);
    setWork([](DbfTable &w) { w.setValue("OS_REC", true); });
    doc.applyOptionBoxes();
    EXPECT_EQ(dm.taWork.value("OS_POW").toInt(), 5);
    EXPECT_EQ(gather().record.lightingPower, 5);

    std::vector<int> modes;
    QObject::connect(&doc, &CalculationDocument::modeChanged, [&](int item) { modes.push_back(item); });
    doc.setProcessingMode(1);
    EXPECT_EQ(dm.taWork.value("OB_TERMR").toString(), "Охлаждение");
    doc.setProcessingMode(0);
    EXPECT_EQ(dm.taWork.value("OB_TERMR").toString(), "Хранение");
    EXPECT_EQ(modes, (std::vector<int>{1, 0}));
}

} // namespace
