#pragma once

#include <QByteArray>

namespace kvor {

// Numeric text as dBase stores it: optional leading blanks, sign, digits and
// one decimal point. Trailing blanks must already be gone. An empty text is 0.
bool parseDbfNumber(const char *text, int size, double *value);

// The value right-justified in `length` characters with exactly `decimals`
// decimals, rounded half away from zero on its shortest decimal form (so 1.005
// stores as 1.01, as the user typed it). The result may be longer than `length`;
// the caller decides what to do then.
QByteArray formatDbfNumber(double value, int length, int decimals);

// Halves to even, as integer fields read.
double roundHalfEven(double value);

} // namespace kvor
