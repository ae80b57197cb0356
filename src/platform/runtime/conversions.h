#pragma once

#include <QString>
#include <cstdint>

namespace platform {

// The original toolkit's numeric conversions. Integers are 16 bits (Integer) or 32 bits (Long);
// an overflow is a run-time failure, never a silent wrap.

// Rounds half to even, as the original's integer conversions do (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// CInt / CLng: rounds half to even; out of range (or not a number) is an Overflow failure.
std::int16_t toInteger(double value);
std::int32_t toLong(double value);

// Checks that a wider intermediate result fits an Integer; the arithmetic of 16-bit counters.
std::int16_t checkedInteger(std::int64_t value);

// Val: reads the leading number of a text and ignores the rest. Blanks, tabs and line feeds
// anywhere are skipped; "&H" and "&O" prefixes read hexadecimal and octal; no number gives 0.
double val(const QString& text);

// A numeric text to a number (CDbl of a String): blanks around it allowed, the whole text must
// be a number (sign, digits, decimal point, exponent, or &H/&O), else a TypeMismatch failure.
double toNumber(const QString& text);

// CInt of a String: toNumber, then toInteger.
std::int16_t textToInteger(const QString& text);

}  // namespace platform
