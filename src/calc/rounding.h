#pragma once

#include <QLocale>
#include <QString>

namespace kvor {

// The roundings and number texts of the heat balance, in one place.
//
// Decimal roundings work on the value's 15-significant-digit decimal form and
// take halves away from zero there, so a computed half that binary noise put a
// hair below (0.145 held as 0.14499999999999999) still rounds up, as a reader of
// the printed figures expects. All texts use '.' whatever the process locale.
class Rounding {
public:
    // Whole number, halves to the even neighbour, on the exact binary value.
    static double halfEven(double value);

    // To `decimals` places, halves away from zero.
    static double halfAway(double value, int decimals);

    // Fixed point with four decimals, halves to even (the air density).
    static double toFourDecimals(double value);

    // What a result field keeps: the value as its two-decimal text ("0.##")
    // parsed back, so every later reader sees the same 0.01 kW the user sees.
    static double hold(double value);

    // The value as a numeric field with `decimals` decimals stores it: the
    // shortest text that reads back as the same double, rounded half away from
    // zero. A negative `decimals` keeps the value unchanged.
    static double asStored(double value, int decimals);

    // "###0.00" (decimals 2), "###0" / "##0" (decimals 0): no grouping, at
    // least one integer digit, no minus sign on a value that rounds to zero.
    static QString fixed(double value, int decimals);

    // "0.##": up to `maxDecimals` decimals, trailing zeros dropped.
    static QString upTo(double value, int maxDecimals);

    // ",0.00": thousands grouped and the separators of `locale`.
    static QString grouped(double value, int decimals, const QLocale &locale);
};

} // namespace kvor
