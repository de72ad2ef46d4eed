#include "reportpainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace kvor {

namespace {

QPen linePen(double points, Qt::PenCapStyle cap)
{
    QPen pen(Qt::black, points * kUnitsPerPoint, Qt::SolidLine, cap, Qt::MiterJoin);
    return pen;
}

void paintFrame(QPainter &p, const QRectF &box, const ReportFrame &frame)
{
    const auto side = [&](double points, QPointF a, QPointF b) {
        if (points <= 0)
            return;
        p.setPen(linePen(points, Qt::SquareCap));
        p.drawLine(a, b);
    };
    side(frame.left, box.topLeft(), box.bottomLeft());
    side(frame.top, box.topLeft(), box.topRight());
    side(frame.right, box.topRight(), box.bottomRight());
    side(frame.bottom, box.bottomLeft(), box.bottomRight());
}

void paintText(QPainter &p, const ReportItem &item, double dpi)
{
    const QRectF box(item.box);
    if (item.opaque)
        p.fillRect(box, Qt::white);
    if (!item.text.isEmpty()) {
        const QTransform page = p.transform();
        p.scale(1 / kTextScale, 1 / kTextScale);
        p.setFont(reportPaintFont(item.font, dpi, kTextScale));
        p.setPen(Qt::black);
        const double lineHeight = ReportTextMetrics::lineHeight(item.font);
        const double ascent = ReportTextMetrics::ascent(item.font);
        const QStringList lines = item.text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            if (line.isEmpty())
                continue;
            double x = box.left();
            if (item.align & (Qt::AlignRight | Qt::AlignHCenter)) {
                const double free = box.width() - ReportTextMetrics::width(item.font, line);
                x += (item.align & Qt::AlignRight) ? free : free / 2;
            }
            p.drawText(QPointF(x, box.top() + i * lineHeight + ascent) * kTextScale, line);
        }
        p.setTransform(page);
    }
    paintFrame(p, box, item.frame);
}

void paintImage(QPainter &p, const ReportItem &item)
{
    if (item.image.isNull())
        return;
    const QRectF box(item.box);
    if (item.stretch) {
        p.drawImage(box, item.image);
        return;
    }
    // Screen scale: one image pixel is 1/96 inch of paper.
    const QSizeF size(item.image.width() * kUnitsPerInch / 96.0, item.image.height() * kUnitsPerInch / 96.0);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2, size.width(),
                        size.height());
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    p.drawImage(target, item.image);
    p.restore();
}

} // namespace

void paintReportPage(QPainter &p, const ReportPage &page)
{
    const double dpi = p.device() ? p.device()->logicalDpiY() : 96.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setBrush(Qt::NoBrush);
    for (const ReportItem &item : page.items) {
        switch (item.kind) {
        case ReportItem::Text:
            paintText(p, item, dpi);
            break;
        case ReportItem::Line: {
            const QRectF box(item.box);
            p.setPen(linePen(item.pen, Qt::FlatCap));
            p.drawLine(box.topLeft(), QPointF(box.x() + box.width(), box.y() + box.height()));
            break;
        }
        case ReportItem::Rect:
            p.setPen(linePen(item.pen, Qt::SquareCap));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(item.box));
            break;
        case ReportItem::Image:
            paintImage(p, item);
            break;
        }
    }
    p.restore();
}

void paintReportPage(QPainter &p, const ReportPage &page, const QRectF &target)
{
    if (page.width <= 0 || page.height <= 0)
        return;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / page.width, target.height() / page.height);
    paintReportPage(p, page);
    p.restore();
}

} // namespace kvor
