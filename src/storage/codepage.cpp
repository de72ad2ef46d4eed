#include "codepage.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kvor {

namespace {

constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

struct Mapping {
    char16_t unicode;
    char target; // a byte of the page, or an ASCII stand-in
};

// What 866 lacks of the Windows Cyrillic page (and common typography), mapped
// to the nearest character the page has. Ukrainian І/і and Ґ/ґ matter most:
// the reference tables spell "Овочi" and "Iнше" with the Latin letters.
constexpr Mapping kCp866BestFit[] = {
    {0x0406, 'I'}, {0x0456, 'i'},              // І і
    {0x0490, char(0x83)}, {0x0491, char(0xA3)}, // Ґ ґ → Г г
    {0x0403, char(0x83)}, {0x0453, char(0xA3)}, // Ѓ ѓ → Г г
    {0x040C, char(0x8A)}, {0x045C, char(0xAA)}, // Ќ ќ → К к
    {0x0409, char(0x8B)}, {0x0459, char(0xAB)}, // Љ љ → Л л
    {0x040A, char(0x8D)}, {0x045A, char(0xAD)}, // Њ њ → Н н
    {0x040F, char(0x96)}, {0x045F, char(0xE6)}, // Џ џ → Ц ц
    {0x0402, 'D'}, {0x0452, 'd'},               // Ђ ђ
    {0x040B, 'C'}, {0x045B, 'c'},               // Ћ ћ
    {0x0408, 'J'}, {0x0458, 'j'},               // Ј ј
    {0x0405, 'S'}, {0x0455, 's'},               // Ѕ ѕ
    {0x00AB, '"'}, {0x00BB, '"'}, {0x201C, '"'}, {0x201D, '"'}, {0x201E, '"'}, {0x201F, '"'},
    {0x2018, '\''}, {0x2019, '\''}, {0x201A, ','}, {0x201B, '\''}, {0x2032, '\''}, {0x2033, '"'},
    {0x2039, '<'}, {0x203A, '>'},
    {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2013, '-'}, {0x2014, '-'}, {0x2015, '-'},
    {0x2212, '-'}, {0x00AD, '-'}, {0x00AC, '-'},
    {0x2026, '.'}, {0x2022, char(0xF9)}, {0x2020, '+'}, {0x2021, '+'}, {0x00B1, '+'},
    {0x2030, '%'}, {0x20AC, 'E'}, {0x2122, 'T'}, {0x00A9, 'C'}, {0x00AE, 'R'},
    {0x00A6, '|'}, {0x00A7, 'S'}, {0x00B5, 'u'}, {0x00B6, 'P'}, {0x00D7, 'x'}, {0x00F7, ':'},
    {0x00B2, '2'}, {0x00B3, '3'}, {0x00B9, '1'}, {0x00BA, char(0xF8)}, {0x2103, 'C'},
    {0x2002, ' '}, {0x2003, ' '}, {0x2009, ' '}, {0x202F, ' '},
};

constexpr Mapping kCp1251BestFit[] = {
    {0x2219, char(0x95)}, {0x221A, 'V'}, {0x25A0, char(0x95)}, {0x00F7, ':'}, {0x00D7, 'x'},
    {0x2212, '-'}, {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2015, '-'},
    {0x00B2, '2'}, {0x00B3, '3'}, {0x00B9, '1'}, {0x2103, 'C'},
};

class Encoder {
public:
    template <size_t N>
    Encoder(const char16_t (&high)[128], const Mapping (&bestFit)[N])
    {
        for (int i = 0; i < 128; ++i)
            m_exact.push_back({high[i], char(0x80 + i)});
        std::sort(m_exact.begin(), m_exact.end(), less);
        m_fit.assign(std::begin(bestFit), std::end(bestFit));
        std::sort(m_fit.begin(), m_fit.end(), less);
    }

    QByteArray encode(const QString &text, bool *exact) const
    {
        QByteArray out;
        out.reserve(text.size());
        bool allExact = true;
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < 0x80) {
                out.append(char(c));
                continue;
            }
            if (const Mapping *m = find(m_exact, c)) {
                out.append(m->target);
                continue;
            }
            allExact = false;
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode()))
                ++i; // one stand-in for the whole character
            out.append(bestFit(c));
        }
        if (exact)
            *exact = allExact;
        return out;
    }

private:
    static bool less(const Mapping &a, const Mapping &b) { return a.unicode < b.unicode; }

    static const Mapping *find(const std::vector<Mapping> &v, char16_t c)
    {
        auto it = std::lower_bound(v.begin(), v.end(), Mapping{c, 0}, less);
        return it != v.end() && it->unicode == c ? &*it : nullptr;
    }

    char bestFit(char16_t c) const
    {
        if (const Mapping *m = find(m_fit, c))
            return m->target;
        // Accented Latin letters lose their accents (é → e).
        const QString d = QChar(c).decomposition();
        if (!d.isEmpty() && d.at(0).unicode() < 0x80 && d.at(0).unicode() >= 0x20)
            return char(d.at(0).unicode());
        if (const Mapping *m = find(m_exact, QChar(c).toUpper().unicode()); m && QChar(c).isLower())
            return m->target; // a lower-case letter the page has only in upper case
        return '?';
    }

    std::vector<Mapping> m_exact;
    std::vector<Mapping> m_fit;
};

QString decodeWith(const char16_t (&high)[128], const char *data, qsizetype size)
{
    QString s(size, Qt::Uninitialized);
    QChar *out = s.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        out[i] = b < 0x80 ? QChar(b) : QChar(high[b - 0x80]);
    }
    return s;
}

const Encoder &cp866Encoder()
{
    static const Encoder e(kCp866High, kCp866BestFit);
    return e;
}

const Encoder &cp1251Encoder()
{
    static const Encoder e(kCp1251High, kCp1251BestFit);
    return e;
}

std::array<unsigned char, 256> makeCp866Upper()
{
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        t[size_t(b)] = static_cast<unsigned char>(b);
        const QChar c = Cp866::toUnicode(static_cast<unsigned char>(b));
        const QChar u = c.toUpper();
        if (u == c)
            continue;
        bool exact = false;
        const QByteArray e = Cp866::encode(QString(u), &exact);
        if (exact && e.size() == 1)
            t[size_t(b)] = static_cast<unsigned char>(e.at(0));
    }
    return t;
}

} // namespace

QChar Cp866::toUnicode(unsigned char byte)
{
    return byte < 0x80 ? QChar(byte) : QChar(kCp866High[byte - 0x80]);
}

QString Cp866::decode(const char *data, qsizetype size)
{
    return decodeWith(kCp866High, data, size);
}

QByteArray Cp866::encode(const QString &text, bool *exact)
{
    return cp866Encoder().encode(text, exact);
}

unsigned char Cp866::toUpper(unsigned char byte)
{
    static const std::array<unsigned char, 256> table = makeCp866Upper();
    return table[byte];
}

QString Cp1251::decode(const char *data, qsizetype size)
{
    return decodeWith(kCp1251High, data, size);
}

QByteArray Cp1251::encode(const QString &text, bool *exact)
{
    return cp1251Encoder().encode(text, exact);
}

} // namespace kvor
