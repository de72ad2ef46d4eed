#include "rounding.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace kvor {

namespace {

constexpr int kMaxDecimals = 30;

// A decimal rounded to some places: |value| = units × 10^-decimals.
struct Rounded {
    bool negative = false;
    char units[360]; // digits without leading zeros
    int size = 0;    // 0 for zero
    int decimals = 0;
};

Rounded roundDecimal(double value, int decimals, bool shortest)
{
    Rounded out;
    out.decimals = decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals;
    const double magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(value))
        return out;

    // d[.ddd]e±x: the significant digits and the power of ten of the first one.
    char buf[64];
    const std::to_chars_result r =
        shortest ? std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific)
                 : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    char digits[32];
    int count = 0;
    const char *p = buf;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p != '.' && count < int(sizeof digits))
            digits[count++] = *p;
    }
    int exp10 = 0;
    if (p < r.ptr)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exp10);

    const int keep = exp10 + 1 + out.decimals; // digits down to the last place kept
    if (keep < 0)
        return out;
    char *u = out.units + 1; // one place in front for a carry
    int size = 0;
    if (keep < count) {
        const bool up = digits[keep] >= '5';
        std::memcpy(u, digits, size_t(keep));
        size = keep;
        if (up) {
            int k = size - 1;
            while (k >= 0 && u[k] == '9')
                u[k--] = '0';
            if (k >= 0) {
                ++u[k];
            } else {
                --u;
                u[0] = '1';
                ++size;
            }
        }
    } else {
        std::memcpy(u, digits, size_t(count));
        std::memset(u + count, '0', size_t(keep - count));
        size = keep;
    }
    int lead = 0;
    while (lead < size && u[lead] == '0')
        ++lead;
    out.size = size - lead;
    std::memmove(out.units, u + lead, size_t(out.size));
    out.negative = out.size > 0 && value < 0;
    return out;
}

// "-123.45": sign, integer digits (at least one), '.', the decimals.
int plainText(const Rounded &r, char *text)
{
    int n = 0;
    if (r.negative)
        text[n++] = '-';
    const int integerDigits = r.size - r.decimals;
    if (integerDigits > 0) {
        std::memcpy(text + n, r.units, size_t(integerDigits));
        n += integerDigits;
    } else {
        text[n++] = '0';
    }
    if (r.decimals > 0) {
        text[n++] = '.';
        for (int i = r.size - r.decimals; i < r.size; ++i)
            text[n++] = i < 0 ? '0' : r.units[i];
    }
    return n;
}

constexpr int kTextSize = 400;

double parse(const char *text, int size)
{
    double v = 0;
    std::from_chars(text, text + size, v);
    return v == 0 ? 0.0 : v; // no negative zero
}

} // namespace

double Rounding::halfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor; // exact
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double Rounding::halfAway(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    char text[kTextSize];
    return parse(text, plainText(roundDecimal(value, decimals, false), text));
}

double Rounding::toFourDecimals(double value)
{
    if (!std::isfinite(value))
        return value;
    return halfEven(value * 10000.0) / 10000.0;
}

double Rounding::hold(double value)
{
    return halfAway(value, 2);
}

double Rounding::asStored(double value, int decimals)
{
    if (decimals < 0 || !std::isfinite(value))
        return value;
    char text[kTextSize];
    return parse(text, plainText(roundDecimal(value, decimals, true), text));
}

QString Rounding::fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    char text[kTextSize];
    return QString::fromLatin1(text, plainText(roundDecimal(value, decimals, false), text));
}

QString Rounding::upTo(double value, int maxDecimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    char text[kTextSize];
    int n = plainText(roundDecimal(value, maxDecimals, false), text);
    if (std::memchr(text, '.', size_t(n))) {
        while (text[n - 1] == '0')
            --n;
        if (text[n - 1] == '.')
            --n;
    }
    return QString::fromLatin1(text, n);
}

QString Rounding::grouped(double value, int decimals, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const Rounded r = roundDecimal(value, decimals, false);
    char plain[kTextSize];
    const int n = plainText(r, plain);
    const char *digits = plain + (r.negative ? 1 : 0);
    const int integerDigits = int(plain + n - digits) - (r.decimals > 0 ? r.decimals + 1 : 0);
    QString text;
    if (r.negative)
        text += locale.negativeSign();
    for (int i = 0; i < integerDigits; ++i) {
        if (i > 0 && (integerDigits - i) % 3 == 0)
            text += locale.groupSeparator();
        text += QLatin1Char(digits[i]);
    }
    if (r.decimals > 0)
        text += locale.decimalPoint() + QString::fromLatin1(digits + integerDigits + 1, r.decimals);
    return text;
}

} // namespace kvor
