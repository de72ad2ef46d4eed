#include "recordlocator.h"

#include "codepage.h"
#include "dbffield.h"
#include "dbfnumber.h"

#include <QLocale>

#include <cstring>

namespace kvor {

RecordLocator::RecordLocator(const DbfField &field, const QVariant &value, bool caseInsensitive,
                             bool translateAscii)
    : m_field(field), m_caseInsensitive(caseInsensitive), m_translateAscii(translateAscii)
{
    const QString text = value.typeId() == QMetaType::Double
                             ? QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest)
                             : value.toString();
    if (text.size() > field.length()) {
        m_possible = false; // a field narrower than the value cannot hold it
        return;
    }

    bool textExact = true;
    switch (field.kind()) {
    case FieldKind::String:
        m_text = translateAscii ? Cp866::encode(text, &textExact) : Cp1251::encode(text, &textExact);
        if (!textExact) {
            m_possible = false; // no stored text decodes to characters the page lacks
            return;
        }
        if (caseInsensitive) {
            if (translateAscii) {
                for (char &c : m_text)
                    c = char(Cp866::toUpper(static_cast<unsigned char>(c)));
            } else {
                m_text = Cp1251::encode(text.toUpper());
            }
        }
        break;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float: {
        const QByteArray t = text.trimmed().toLatin1();
        m_possible = !t.isEmpty() && parseDbfNumber(t.constData(), int(t.size()), &m_number);
        break;
    }
    case FieldKind::Boolean: {
        const QChar c = text.isEmpty() ? QChar() : text.at(0);
        m_truth = QStringLiteral("TtYyJj").contains(c) && !c.isNull();
        break;
    }
    case FieldKind::Date:
    case FieldKind::DateTime:
        m_date = value.typeId() == QMetaType::QDate ? value.toDate() : QDate::fromString(text, Qt::ISODate);
        break;
    default:
        m_possible = false;
        break;
    }
}

bool RecordLocator::matches(const char *record) const
{
    switch (m_field.kind()) {
    case FieldKind::String: {
        const QByteArray raw = m_field.rawTextFrom(record);
        if (raw.size() != m_text.size())
            return false;
        if (!m_caseInsensitive)
            return std::memcmp(raw.constData(), m_text.constData(), size_t(raw.size())) == 0;
        if (m_translateAscii) {
            for (qsizetype i = 0; i < raw.size(); ++i) {
                if (Cp866::toUpper(static_cast<unsigned char>(raw[i])) != static_cast<unsigned char>(m_text[i]))
                    return false;
            }
            return true;
        }
        return Cp1251::encode(Cp1251::decode(raw).toUpper()) == m_text;
    }
    case FieldKind::SmallInt:
    case FieldKind::Integer:
    case FieldKind::Float: {
        double v = 0;
        return m_field.numberFrom(record, &v) && v == m_number;
    }
    case FieldKind::Boolean:
        return m_field.booleanFrom(record) == m_truth;
    case FieldKind::Date:
    case FieldKind::DateTime:
        return m_date.isValid() && m_field.dateFrom(record) == m_date;
    default:
        return false;
    }
}

} // namespace kvor

