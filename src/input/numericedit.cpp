#include "numericedit.h"

#include "calculatorpopup.h"
#include "errorreporter.h"
#include "storage/dbftable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QToolButton>
#include <QValidator>

#include <algorithm>
#include <cmath>

namespace kvor {

namespace {

constexpr int kButtonWidth = 20;

QString decimalPoint()
{
    return QLocale().decimalPoint();
}

// Sign, digits, one decimal separator and at most two decimals: every text the
// edit may hold on the way to a number.
bool isNumberText(const QString &text)
{
    const QString sep = decimalPoint();
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    if (i == text.size())
        return true;
    if (!QStringView(text).mid(i).startsWith(sep))
        return false;
    i += sep.size();
    int decimals = 0;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        ++decimals;
    }
    return i == text.size() && decimals <= 2;
}

QString withSeparator(QString text)
{
    const QString sep = decimalPoint();
    if (sep != QLatin1String("."))
        text.replace(QLatin1Char('.'), sep);
    if (sep != QLatin1String(","))
        text.replace(QLatin1Char(','), sep);
    return text;
}

// Pasted text gets the same checks and separator mending as typed text.
class NumberValidator : public QValidator {
public:
    explicit NumberValidator(NumericEdit *edit)
        : QValidator(edit)
        , m_edit(edit)
    {
    }
    State validate(QString &input, int &) const override
    {
        const int limit = m_edit->maxTextLength();
        if (limit > 0 && input.size() > limit)
            return Invalid;
        if (isNumberText(input))
            return Acceptable;
        const QString mended = withSeparator(input);
        if (!isNumberText(mended))
            return Invalid;
        input = mended;
        return Acceptable;
    }

private:
    NumericEdit *m_edit;
};

// At most two decimals, trailing zeros dropped; grouped digits on request.
QString formatNumber(double v, bool grouped)
{
    QString s = QString::number(v, 'f', 2);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? s : s.left(dot);
    const QString fraction = dot < 0 ? QString() : s.mid(dot + 1);
    if (grouped) {
        const QString group = QLocale().groupSeparator();
        for (qsizetype k = whole.size() - 3; k > 0; k -= 3)
            whole.insert(k, group);
    }
    QString out = negative ? QStringLiteral("-") : QString();
    out += whole;
    if (!fraction.isEmpty())
        out += decimalPoint() + fraction;
    return out;
}

QString twoDecimals(double v)
{
    return withSeparator(QString::number(v, 'f', 2));
}

QPixmap calculatorGlyph()
{
    QPixmap pm(10, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(0, 0, 9, 11);
    p.fillRect(2, 2, 6, 2, QColor(40, 90, 40));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(2 + col * 2, 5 + row * 2, 1, 1, QColor(20, 20, 20));
    return pm;
}

NumericEdit::MessageSink &messageSink()
{
    static NumericEdit::MessageSink sink;
    return sink;
}

std::function<void()> &beepHook()
{
    static std::function<void()> hook;
    return hook;
}

void beep()
{
    if (beepHook())
        beepHook()();
    else
        QApplication::beep();
}

} // namespace

NumericEdit::NumericEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new NumberValidator(this));

    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("calculatorButton"));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setIcon(QIcon(calculatorGlyph()));
    m_button->setIconSize(QSize(10, 12));
    setTextMargins(0, 0, kButtonWidth, 0);
    connect(m_button, &QToolButton::clicked, this, &NumericEdit::showCalculator);

    connect(&m_link, &FieldLink::refresh, this, [this] {
        // Typed text outlives a change of the record only while the edit has the focus.
        if (m_dirty && hasFocus())
            return;
        m_dirty = false;
        showField();
    });
    m_link.updateData = [this] { commit(false); };
    connect(this, &QLineEdit::textEdited, this, &NumericEdit::startEdit);
}

NumericEdit::~NumericEdit() = default;

void NumericEdit::bind(DataSource *source, const QString &fieldName)
{
    m_link.setFieldName(fieldName);
    m_link.setDataSource(source);
}

void NumericEdit::setRange(double minValue, double maxValue)
{
    m_min = minValue;
    m_max = maxValue;
}

