#pragma once

#include <QFrame>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

namespace kvor {

// The news panel of the start screen: a picture and text lines that scroll
// upward one pixel every 60 ms and start again from the bottom.
class NewsPanel : public QFrame {
    Q_OBJECT
public:
    explicit NewsPanel(QWidget *parent = nullptr);

    static const QStringList &lines();

    void startScrolling();
    void stopScrolling();
    bool scrolling() const { return m_timer.isActive(); }
    int offset() const { return m_offset; } // top of the content, relative to the panel

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void step();
    int contentHeight() const;

    QPixmap m_picture;
    QTimer m_timer;
    int m_offset = 0;
};

} // namespace kvor
