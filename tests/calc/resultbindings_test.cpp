#include "calc/resultbindings.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

using namespace kvor;

// The table is the only place that names where results go: each panel row
// with its own number, each label once per report, in the order a run writes.
TEST(ResultBindings, CoverEachPanelRowAndLabelOnceInRunOrder)
{
    static const char *const targets[] = {"panel", "report", "list", "window", "record"};
    QStringList keys;
    for (const ResultBinding &b : ResultBindings::table()) {
        QString key = QLatin1String(targets[int(b.target)]) + QLatin1Char(':') + b.name;
        if (b.target == OutputTarget::Panel || b.panelRow != 0)
            key += QLatin1Char('#') + QString::number(b.panelRow);
        keys << key;
    }
    const QStringList expected = {
        "panel:CurrencyEdit1#1", "report:QRLabel70", "report:QRLabel71", "report:QRLabel72", "report:QRLabel73",
        "report:QRLabel74", "report:QRLabel75", "report:QRLabel76",
        "record:VN_KR", "panel:CurrencyEdit2#2", "report:QRLabel77", "report:QRLabel78",
        "window:Label3", "report:QRLabel97", "report:QRLabel79", "panel:CurrencyEdit3#3", "report:QRLabel80",
        "panel:CurrencyEdit4#4", "report:QRLabel81", "report:QRLabel82", "report:QRLabel83",
        "panel:CurrencyEdit5#5", "report:QRLabel84",
        "panel:CurrencyEdit6#6", "report:QRLabel85", "panel:CurrencyEdit7#7", "report:QRLabel86",
        "panel:CurrencyEdit8#8", "report:QRLabel87",
        "panel:CurrencyEdit9#9", "report:QRLabel88",
        "panel:CurrencyEdit11#11", "panel:CurrencyEdit10#10",
        "report:QRLabel98", "list:QRLabel98", "report:QRLabel93",
    };
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size()) << "each place once";

    // Every gain and every label text has a place.
    QSet<int> gains;
    QSet<int> labels;
    for (const ResultBinding &b : ResultBindings::table()) {
        if (b.kind == ResultKind::Gain)
            gains.insert(b.index);
        if (b.kind == ResultKind::Label)
            labels.insert(b.index);
    }
    EXPECT_EQ(gains.size(), kGainCount);
    EXPECT_EQ(labels.size(), kLabelTextCount);
}
