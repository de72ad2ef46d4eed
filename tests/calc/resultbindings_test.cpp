#include "calc/resultbindings.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

using namespace kvor;

// The table is the only place that names where results go: each panel row
// with its own number, each place once, every result somewhere. The order is
// that of a run's writes (Driver.WritesInTheOrderOfTheSteps).
TEST(ResultBindings, CoverEachPanelRowAndLabelOnce)
{
    static const char *const targets[] = {"panel", "report", "list", "window", "record"};
    QStringList keys;
    QSet<int> gains;
    QSet<int> labels;
    for (const ResultBinding &b : ResultBindings::table()) {
        keys << QLatin1String(targets[int(b.target)]) + QLatin1Char(':') + b.name;
        if (b.target == OutputTarget::Panel)
            EXPECT_EQ(b.name, QStringLiteral("CurrencyEdit%1").arg(b.panelRow));
        else
            EXPECT_EQ(b.panelRow, 0) << qPrintable(b.name);
        if (b.kind == ResultKind::Gain)
            gains.insert(b.index);
        if (b.kind == ResultKind::Label)
            labels.insert(b.index);
    }
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size()) << "each place once";
    EXPECT_EQ(keys.count(QLatin1String("record:VN_KR")), 1);
    for (int row = 1; row <= 11; ++row)
        EXPECT_TRUE(keys.contains(QStringLiteral("panel:CurrencyEdit%1").arg(row))) << row;
    EXPECT_EQ(gains.size(), kGainCount);
    EXPECT_EQ(labels.size(), kLabelTextCount);
}
