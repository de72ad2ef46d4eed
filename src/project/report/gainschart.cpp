#include "gainschart.h"

#include "gaincolours.h"
#include "project/core/projectcsv.h"
#include "reports/core/reportpage.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kvor {

namespace {

double niceStep(double range, int parts)
{
    const double raw = range / parts;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    const double nice = f <= 1 ? 1 : f <= 2 ? 2 : f <= 2.5 ? 2.5 : f <= 5 ? 5 : 10;
    return nice * magnitude;
}

int decimalsOf(double step)
{
    int d = 0;
    double scaled = step;
    while (d < 4 && std::abs(scaled - std::round(scaled)) > 1e-6) {
        scaled *= 10;
        ++d;
    }
    return d;
}

QString number(double value, int decimals)
{
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0; // no "-0"
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

QImage drawGainsChart(const std::vector<ChamberSummary> &chambers, const QSize &pixels, double pixelsPerPoint)
{
    QImage image(pixels, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const double pt = pixelsPerPoint;
    QFont font(reportFontFamily(QStringLiteral("Arial")));
    font.setPixelSize(std::max(1, int(std::lround(7 * pt))));
    QFont small = font;
    small.setPixelSize(std::max(1, int(std::lround(6 * pt))));
    const QFontMetricsF fm(font);
    const QFontMetricsF fmSmall(small);
    p.setFont(font);
    p.setPen(Qt::black);

    std::vector<const ChamberSummary *> shown;
    for (const ChamberSummary &c : chambers)
        if (hasFigures(c.status))
            shown.push_back(&c);
    const QRectF whole(QPointF(0, 0), QSizeF(pixels));
    if (shown.empty()) {
        p.drawText(whole, Qt::AlignCenter, QCoreApplication::translate("GainsChart", "Немає камер з розрахунком"));
        return image;
    }

    const double margin = 4 * pt;
    const double lineHeight = fm.height();

    // The legend under the plot: swatch and caption, flowed into rows.
    const double swatch = lineHeight * 0.8;
    const double entryGap = 10 * pt;
    struct Entry {
        QPointF at;
        int gain;
    };
    std::vector<Entry> entries;
    {
        double x = 0;
        int row = 0;
        for (int i = 0; i < 9; ++i) {
            const double w = swatch + 2 * pt + fm.horizontalAdvance(gainCaptions().value(i));
            if (x > 0 && x + w > whole.width() - 2 * margin) {
                x = 0;
                ++row;
            }
            entries.push_back({QPointF(x, row * lineHeight * 1.3), i});
            x += w + entryGap;
        }
    }
    const double legendHeight = (entries.back().at.y() / (lineHeight * 1.3) + 1) * lineHeight * 1.3;

    // The value axis.
    double low = 0, high = 0;
    std::vector<double> sums;
    for (const ChamberSummary *c : shown) {
        double below = 0, above = 0, sum = 0;
        for (const auto &g : c->gains) {
            const double v = g.value_or(0.0);
            (v < 0 ? below : above) += v;
            sum += v;
        }
        low = std::min(low, below);
        high = std::max(high, above);
        sums.push_back(sum);
    }
    const double step = niceStep(std::max(high - low, 1e-3), 5);
    low = std::floor(low / step + 1e-9) * step;
    high = std::max(step, std::ceil(high / step - 1e-9) * step);
    const int decimals = decimalsOf(step);
    double labelWidth = 0;
    for (double v = low; v <= high + step / 2; v += step)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(number(v, decimals)));

    // Chamber names: across, on up to three lines, when they fit their slot;
    // else upright and cut short.
    const double plotLeft = margin + labelWidth + 3 * pt;
    const double plotWidth = whole.width() - margin - plotLeft;
    const double slot = plotWidth / shown.size();
    const QRectF nameArea(0, 0, slot * 0.95, 1e6);
    double longest = 0, across = lineHeight;
    for (const ChamberSummary *c : shown) {
        longest = std::max(longest, fm.horizontalAdvance(c->name));
        const QRectF wrapped = fm.boundingRect(nameArea, Qt::TextWordWrap | Qt::AlignHCenter, c->name);
        across = std::max(across, wrapped.width() > nameArea.width() ? 1e6 : wrapped.height());
    }
    const bool upright = across > 3 * lineHeight + 1;
    const double namesHeight = upright ? std::min(longest, whole.height() * 0.25) : across;

    const QRectF plot(plotLeft, margin + lineHeight * 1.5, plotWidth,
                      whole.height() - margin - legendHeight - 4 * pt - namesHeight - 3 * pt - margin
                          - lineHeight * 1.5);
    auto yOf = [&](double v) { return plot.bottom() - (v - low) / (high - low) * plot.height(); };

    // Grid and value labels.
    p.drawText(QRectF(margin, margin, plotLeft + 40 * pt, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("GainsChart", "кВт"));
    for (double v = low; v <= high + step / 2; v += step) {
        const double y = yOf(v);
        p.setPen(QPen(std::abs(v) < step / 2 ? QColor(Qt::black) : QColor(0xd0, 0xd0, 0xd0), 0.5 * pt));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(margin, y - lineHeight / 2, labelWidth, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                   number(v, decimals));
    }
    p.setPen(QPen(Qt::black, 0.5 * pt));
    p.drawLine(plot.topLeft(), plot.bottomLeft());

    // Bars, their sums above them and the names under the plot.
    const double barWidth = std::min(slot * 0.6, 60 * pt);
    for (size_t k = 0; k < shown.size(); ++k) {
        const ChamberSummary &c = *shown[k];
        const double centre = plot.left() + slot * (k + 0.5);
        double above = 0, below = 0;
        for (int i = 0; i < 9; ++i) {
            const double v = c.gains[size_t(i)].value_or(0.0);
            if (v == 0)
                continue;
            double &base = v < 0 ? below : above;
            const QRectF bar = QRectF(QPointF(centre - barWidth / 2, yOf(base)), QPointF(centre + barWidth / 2, yOf(base + v)))
                                   .normalized();
            base += v;
            const QColor colour = gainColours()[size_t(i)];
            p.fillRect(bar, colour);
            p.setPen(QPen(colour.darker(140), 0.3 * pt));
            p.drawRect(bar);
        }
        p.setPen(Qt::black);
        p.setFont(small);
        const QString sum = number(sums[k], 2);
        if (fmSmall.horizontalAdvance(sum) < slot * 0.98)
            p.drawText(QRectF(centre - slot / 2, yOf(above) - fmSmall.height() - pt, slot, fmSmall.height()),
                       Qt::AlignHCenter | Qt::AlignBottom, sum);
        p.setFont(font);
        const double namesTop = plot.bottom() + 3 * pt;
        if (!upright) {
            p.drawText(QRectF(centre - nameArea.width() / 2, namesTop, nameArea.width(), namesHeight),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, c.name);
        } else {
            const QString name = fm.elidedText(c.name, Qt::ElideRight, namesHeight);
            p.save();
            p.translate(centre, namesTop);
            p.rotate(-90);
            p.drawText(QPointF(-fm.horizontalAdvance(name), (fm.ascent() - fm.descent()) / 2), name);
            p.restore();
        }
    }

    const QPointF legendTop(margin, whole.height() - margin - legendHeight);
    for (const Entry &e : entries) {
        const QPointF at = legendTop + e.at;
        const QRectF box(at.x(), at.y() + (lineHeight - swatch) / 2, swatch, swatch);
        p.fillRect(box, gainColours()[size_t(e.gain)]);
        p.drawText(QRectF(box.right() + 2 * pt, at.y(), whole.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   gainCaptions().value(e.gain));
    }
    return image;
}

} // namespace kvor
