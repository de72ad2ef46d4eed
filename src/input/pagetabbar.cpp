#include "pagetabbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kvor {

PageTabBar::PageTabBar(QWidget *parent)
    : QTabBar(parent)
{
    setShape(QTabBar::RoundedWest);
    setMouseTracking(true);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    // A stop of the tab order even where the platform skips tab-only controls,
    // and focused by a click, as a page control has always been.
    setFocusPolicy(Qt::StrongFocus);
}

QFont PageTabBar::inactiveFont() const
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(9);
    return f;
}

QFont PageTabBar::activeFont() const
{
    return parentWidget() ? parentWidget()->font() : font();
}

QSize PageTabBar::tabSizeHint(int) const
{
    return QSize(kTabWidth, kTabHeight);
}

QSize PageTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void PageTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor light(255, 255, 255);
    const QColor shadow(64, 64, 64);
    for (int i = 0; i < count(); ++i) {
        const QRect r = tabRect(i);
        const bool active = i == currentIndex();
        p.fillRect(r, active ? activeColor() : inactiveColor());
        // Raised edges; the active tab stays open towards its page.
        p.setPen(light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(shadow);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        if (!active)
            p.drawLine(r.topRight(), r.bottomRight());

        p.setFont(active ? activeFont() : inactiveFont());
        QColor text = i == m_hover ? palette().color(QPalette::Highlight) : QColor(Qt::black);
        if (!isTabEnabled(i))
            text = palette().color(QPalette::Disabled, QPalette::WindowText);
        p.setPen(text);
        p.drawText(r.adjusted(4, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, tabText(i));

        if (active && hasFocus()) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.rect = r.adjusted(3, 4, -3, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
}

void PageTabBar::mouseMoveEvent(QMouseEvent *event)
{
    setHover(tabAt(event->position().toPoint()));
    QTabBar::mouseMoveEvent(event);
}

void PageTabBar::leaveEvent(QEvent *event)
{
    setHover(-1);
    QTabBar::leaveEvent(event);
}

void PageTabBar::setHover(int index)
{
    if (index == m_hover)
        return;
    m_hover = index;
    update();
}

} // namespace kvor
