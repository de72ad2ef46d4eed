#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace kvor {

// The animated New sign of the start screen: two frames, 500 ms each.
class NewSign : public QLabel {
    Q_OBJECT
public:
    explicit NewSign(QWidget *parent = nullptr);
    void start();
    void stop();
    bool animating() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showFrame(int frame);

    QPixmap m_frames[2];
    int m_frame = 0;
    QTimer m_timer;
};

} // namespace kvor
