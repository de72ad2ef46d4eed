#include "newsign.h"

#include <QMouseEvent>

namespace kvor {

NewSign::NewSign(QWidget *parent)
    : QLabel(parent)
{
    m_frames[0] = QPixmap(QStringLiteral(":/assets/new1.png"));
    m_frames[1] = QPixmap(QStringLiteral(":/assets/new2.png"));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, [this] { showFrame(1 - m_frame); });
    showFrame(0);
}

void NewSign::start()
{
    m_timer.start();
}

void NewSign::stop()
{
    m_timer.stop();
}

void NewSign::showFrame(int frame)
{
    m_frame = frame;
    setPixmap(m_frames[frame]);
}

void NewSign::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

} // namespace kvor
