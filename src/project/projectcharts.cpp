#include "projectcharts.h"

#include "project/core/projectcsv.h"
#include "project/report/gaincolours.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace kvor {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ProjectCharts", text);
}

QChartView *makeView(QWidget *parent)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    QFont title = chart->titleFont();
    title.setPointSizeF(title.pointSizeF() * 1.3);
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return view;
}

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QValueAxis *valueAxis(const QString &title, double min, double max)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(min, max > min ? max : min + 1);
    axis->applyNiceNumbers();
    return axis;
}

} // namespace

GainsChartView::GainsChartView(QWidget *parent)
    : QWidget(parent)
    , m_view(makeView(this))
{
    chart()->setTitle(tr("Теплонадходження по камерах, кВт"));
}

QChart *GainsChartView::chart() const
{
    return m_view->chart();
}

void GainsChartView::setChambers(const std::vector<ChamberSummary> &chambers)
{
    QChart *c = chart();
    clearChart(c);
    QStringList names;
    std::vector<QBarSet *> sets;
    for (int i = 0; i < 9; ++i) {
        auto *set = new QBarSet(gainCaptions().value(i));
        set->setColor(gainColours()[size_t(i)]);
        set->setBorderColor(gainColours()[size_t(i)].darker(130));
        sets.push_back(set);
    }
    // Negative gains stack below zero, so the axis spans both sums.
    double low = 0, high = 0;
    for (const ChamberSummary &chamber : chambers) {
        if (!hasFigures(chamber.status))
            continue;
        names << chamber.name;
        double below = 0, above = 0;
        for (int i = 0; i < 9; ++i) {
            const double v = chamber.gains[size_t(i)].value_or(0.0);
            sets[size_t(i)]->append(v);
            (v < 0 ? below : above) += v;
        }
        low = std::min(low, below);
        high = std::max(high, above);
    }
    auto *series = new QStackedBarSeries;
    for (QBarSet *set : sets)
        series->append(set);
    c->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    categories->append(names);
    c->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis *values = valueAxis(tr("кВт"), low, high);
    c->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
}

CapacityChartView::CapacityChartView(QWidget *parent)
    : QWidget(parent)
    , m_view(makeView(this))
{
    clear();
}

QChart *CapacityChartView::chart() const
{
    return m_view->chart();
}

void CapacityChartView::clear()
{
    clearChart(chart());
    chart()->setTitle(tr("Потрібна холодопродуктивність за зовнішньою температурою"));
}

void CapacityChartView::setCurve(const QString &chamberName, const CapacityCurve &curve)
{
    QChart *c = chart();
    clearChart(c);
    double high = 0;
    auto *required = new QLineSeries;
    required->setName(tr("Потрібна холодопродуктивність, кВт"));
    for (const CapacityPoint &p : curve.required)
        if (p.required) {
            required->append(p.outdoor, *p.required);
            high = std::max(high, *p.required);
        }
    c->addSeries(required);

    std::vector<QAbstractSeries *> supplySeries;
    bool supplyKnown = false;
    if (curve.system) {
        auto *line = new QLineSeries;
        auto *points = new QScatterSeries;
        line->setName(tr("Холодопродуктивність систем %1 × %2, кВт").arg(curve.system->code).arg(curve.system->count));
        points->setName(line->name());
        points->setMarkerSize(10);
        for (int i = 0; i < 4; ++i)
            if (const auto &q = curve.system->ambientCapacity[size_t(i)]) {
                const double kw = *q * curve.system->count / 1000.0;
                line->append(CapacityCurve::kAmbient[i], kw);
                points->append(CapacityCurve::kAmbient[i], kw);
                high = std::max(high, kw);
                supplyKnown = true;
            }
        const QColor colour(0x2c, 0xa0, 0x2c);
        line->setPen(QPen(colour, 2));
        points->setColor(colour);
        points->setBorderColor(colour.darker(130));
        c->addSeries(line);
        c->addSeries(points);
        supplySeries = {line, points};
    }
    required->setPen(QPen(QColor(0xd6, 0x27, 0x28), 3));

    auto *x = new QValueAxis;
    x->setTitleText(tr("Зовнішня температура, °C"));
    x->setRange(CapacityCurve::kFrom, CapacityCurve::kTo);
    x->setTickCount(6);
    x->setLabelFormat(QStringLiteral("%d"));
    c->addAxis(x, Qt::AlignBottom);
    QValueAxis *y = valueAxis(tr("Холодопродуктивність, кВт"), 0, high * 1.1);
    c->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *s : c->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    // One legend entry for the supply's line and its points.
    if (supplySeries.size() == 2) {
        const auto markers = c->legend()->markers(supplySeries[1]);
        for (QLegendMarker *m : markers)
            m->setVisible(false);
    }

    QString verdict;
    if (!curve.system)
        verdict = tr("система не вибрана");
    else if (!supplyKnown)
        verdict = tr("у каталозі немає продуктивності системи %1").arg(curve.system->code);
    else if (const auto upTo = curve.copesUpTo())
        verdict = tr("система забезпечує потребу до %1 °C").arg(*upTo);
    else
        verdict = tr("система не забезпечує потребу");
    c->setTitle(chamberName.isEmpty() ? verdict : chamberName + QStringLiteral(": ") + verdict);
}

bool saveChart(QChart *chart, const QString &path, QString *error)
{
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool svg = suffix == QLatin1String("svg");
    if (!svg && suffix != QLatin1String("png"))
        return fail(tr("Графік зберігається лише як PNG або SVG: %1").arg(path));
    if (!chart)
        return fail(tr("Немає графіка для збереження"));

    // Drawn at a fixed size, whatever the window shows, and laid out smaller
    // than the image so the lettering stays readable; the view gets its
    // geometry back afterwards.
    const QSizeF size(1600, 900);
    const QSizeF layoutSize = size / 1.6;
    QGraphicsScene ownScene;
    QGraphicsScene *scene = chart->scene();
    if (!scene) {
        scene = &ownScene;
        scene->addItem(chart);
    }
    const QRectF oldGeometry = chart->geometry();
    chart->resize(layoutSize);
    if (chart->layout())
        chart->layout()->activate();
    const QRectF source = chart->sceneBoundingRect();
    auto paint = [&](QPaintDevice *device) {
        QPainter painter(device);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        scene->render(&painter, QRectF(QPointF(0, 0), size), source);
    };

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = true;
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size.toSize());
        generator.setViewBox(QRectF(QPointF(0, 0), size));
        generator.setTitle(chart->title());
        paint(&generator);
    } else {
        QImage image(size.toSize(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        paint(&image);
        drawn = image.save(&buffer, "PNG");
    }
    chart->setGeometry(oldGeometry);
    if (scene == &ownScene)
        scene->removeItem(chart);
    if (!drawn)
        return fail(tr("Не вдалося намалювати графік"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(tr("Не вдалося записати файл %1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace kvor
