// The heat balance in the main window: what a run shows in the results panel,
// what it leaves for the reports, and that the batch tool sees the same.

#include "appfixture.h"
#include "input/inputpanel.h"

#include "calc/rounding.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QLabel>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>

#include <cmath>

namespace kvor::test {

namespace {

QString two(double v)
{
    return Rounding::fixed(v, 2);
}

class RecalculateTest : public AppTest {
protected:
    void openNew(const QString &name = QStringLiteral("calc.kvor"))
    {
        start();
        newCalculation(name);
        ASSERT_TRUE(dm->taWork.active());
    }

    void set(const char *field, const QVariant &value)
    {
        dm->taWork.edit();
        dm->taWork.setValue(QLatin1String(field), value);
    }

    double held(int field) const { return main->resultValue(field); }
    QString shown(int field) const { return main->resultEdit(field)->text(); }
    QString label(const QString &name) const { return main->reportLabels().text(name); }

    // Everything a run can show, for before/after comparisons.
    QMap<QString, QString> snapshot() const
    {
        QMap<QString, QString> s;
        for (int f = 1; f <= 11; ++f)
            s.insert(QStringLiteral("CurrencyEdit%1").arg(f), shown(f));
        for (auto it = main->reportLabels().texts().cbegin(); it != main->reportLabels().texts().cend(); ++it)
            s.insert(it.key(), it.value());
        s.insert(QStringLiteral("list:QRLabel98"), main->equipmentReportLabels().text(QStringLiteral("QRLabel98")));
        s.insert(QStringLiteral("Label3"), main->windowLabels().text(QStringLiteral("Label3")));
        return s;
    }
};

TEST_F(RecalculateTest, ANewCalculationShowsItsBalance)
{
    // The additional-data dialog, owned by the window, has a Label3 of its own.
    const QLabel *dialogLabel = add->findChild<QLabel *>("Label3");
    ASSERT_NE(dialogLabel, nullptr);
    const QString dialogText = dialogLabel->text();
    openNew();
    EXPECT_EQ(dialogLabel->text(), dialogText);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();

    // The template: a 6 × 4 × 3 m storage chamber at −18 °C, running 18 h,
    // safety 1.1, fans 15 %. By hand from the rows shown: S8 = 2.46 kW,
    // Qx = 2.46 × 24 / 18 = 3.28, fans 0.49, required 0.49 + 3.28 × 1.1 = 4.10.
    double s8 = 0;
    for (int row = 1; row <= 8; ++row)
        s8 += held(row);
    EXPECT_EQ(two(s8), "2.46");
    EXPECT_EQ(two(held(9)), "0.49");
    EXPECT_EQ(two(held(10)), "2.95");
    EXPECT_EQ(two(held(11)), "4.10");
    EXPECT_EQ(two(held(10)), two(s8 + held(9))) << "the sum of the values as shown";
    for (int f = 1; f <= 11; ++f) {
        EXPECT_DOUBLE_EQ(held(f), std::round(held(f) * 100) / 100) << "held to 0.01 kW: field " << f;
        EXPECT_EQ(shown(f), Rounding::grouped(held(f), 2, main->locale())) << "field " << f;
    }

    // The labels fed from the panel carry the held values.
    EXPECT_EQ(label("QRLabel76"), two(held(1)));
    EXPECT_EQ(label("QRLabel78"), two(held(2)));
    EXPECT_EQ(label("QRLabel80"), two(held(3)));
    for (int row = 4; row <= 9; ++row)
        EXPECT_EQ(label(QStringLiteral("QRLabel%1").arg(79 + row)), two(held(row))) << "row " << row;
    EXPECT_EQ(label("QRLabel93"), "2.95");
    EXPECT_EQ(label("QRLabel98"), "4.10");
    EXPECT_EQ(main->equipmentReportLabels().text("QRLabel98"), "4.10");
    EXPECT_EQ(main->equipmentReportLabels().texts().size(), 1);
    // (1470 + 70) kg over a 1000 kg vehicle: two entries; a manual door.
    EXPECT_EQ(main->windowLabels().text("Label3"), "2");
    EXPECT_EQ(label("QRLabel97"), "2");
    EXPECT_EQ(label("QRLabel79"), "Ручная");

    // The rate is computed (70 / √72) and left in the record, in edit state.
    EXPECT_EQ(label("QRLabel77"), "8.25");
    EXPECT_NEAR(dm->taWork.value("VN_KR").toDouble(), 70 / std::sqrt(72.0), 1e-8);
    EXPECT_EQ(dm->taWork.state(), DbfTable::State::Edit);
}

TEST_F(RecalculateTest, ThePanelFollowsTheUsersLocaleAndGroupsThousands)
{
    main->setLocale(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
    openNew();
    const QLocale uk(QLocale::Ukrainian, QLocale::Ukraine);
    EXPECT_EQ(shown(11), QStringLiteral("4") + uk.decimalPoint() + QStringLiteral("10"));
    // Fans from their rated power: 2 × 617.3 kW.
    set("VO_UTOCH", true);
    set("VO_POW", 617.3);
    set("VO_KOLVO", 2);
    emit main->inputPanel()->inputChanged();
    EXPECT_EQ(shown(9), QStringLiteral("1") + uk.groupSeparator() + QStringLiteral("234") + uk.decimalPoint()
                            + QStringLiteral("60"));
    EXPECT_EQ(label("QRLabel88"), "1234.60") << "the report's format has no grouping";
}

TEST_F(RecalculateTest, ClearedBoxesZeroTheirRowsButNotTheirDetails)
{
    openNew();
    const QMap<QString, QString> before = snapshot();

    // Without row 1 the fan estimate drops too: it works from the held rows.
    main->includeBox(1)->click();
    EXPECT_EQ(shown(1), Rounding::grouped(0, 2, main->locale()));
    double s8 = 0;
    for (int row = 2; row <= 8; ++row)
        s8 += held(row);
    EXPECT_NEAR(held(9), s8 * 24 / 18 * 15 / 100, 0.005 + 1e-9);
    EXPECT_LT(held(9), 0.49);

    for (int row = 2; row <= 9; ++row)
        main->includeBox(row)->click();
    for (int f = 1; f <= 11; ++f)
        EXPECT_EQ(held(f), 0.0) << "field " << f;
    for (const char *l : {"QRLabel76", "QRLabel78", "QRLabel80", "QRLabel83", "QRLabel84", "QRLabel85", "QRLabel86",
                          "QRLabel87", "QRLabel88", "QRLabel93", "QRLabel98"})
        EXPECT_EQ(label(l), "0.00") << l;
    // The enclosures, the product and packaging parts, the rate, the entries
    // and the door keep their computed values.
    for (const char *l : {"QRLabel70", "QRLabel71", "QRLabel72", "QRLabel73", "QRLabel74", "QRLabel75", "QRLabel77",
                          "QRLabel79", "QRLabel81", "QRLabel82", "QRLabel97"})
        EXPECT_EQ(label(l), before.value(l)) << l;
    EXPECT_NE(label("QRLabel70"), "0.00");
    EXPECT_NE(label("QRLabel81"), "0.00");
    EXPECT_EQ(main->windowLabels().text("Label3"), "2");
    EXPECT_TRUE(errors.isEmpty());

    main->includeBox(4)->click();
    EXPECT_EQ(label("QRLabel83"), two(held(4)));
    EXPECT_GT(held(4), 0.0);
}

TEST_F(RecalculateTest, AStoppedRunKeepsTheLaterRowsOfThePreviousRun)
{
    openNew();
    const QMap<QString, QString> before = snapshot();

    // Vehicles 24 kW for 4 h: row 8 becomes 2.00; no running time stops the run at the fans.
    set("TRS_POW", 24);
    set("OB_TIMEWRK", 0);
    emit main->inputPanel()->inputChanged();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("0 год")) << errors[0].toStdString();
    EXPECT_EQ(two(held(8)), "2.00");
    EXPECT_EQ(label("QRLabel87"), "2.00");
    const QMap<QString, QString> after = snapshot();
    for (const char *kept : {"CurrencyEdit9", "CurrencyEdit10", "CurrencyEdit11", "QRLabel88", "QRLabel93", "QRLabel98",
                             "list:QRLabel98"})
        EXPECT_EQ(after.value(kept), before.value(kept)) << kept;
    EXPECT_EQ(two(held(11)), "4.10") << "later readers see the previous run's capacity";

    // A negative door height: the run stops inside the infiltration, after the
    // walls and the ventilation.
    set("OB_TIMEWRK", 18);
    set("ST_TEM1", 45);
    set("IN_DV", -2);
    set("IN_GPTS", 100); // would make 16 entries
    errors.clear();
    const QMap<QString, QString> previous = snapshot();
    emit main->inputPanel()->inputChanged();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("-2 м")) << errors[0].toStdString();
    EXPECT_NE(label("QRLabel70"), previous.value("QRLabel70")) << "wall А now gains more heat";
    const QMap<QString, QString> stopped = snapshot();
    for (const char *kept : {"Label3", "QRLabel97", "QRLabel79", "QRLabel80", "CurrencyEdit3", "CurrencyEdit8",
                             "QRLabel87", "CurrencyEdit11"})
        EXPECT_EQ(stopped.value(kept), previous.value(kept)) << kept;
}

TEST_F(RecalculateTest, NothingHappensWithoutAnOpenCalculation)
{
    start();
    const QMap<QString, QString> idle = snapshot();
    main->includeBox(2)->click();
    EXPECT_FALSE(main->includeBox(2)->isChecked()) << "only the box changes";
    main->recalculate();
    emit main->inputPanel()->optionChecked();
    EXPECT_EQ(snapshot(), idle);
    EXPECT_TRUE(main->reportLabels().texts().isEmpty());
    EXPECT_TRUE(errors.isEmpty());

    main->includeBox(2)->click();
    newCalculation("closed.kvor");
    const QMap<QString, QString> open = snapshot();
    main->closeFile();
    ASSERT_FALSE(dm->taWork.active());
    main->includeBox(5)->click();
    main->includeBox(1)->click();
    EXPECT_EQ(snapshot(), open);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(RecalculateTest, TheRequiredCapacityNotifiesOnlyWhenItsShownValueChanges)
{
    int notified = 0;
    QObject::connect(main.get(), &MainWindow::requiredCapacityShownChanged, [&] { ++notified; });
    openNew();
    EXPECT_GE(notified, 1) << "0.00 became 4.10";
    notified = 0;

    emit main->inputPanel()->inputChanged();
    main->includeBox(5)->click(); // respiration is 0 anyway
    set("KL_NAIM", "Клієнт");
    emit main->inputPanel()->inputChanged();
    EXPECT_EQ(notified, 0);

    set("TRS_POW", 24);
    emit main->inputPanel()->inputChanged();
    EXPECT_EQ(notified, 1);
    EXPECT_NE(shown(11), "4.10");

    set("OB_TIMEWRK", 0); // stops before the capacity
    emit main->inputPanel()->inputChanged();
    EXPECT_EQ(notified, 1);
}

TEST_F(RecalculateTest, TheBatchToolShowsWhatTheWindowShowsAfterOpen)
{
    openNew("agree.kvor");
    // Cooling a vegetable of another category than the template's, with a
    // recommended lighting power still to be applied and row 3 excluded.
    set("OB_TERMR", "Охлаждение");
    set("OB_TIMEWRK", 6);
    set("OB_TEMKAM", 2);
    set("TE_PTIP", "Капуста");
    set("TE_PT0", 20);
    set("TE_PT1", 2);
    set("TE_VLAJ", 95);
    set("OS_REC", true);
    set("OS_POW", 12);
    set("IN_ZAV", "Пов. завіса");
    set("VN_FLAG", true);
    set("VN_KR", 5.5);
    main->includeBox(3)->click();
    main->closeFile();
    ASSERT_FALSE(dm->taWork.active());

    const QString file = userFile("agree.kvor");
    const QByteArray fileBefore = bytes(file);
    QProcess cli;
    cli.start(QStringLiteral(KVOR_BIN_DIR "/kvor-cli"),
              {"balance", file, "--data", QDir(m_appDir).filePath("DATA"), "--json"});
    ASSERT_TRUE(cli.waitForFinished(60000)) << "kvor-cli did not run: build it with the tests";
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(bytes(file), fileBefore);
    const QJsonObject batch = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    ASSERT_FALSE(batch.isEmpty());

    prompts.files.push_back(file);
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(dm->taWork.value("OS_POW").toInt(), 5);
    EXPECT_EQ(batch.value("mode").toString(), dm->taWork.value("OB_TERMR").toString());

    const char *const gains[] = {"walls", "ventilation", "infiltration", "product", "respiration",
                                 "lighting", "personnel", "vehicles", "fans"};
    const QJsonObject g = batch.value("gains").toObject();
    for (int row = 1; row <= 9; ++row)
        EXPECT_EQ(two(g.value(QLatin1String(gains[row - 1])).toDouble()), two(held(row))) << gains[row - 1];
    EXPECT_EQ(two(held(3)), "0.00");
    EXPECT_GT(held(4), 0.0) << "the cabbage is cooled";
    EXPECT_GT(held(5), 0.0) << "and breathes";
    EXPECT_EQ(two(batch.value("sum").toDouble()), two(held(10)));
    EXPECT_EQ(two(batch.value("required").toDouble()), two(held(11)));
    EXPECT_EQ(batch.value("error").type(), QJsonValue::Null);

    const QJsonObject labels = batch.value("labels").toObject();
    QStringList windowNames = main->reportLabels().texts().keys();
    windowNames << main->windowLabels().texts().keys();
    QStringList batchNames = labels.keys();
    windowNames.sort();
    batchNames.sort();
    EXPECT_EQ(batchNames, windowNames);
    for (const QString &name : labels.keys()) {
        const QString windowText = name == "Label3" ? main->windowLabels().text(name) : label(name);
        EXPECT_EQ(labels.value(name).toString(), windowText) << name.toStdString();
    }
}

} // namespace

} // namespace kvor::test
