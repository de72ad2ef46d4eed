#pragma once

#include <QTabBar>

namespace kvor {

// The tab column of the page control: tabs stacked on the left, each 145 × 30
// with its caption written across on one line. The active tab is drawn on the
// panel gray in the panel font, the others on light gray in Times New Roman
// 9 pt; the caption under the mouse takes the highlight colour.
class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kTabWidth = 145;
    static constexpr int kTabHeight = 30;

    explicit PageTabBar(QWidget *parent = nullptr);

    int hoveredTab() const { return m_hover; }
    QFont inactiveFont() const;
    QFont activeFont() const; // the panel's, through the page control
    static QColor activeColor() { return QColor(128, 128, 128); }
    static QColor inactiveColor() { return QColor(160, 160, 164); }

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHover(int index);

    int m_hover = -1;
};

} // namespace kvor
