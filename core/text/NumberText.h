#pragma once
// Number texts and numbers, the one place where doubles meet text.
//
// Every caption, scale label and data field goes through these functions, so
// they are locale independent: "." is always the decimal point, whatever the
// process locale says.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The decimal text of v: 15 significant digits as C's "%.15G" writes them,
// trailing zeros and a trailing point dropped, exponent form ("1E+15",
// "1E-05") only where %G chooses it. Negative zero is written "0".
std::string decimalText(double v);

// The value's plain positional decimal text: the decimal text of v with any
// exponent written out ("1E+15" becomes "1000000000000000", "1E-05"
// becomes "0.00001").
std::string positionalText(double v);

// Rounds v to `decimals` places (0 and 2 are used: R0, R2) by rounding the
// value's 15-significant-digit decimal text, halves to even. So
// -0.17499999999999993, whose text is -0.175, rounds to -0.18 at 2 places.
double roundDecimalText(double v, int decimals);

// The value of a data field when it is numeric, nothing otherwise. A field is
// numeric when, with blank, tab, CR and LF around it ignored, it is ASCII
// [+-]?(digits[.[digits]] | .digits)([eE][+-]?digits)? and its value is finite.
// A value too small for a double reads as 0.
std::optional<double> numericValue(std::string_view field);
inline bool isNumeric(std::string_view field) {
    return numericValue(field).has_value();
}

// The number at the start of a text, as the settings fields read it: leading
// blanks and tabs skipped, then an optional sign, digits, one decimal point and
// an optional exponent; the first other character ends it. A text that does
// not start with a number reads 0. Overflow gives an infinite value, which
// callers must refuse.
double leadingValue(std::string_view text);

// The nearest int, halves to even. Nothing when out of range or not finite.
std::optional<int> toInt(double v);

// A whole text converted to an int: it must be numeric (numericValue), then
// it is rounded as above.
std::optional<int> textToInt(std::string_view text);