double NumericEdit::value() const
{
    QString t = text().trimmed();
    t.remove(QLocale().groupSeparator());
    t.replace(decimalPoint(), QStringLiteral("."));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString NumericEdit::rangeMessage(double minValue, double maxValue)
{
    return tr("Value must be between %1 and %2").arg(twoDecimals(minValue), twoDecimals(maxValue));
}

void NumericEdit::setMessageSink(MessageSink sink)
{
    messageSink() = std::move(sink);
}

void NumericEdit::setBeep(std::function<void()> hook)
{
    beepHook() = std::move(hook);
}

QString NumericEdit::formatted(bool focused) const
{
    DbfField *f = m_link.field();
    if (!f || f->isNull())
        return QString();
    double v = 0;
    const bool ok = ErrorReporter::guard(const_cast<NumericEdit *>(this), [&] {
        v = f->asFloat();
        return true;
    });
    if (!ok || !std::isfinite(v))
        return QString();
    if (focused)
        return v == 0 ? QString() : formatNumber(v, false);
    return formatNumber(v, true);
}

void NumericEdit::showField()
{
    if (!m_link.dataSource())
        return; // an unbound edit keeps what was typed
    m_showing = true;
    setText(formatted(hasFocus()));
    m_showing = false;
}

void NumericEdit::startEdit()
{
    if (m_dirty || m_showing)
        return;
    if (!m_link.dataSource()) {
        m_dirty = true;
        return;
    }
    const QString typed = text();
    const int cursor = cursorPosition();
    if (ErrorReporter::guard(this, [this] { return m_link.edit(); })) {
        m_dirty = true;
        if (text() != typed) { // the record was read again under the lock
            setText(typed);
            setCursorPosition(cursor);
        }
    } else {
        showField();
    }
}

bool NumericEdit::commit(bool leaving)
{
    if (!m_dirty && m_link.dataSource() && !m_link.active())
        return true; // no record: nothing to check or write
    double v = value();
    const bool outside = hasRange() && (v < m_min || v > m_max);
    if (outside && m_validated) {
        if (leaving)
            refuse();
        return false;
    }
    if (!m_dirty)
        return true;
    if (outside)
        v = std::clamp(v, m_min, m_max);
    DbfField *f = m_link.field();
    if (!f) {
        m_dirty = false;
        if (!m_link.dataSource()) { // unbound: show what would have been written
            m_showing = true;
            setText(v == 0 ? QString() : formatNumber(v, !hasFocus()));
            m_showing = false;
        }
        return true;
    }
    QVariant out;
    if (v != 0) {
        const double whole = std::nearbyint(v); // half to even, as the program has always rounded
        const bool integer = f->kind() == FieldKind::SmallInt || f->kind() == FieldKind::Integer;
        // A number no integer holds goes as it is, for the table to refuse as too large.
        if (integer && std::fabs(whole) < 2147483648.0)
            out = qint32(whole);
        else
            out = v;
    }
    m_dirty = false;
    const bool ok = ErrorReporter::guard(this, [&] {
        m_link.write(out);
        return true;
    });
    if (!ok) {
        m_dirty = true; // keep the typed text; the focus comes back to it
        if (leaving)
            QTimer::singleShot(0, this, [this] {
                setFocus(Qt::OtherFocusReason);
                selectAll();
            });
        return false;
    }
    showField();
    return true;
}

void NumericEdit::refuse()
{
    const QString text = rangeMessage(m_min, m_max);
    // After the focus change has finished: the message, then the focus back.
    QTimer::singleShot(0, this, [this, text] {
        if (messageSink())
            messageSink()(this, text);
        else
            ErrorReporter::report(this, text);
        if (isVisible() && isEnabled()) {
            setFocus(Qt::OtherFocusReason);
            selectAll();
            return;
        }
        // Hidden (another page) or disabled: the refused text goes, the record shows.
        m_dirty = false;
        showField();
    });
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    if (!m_dirty && event->reason() != Qt::PopupFocusReason)
        showField();
    QLineEdit::focusInEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent *event)
{
    // The calculator opening or another window taking over is not leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    const bool ok = commit(true);
    QLineEdit::focusOutEvent(event);
    if (!ok)
        return;
    if (!m_dirty)
        showField();
    emit exited();
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_dirty = false;
        showField();
        selectAll();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        event->accept();
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() != 1 || !typed.at(0).isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString c = typed;
    if (c == QLatin1String(",") || c == QLatin1String("."))
        c = decimalPoint();
    QString candidate = text();
    int at = cursorPosition();
    if (hasSelectedText()) {
        at = selectionStart();
        candidate.remove(at, selectedText().size());
    }
    candidate.insert(at, c);
    if (!isNumberText(candidate) || (m_maxTextLength > 0 && candidate.size() > m_maxTextLength)) {
        beep();
        event->accept();
        return;
    }
    if (c != typed) {
        startEdit();
        if (!m_dirty && m_link.dataSource())
            return;
        insert(c);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (!isReadOnly() && isEnabled())
        selectAll();
}

void NumericEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void NumericEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
        m_button->setEnabled(isEnabled() && !isReadOnly());
}

void NumericEdit::placeButton()
{
    m_button->setGeometry(width() - kButtonWidth - 1, 1, kButtonWidth, height() - 2);
}

CalculatorPopup *NumericEdit::calculator()
{
    if (!m_calculator) {
        m_calculator = new CalculatorPopup(this);
        m_calculator->setObjectName(QStringLiteral("calculator"));
        connect(m_calculator, &CalculatorPopup::accepted, this, &NumericEdit::calculatorResult);
    }
    return m_calculator;
}

void NumericEdit::showCalculator()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    CalculatorPopup *c = calculator();
    c->setValue(value());
    c->popup(this);
}

void NumericEdit::calculatorResult(double v)
{
    startEdit();
    if (!m_dirty)
        return;
    m_showing = true;
    setText(v == 0 ? QString() : formatNumber(v, false));
    m_showing = false;
    setFocus(Qt::PopupFocusReason);
    commit(true);
}

} // namespace kvor
