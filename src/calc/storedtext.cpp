#include "storedtext.h"

namespace kvor {

QString StoredText::asStored(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        switch (c.unicode()) {
        case 0x0406: c = QLatin1Char('I'); break; // І
        case 0x0456: c = QLatin1Char('i'); break; // і
        case 0x0490: c = QChar(0x0413); break;    // Ґ → Г
        case 0x0491: c = QChar(0x0433); break;    // ґ → г
        default: break;
        }
    }
    return out;
}

bool StoredText::equals(const QString &stored, const QString &item)
{
    return asStored(stored) == asStored(item);
}

} // namespace kvor
