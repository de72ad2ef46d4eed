#include "reportdataset.h"

#include "storage/dbftable.h"

#include <QLocale>

#include <cmath>

namespace kvor {

TableDataSet::TableDataSet(DbfTable &table)
    : m_table(table)
{
}

void TableDataSet::first()
{
    if (!m_table.active()) { // no catalogue: an empty list
        m_rows = 0;
        return;
    }
    m_table.first();
    m_rows = m_table.eof() ? 0 : 1;
}

void TableDataSet::next()
{
    m_table.next();
}

bool TableDataSet::eof() const
{
    return !hasRows() || m_table.eof();
}

// Asking the table scans it for a visible record; a walk asks once, at first().
bool TableDataSet::hasRows() const
{
    if (!m_table.active())
        return false;
    return m_rows >= 0 ? m_rows > 0 : !m_table.isEmpty();
}

QString TableDataSet::formatNumber(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    const double magnitude = std::floor(std::log10(std::abs(value)));
    QString text;
    if (magnitude >= -5 && magnitude < 15) {
        const int decimals = std::max(0, 14 - int(magnitude));
        text = QString::number(value, 'f', decimals);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    } else {
        text = QString::number(value, 'g', 15).toUpper();
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString TableDataSet::displayText(const QString &name) const
{
    if (!hasRows())
        return QString(); // an empty set prints empty fields, numbers included
    const DbfField *field = m_table.fieldByName(name);
    switch (field->kind()) {
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float: {
        if (field->isCalculated()) {
            const QVariant v = field->value();
            return formatNumber(v.isValid() ? v.toDouble() : 0.0);
        }
        return formatNumber(field->asFloat());
    }
    case FieldKind::Boolean:
        return field->asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Date: {
        const QDate d = field->asDate();
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    case FieldKind::DateTime: {
        const QDateTime d = field->value().toDateTime();
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) : QString();
    }
    default:
        return field->asString();
    }
}

} // namespace kvor
