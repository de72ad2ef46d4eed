#include "previewicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kvor {

QIcon PreviewIcons::icon(Glyph glyph)
{
    const int s = 24;
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 60, 100);
    p.setPen(QPen(ink, 1.6));
    const auto sheet = [&](const QRectF &r) {
        p.setBrush(Qt::white);
        p.drawRect(r);
    };
    const auto triangle = [&](double x, bool left) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 7, 5);
            path.lineTo(x, 12);
            path.lineTo(x + 7, 19);
        } else {
            path.moveTo(x, 5);
            path.lineTo(x + 7, 12);
            path.lineTo(x, 19);
        }
        path.closeSubpath();
        p.setBrush(ink);
        p.drawPath(path);
    };
    const auto printer = [&] {
        p.setBrush(QColor(220, 225, 235));
        p.drawRect(QRectF(3, 9, 18, 9));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(7, 15, 10, 6));
    };
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(9);
    p.setFont(font);
    switch (glyph) {
    case Glyph::Fit:
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.drawRect(QRectF(2, 2, 20, 20));
        p.setPen(QPen(ink, 1.6));
        sheet(QRectF(7, 4, 10, 16));
        break;
    case Glyph::Actual:
        sheet(QRectF(3, 3, 18, 18));
        p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    case Glyph::Width:
        sheet(QRectF(5, 3, 14, 18));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        p.drawLine(QPointF(2, 12), QPointF(5, 9));
        p.drawLine(QPointF(2, 12), QPointF(5, 15));
        p.drawLine(QPointF(22, 12), QPointF(19, 9));
        p.drawLine(QPointF(22, 12), QPointF(19, 15));
        break;
    case Glyph::First:
        p.drawLine(QPointF(6, 5), QPointF(6, 19));
        triangle(8, true);
        break;
    case Glyph::Previous:
        triangle(8, true);
        break;
    case Glyph::Next:
        triangle(9, false);
        break;
    case Glyph::Last:
        triangle(9, false);
        p.drawLine(QPointF(18, 5), QPointF(18, 19));
        break;
    case Glyph::PrintSetup:
        printer();
        p.setBrush(ink);
        p.drawEllipse(QPointF(18, 18), 4, 4);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(18, 18), 1.5, 1.5);
        break;
    case Glyph::Print:
        printer();
        break;
    case Glyph::Save:
        p.setBrush(QColor(220, 225, 235));
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 14, 12, 7));
        break;
    case Glyph::Load: {
        QPainterPath folder;
        folder.moveTo(2, 6);
        folder.lineTo(9, 6);
        folder.lineTo(11, 8);
        folder.lineTo(22, 8);
        folder.lineTo(22, 20);
        folder.lineTo(2, 20);
        folder.closeSubpath();
        p.setBrush(QColor(240, 210, 120));
        p.drawPath(folder);
        break;
    }
    case Glyph::Exit:
        p.setPen(QPen(QColor(170, 40, 40), 2.4));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case Glyph::Pdf:
        sheet(QRectF(4, 2, 16, 20));
        p.setPen(QColor(170, 40, 40));
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("PDF"));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace kvor
