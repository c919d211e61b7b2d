#pragma once

#include "integer.h"

#include <QStringView>

#include <optional>

namespace calcaro {

// Reads a typed text as a number: blanks, tabs and line feeds are dropped wherever they stand,
// then the longest leading number is read (sign, digits with at most one period, an exponent
// E or D); "&H" and "&O" start hexadecimal and octal whole numbers. A text with no number at
// its start reads 0. Never fails: a value too large for a double reads as an infinity.
double readNumber(QStringView text);

// Rounds to the nearest integer, halfway cases to the even one; nothing when the result does
// not fit an Integer (or the value is not finite).
std::optional<Integer> roundToInteger(double value);

} // namespace calcaro
