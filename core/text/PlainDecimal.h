#pragma once
// The value of a plain decimal: at most 15 digits, read as one integer,
// divided by an exact power of ten. Both are exact doubles, so the one
// division is correctly rounded: the value strtod gives, without its cost.

#include <cstdint>

inline constexpr int kPlainDecimalDigits = 15;

// `mantissa` holds at most kPlainDecimalDigits digits, `fractionDigits` of
// them after the point.
inline double plainDecimalValue(std::uint64_t mantissa, long fractionDigits, bool negative) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return negative ? -value : value;
}
