#include "calculatorpopup.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QToolButton>

#include <cmath>

namespace kvor {

namespace {

QString localized(QString text)
{
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

CalculatorPopup::CalculatorPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);

    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Panel);
    m_display->setFrameShadow(QFrame::Sunken);
    m_display->setAutoFillBackground(true);
    QPalette pal = m_display->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    m_display->setPalette(pal);
    m_display->setMinimumHeight(20);
    grid->addWidget(m_display, 0, 0, 1, 4);

    struct Key {
        const char *caption;
        char key;
        int row, column;
    };
    const Key keys[] = {
        {"C", 'C', 1, 0}, {"\u2190", 'B', 1, 1}, {"\u00f7", '/', 1, 2}, {"\u00d7", '*', 1, 3},
        {"7", '7', 2, 0}, {"8", '8', 2, 1},      {"9", '9', 2, 2},      {"\u2212", '-', 2, 3},
        {"4", '4', 3, 0}, {"5", '5', 3, 1},      {"6", '6', 3, 2},      {"+", '+', 3, 3},
        {"1", '1', 4, 0}, {"2", '2', 4, 1},      {"3", '3', 4, 2},      {"=", '=', 4, 3},
        {"\u00b1", 'N', 5, 0}, {"0", '0', 5, 1}, {".", '.', 5, 2},      {"OK", 'O', 5, 3},
    };
    for (const Key &k : keys) {
        auto *b = new QToolButton(this);
        const QChar key = QLatin1Char(k.key);
        b->setText(k.key == '.' ? QString(QLocale().decimalPoint()) : QString::fromUtf8(k.caption));
        b->setObjectName(QStringLiteral("key_%1").arg(k.key == '.' ? QStringLiteral("point") : QString(key)));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(28, 22);
        connect(b, &QToolButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(b, k.row, k.column);
    }
    showDisplay();
}

void CalculatorPopup::setValue(double value)
{
    m_entry.clear();
    m_accumulator = std::isfinite(value) ? value : 0;
    m_pending = QChar();
    m_error = false;
    showDisplay();
}

double CalculatorPopup::value() const
{
    return m_entry.isEmpty() ? m_accumulator : m_entry.toDouble();
}

QString CalculatorPopup::displayText() const
{
    return m_display->text();
}

void CalculatorPopup::showDisplay()
{
    if (m_error) {
        m_display->setText(tr("Error"));
        return;
    }
    if (!m_entry.isEmpty()) {
        m_display->setText(localized(m_entry));
        return;
    }
    m_display->setText(localized(QString::number(m_accumulator, 'g', 15)));
}

bool CalculatorPopup::applyPending()
{
    const double operand = m_entry.isEmpty() ? m_accumulator : m_entry.toDouble();
    m_entry.clear();
    const QChar op = m_pending;
    m_pending = QChar();
    double r = operand;
    if (op == QLatin1Char('+'))
        r = m_accumulator + operand;
    else if (op == QLatin1Char('-'))
        r = m_accumulator - operand;
    else if (op == QLatin1Char('*'))
        r = m_accumulator * operand;
    else if (op == QLatin1Char('/')) {
        if (operand == 0) {
            m_error = true;
            return false;
        }
        r = m_accumulator / operand;
    }
    if (!std::isfinite(r)) {
        m_error = true;
        return false;
    }
    m_accumulator = r;
    return true;
}

void CalculatorPopup::press(QChar key)
{
    const char k = key.toLatin1();
    if (k == 'C') {
        setValue(0);
        return;
    }
    if (m_error)
        return; // only "C" leaves the error
    switch (k) {
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9':
        if (m_entry.size() >= 15)
            break;
        if (m_entry == QLatin1String("0"))
            m_entry.clear();
        else if (m_entry == QLatin1String("-0"))
            m_entry = QStringLiteral("-");
        m_entry += key;
        break;
    case '.':
        if (m_entry.isEmpty() || m_entry == QLatin1String("-"))
            m_entry += QStringLiteral("0.");
        else if (!m_entry.contains(QLatin1Char('.')))
            m_entry += QLatin1Char('.');
        break;
    case 'B':
        m_entry.chop(1);
        break;
    case 'N':
        if (m_entry.isEmpty())
            m_accumulator = -m_accumulator;
        else if (m_entry.startsWith(QLatin1Char('-')))
            m_entry.remove(0, 1);
        else
            m_entry.prepend(QLatin1Char('-'));
        break;
    case '+': case '-': case '*': case '/':
        // A second operation in a row only replaces the first.
        if (!m_entry.isEmpty() || m_pending.isNull())
            applyPending();
        m_pending = key;
        break;
    case '=':
    case 'O':
        if (applyPending())
            accept();
        break;
    default:
        break;
    }
    showDisplay();
}

void CalculatorPopup::accept()
{
    const double v = m_accumulator;
    hide();
    emit accepted(v);
}

void CalculatorPopup::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(QLatin1Char('='));
        return;
    case Qt::Key_Backspace:
        press(QLatin1Char('B'));
        return;
    case Qt::Key_Delete:
        press(QLatin1Char('C'));
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        QChar c = text.at(0);
        if (c == QLatin1Char(',') || c == QLocale().decimalPoint().front())
            c = QLatin1Char('.');
        if (QStringLiteral("0123456789.+-*/=").contains(c)) {
            press(c);
            return;
        }
        if (c == QLatin1Char('c') || c == QLatin1Char('C')) {
            press(QLatin1Char('C'));
            return;
        }
    }
    QFrame::keyPressEvent(event);
}

void CalculatorPopup::popup(QWidget *anchor)
{
    adjustSize();
    const QSize size = sizeHint();
    QPoint pos = anchor->mapToGlobal(QPoint(anchor->width() - size.width(), anchor->height()));
    if (const QScreen *screen = anchor->screen()) {
        const QRect avail = screen->availableGeometry();
        if (pos.y() + size.height() > avail.bottom())
            pos.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - size.height());
        pos.setX(std::max(avail.left(), std::min(pos.x(), avail.right() - size.width())));
        pos.setY(std::max(avail.top(), pos.y()));
    }
    move(pos);
    show();
    setFocus(Qt::PopupFocusReason);
}

} // namespace kvor
