#pragma once

#include <QByteArray>
#include <QString>

namespace kvor {

// DOS Cyrillic (866): the code page of the table files.
class Cp866 {
public:
    static QString decode(const char *data, qsizetype size);
    static QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
    // Characters the page lacks become their closest relative (І → I, « → "),
    // or '?' when there is none; *exact tells whether anything was replaced.
    static QByteArray encode(const QString &text, bool *exact = nullptr);
    static QChar toUnicode(unsigned char byte);
    // Upper case of a byte, staying inside the page (а → А, ў → Ў).
    static unsigned char toUpper(unsigned char byte);
};

// Windows Cyrillic (1251): the order in which the program compares texts.
class Cp1251 {
public:
    static QString decode(const char *data, qsizetype size);
    static QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
    static QByteArray encode(const QString &text, bool *exact = nullptr);
};

} // namespace kvor
