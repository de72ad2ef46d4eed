#include "dbfnumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kvor {

bool parseDbfNumber(const char *text, int size, double *value)
{
    int i = 0;
    while (i < size && text[i] == ' ')
        ++i;
    if (i == size) {
        *value = 0;
        return true;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    const int start = i;
    int digits = 0;
    bool point = false;
    for (; i < size; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    if (digits == 0)
        return false;
    double v = 0;
    const auto r = std::from_chars(text + start, text + size, v, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != text + size) {
        if (r.ec != std::errc::result_out_of_range)
            return false;
        v = HUGE_VAL; // more digits than a double holds
    }
    *value = negative ? -v : v;
    return true;
}

double roundHalfEven(double value)
{
    const double r = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return r;
}

QByteArray formatDbfNumber(double value, int length, int decimals)
{
    if (!std::isfinite(value))
        return QByteArray(length + 1, '*');
    // The shortest text that reads back as the same double, in plain notation.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    QByteArray digits(buf, int(r.ptr - buf));
    qsizetype dot = digits.indexOf('.');
    QByteArray intPart = dot < 0 ? digits : digits.left(dot);
    QByteArray frac = dot < 0 ? QByteArray() : digits.mid(dot + 1);

    if (frac.size() > decimals) {
        const bool up = frac.at(decimals) >= '5'; // half away from zero on the magnitude
        frac.truncate(decimals);
        if (up) {
            QByteArray all = intPart + frac;
            qsizetype k = all.size() - 1;
            while (k >= 0 && all[k] == '9') {
                all[k] = '0';
                --k;
            }
            if (k < 0)
                all.prepend('1');
            else
                all[k] = char(all[k] + 1);
            intPart = all.left(all.size() - decimals);
            frac = all.right(decimals);
        }
    }
    while (frac.size() < decimals)
        frac.append('0');
    if (intPart.isEmpty())
        intPart = "0";

    bool zero = true;
    for (char c : intPart + frac)
        zero = zero && c == '0';
    QByteArray text;
    if (value < 0 && !zero)
        text.append('-');
    text.append(intPart);
    if (decimals > 0) {
        text.append('.');
        text.append(frac);
    }
    if (text.size() < length)
        text.prepend(QByteArray(length - text.size(), ' '));
    return text;
}

} // namespace kvor
