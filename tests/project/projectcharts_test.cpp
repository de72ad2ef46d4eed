// The project window's two charts: what they show and how they are saved.

#include "project/projectcharts.h"
#include "project/report/gaincolours.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStackedBarSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

ChamberSummary chamber(const QString &name, ChamberStatus status, double scale)
{
    ChamberSummary c;
    c.name = name;
    c.status = status;
    if (hasFigures(status))
        for (int i = 0; i < 9; ++i)
            c.gains[size_t(i)] = scale * (i + 1);
    return c;
}

// Copies a saved chart where a person can look at it, when asked to.
void keep(const QString &path)
{
    const QString dir = qEnvironmentVariable("KVOR_SHOT_DIR");
    if (!dir.isEmpty()) {
        QFile::remove(dir + '/' + QFileInfo(path).fileName());
        QFile::copy(path, dir + '/' + QFileInfo(path).fileName());
    }
}

bool hasColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

QString svgText(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QString text;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::Characters)
            text += xml.text();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return text;
}

} // namespace

TEST(ProjectChartsTest, GainsChartStacksTheNineGainsOfChambersWithFiguresAndSavesPngAndSvg)
{
    GainsChartView view;
    view.resize(500, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setChambers({chamber("Охолодження", ChamberStatus::Ok, 1.0), chamber("Зникла", ChamberStatus::Missing, 0),
                      chamber("Морозильна", ChamberStatus::NotCovered, 2.0)});
    ASSERT_EQ(view.chart()->series().size(), 1);
    auto *series = qobject_cast<QStackedBarSeries *>(view.chart()->series().first());
    ASSERT_NE(series, nullptr);
    ASSERT_EQ(series->count(), 9);
    EXPECT_DOUBLE_EQ(series->barSets()[3]->at(1), 8.0) << "the second chamber with figures, its fourth gain";
    auto *axis = qobject_cast<QBarCategoryAxis *>(view.chart()->axes(Qt::Horizontal).first());
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->categories(), QStringList({"Охолодження", "Морозильна"}));

    QTemporaryDir dir;
    const QRectF before = view.chart()->geometry();
    QString error;
    ASSERT_TRUE(saveChart(view.chart(), dir.filePath("gains.png"), &error)) << error.toStdString();
    ASSERT_TRUE(saveChart(view.chart(), dir.filePath("gains.SVG"), &error)) << error.toStdString();
    ASSERT_GT(before.width(), 100);
    EXPECT_EQ(view.chart()->geometry(), before) << "the window's chart keeps its size";
    keep(dir.filePath("gains.png"));

    const QImage png(dir.filePath("gains.png"));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(1600, 900));
    EXPECT_TRUE(hasColour(png, gainColours()[0]));
    EXPECT_TRUE(hasColour(png, gainColours()[8]));

    const QString text = svgText(dir.filePath("gains.SVG"));
    EXPECT_TRUE(text.contains("Охолодження"));
    EXPECT_TRUE(text.contains("Морозильна"));
    EXPECT_FALSE(text.contains("Зникла"));
}

TEST(ProjectChartsTest, CapacityChartSaysUpToWhichOutdoorTemperatureTheSystemsCope)
{
    CapacityCurve curve;
    for (int t = CapacityCurve::kFrom; t <= CapacityCurve::kTo; ++t)
        curve.required.push_back({t, 10 + 0.2 * (t - 20)});
    CapacityChartView view;
    view.setCurve("Камера 1", curve);
    EXPECT_TRUE(view.chart()->title().contains("Камера 1"));
    EXPECT_TRUE(view.chart()->title().contains("система не вибрана"));

    // Two systems: 12, 11.6, 11.2, 10.4 kW at 25 … 40 °C. At 28 °C 11.6 kW are
    // needed and 11.76 kW delivered; at 29 °C 11.8 against 11.68.
    ChamberSystem system;
    system.code = "SYS-2";
    system.count = 2;
    system.ambientCapacity = {6000.0, 5800.0, 5600.0, 5200.0};
    curve.system = system;
    view.setCurve("Камера 1", curve);
    EXPECT_TRUE(view.chart()->title().contains("до 28 °C")) << view.chart()->title().toStdString();

    curve.system->ambientCapacity = {4000.0, 4000.0, 4000.0, 4000.0};
    view.setCurve("Камера 1", curve);
    EXPECT_TRUE(view.chart()->title().contains("не забезпечує")) << view.chart()->title().toStdString();

    QTemporaryDir dir;
    curve.system->ambientCapacity = {6000.0, 5800.0, 5600.0, 5200.0};
    view.setCurve("Камера 1", curve);
    QString error;
    ASSERT_TRUE(saveChart(view.chart(), dir.filePath("capacity.png"), &error)) << error.toStdString();
    keep(dir.filePath("capacity.png"));
    EXPECT_EQ(QImage(dir.filePath("capacity.png")).size(), QSize(1600, 900));

    EXPECT_FALSE(saveChart(view.chart(), dir.filePath("no/such/folder/capacity.png"), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(saveChart(view.chart(), dir.filePath("capacity.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("capacity.jpg")));
}
