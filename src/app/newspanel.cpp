#include "newspanel.h"

#include <QFontMetrics>
#include <QPainter>

namespace kvor {

namespace {

constexpr int kPictureWidth = 365;
constexpr int kPictureHeight = 25;

} // namespace

NewsPanel::NewsPanel(QWidget *parent)
    : QFrame(parent)
{
    m_picture = QPixmap(QStringLiteral(":/assets/news.png"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(0, 255, 0));
    setPalette(p);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    m_timer.setInterval(60);
    connect(&m_timer, &QTimer::timeout, this, &NewsPanel::step);
}

const QStringList &NewsPanel::lines()
{
    static const QStringList text = {
        tr("Нове у версії 1.05:"),
        QStringLiteral("==================="),
        tr("Змінені справники підбору обладнання."),
        tr("Змінені алгоритми розрахунків для різних температур"),
        tr("зовнішнього середовища."),
        tr("Виправлена ??робота фільтрів каталогу продуктів."),
        tr("Змінені форми друку звітів."),
        QString(),
        QString(),
        tr("Нове у версії 1.04:"),
        QStringLiteral("==================="),
        tr("Тепер програма нормально працює під Win7."),
        QString(),
        QString(),
        tr("Нове у версії 1.03:"),
        QStringLiteral("==================="),
        tr("Облік вологи всередині камери і поза нею."),
        tr("Уточнений розрахунок в режимі «охолодження»."),
        tr("Введений режим швидкого підбору обладнання."),
        tr("Друк довідника обладнання."),
        tr("Налаштування каталогу з файлами розрахунків."),
        tr("Введення цифрових параметрів через калькулятор."),
        tr("Автоматичний режим конвертації старих звітів у звіти"),
        tr("версії 1.00 і вище."),
        tr("Автоматичний ввід кінцевої температури продукту і тар"),
        tr("в режимі «зберігання»."),
        tr("Автоматичний ввід висоти штабелювания."),
        tr("Підбір систем на базе декількох агрегатів з урахуванням"),
        tr("інтервалу холодопрохідності."),
        tr("Уточнений розрахунок теплопритоку від продукту дихання."),
        tr("Уточнений розрахунок теплопритоку від інфільтрації (аналіз"),
        tr("зовнішньої температури у стени А)"),
    };
    return text;
}

int NewsPanel::contentHeight() const
{
    return kPictureHeight + QFontMetrics(font()).lineSpacing() * int(lines().size());
}

void NewsPanel::startScrolling()
{
    m_timer.start();
}

void NewsPanel::stopScrolling()
{
    m_timer.stop();
}

void NewsPanel::step()
{
    --m_offset;
    if (m_offset + contentHeight() < 0)
        m_offset = height(); // the last line has left: again from the bottom
    update();
}

void NewsPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setClipRect(contentsRect());
    const int x = (width() - kPictureWidth) / 2;
    p.drawPixmap(x, m_offset, m_picture);
    const QFontMetrics fm(font());
    int y = m_offset + kPictureHeight;
    p.setPen(palette().color(QPalette::WindowText));
    for (const QString &line : lines()) {
        p.drawText(QRect(0, y, width(), fm.lineSpacing()), Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += fm.lineSpacing();
    }
}

} // namespace kvor
