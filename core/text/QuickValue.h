#pragma once
// A data line's field and its value read in one pass over the line's bytes,
// for the plain case that nearly every line of a data file is: a field of
// digits with an optional sign and point, at a delimiter. Anything else is
// left to the general reading (extractField, then numericValue), which gives
// the same field and value wherever this one gives any.

#include "text/FieldExtraction.h"
#include "text/PlainDecimal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A plain field and its digits. Its value is taken apart from reading it:
// a division waits long for its result, and the lines of a block are read
// faster when their divisions are left to a loop of their own.
struct QuickValue {
    std::string_view field; // the field's text
    std::uint64_t mantissa = 0;
    long fractionDigits = 0;
    bool negative = false;
    double value() const { return plainDecimalValue(mantissa, fractionDigits, negative); }
};

namespace quickvalue {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

// The first delimiter in [p, end), or end.
inline const char* findDelimiter(const char* p, const char* end, char delimiter) {
#if defined(__SSE2__)
    const __m128i at = _mm_set1_epi8(delimiter);
    for (; p < end; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, at)); mask != 0)
            return std::min(p + std::countr_zero(static_cast<unsigned>(mask)), end);
    }
    return end;
#else
    while (p < end && *p != delimiter)
        ++p;
    return p;
#endif
}

// Eight bytes from p, the first in the lowest byte, each XORed with '0' so
// that the digits become 0 to 9.
inline std::uint64_t digitBytes(const char* p) {
    std::uint64_t bytes;
    std::memcpy(&bytes, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        bytes = __builtin_bswap64(bytes);
    return bytes ^ (kOnes * '0');
}

// The value of the first n (1 to 8) digits, without a branch per digit:
// they are moved to the top so that the bytes after them fall away, and
// the eight then combined in three steps.
inline std::uint64_t digitsValue(std::uint64_t x, unsigned n) {
    x <<= 8 * (8 - n);
    x = x * 10 + (x >> 8);
    x = (((x & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
         (((x >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
        32;
    return x & 0xFFFFFFFFULL;
}

inline constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// The plain number's digits at p (after any sign), a byte at a time: its
// end, or nullptr when it is not plain.
inline const char* slowDigits(const char* p, const char* end, std::uint64_t& mantissa, long& digits,
                              long& fractionDigits) {
    const char* const start = p;
    mantissa = 0; // wraps harmlessly on a run too long to count
    for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    fractionDigits = 0;
    if (p < end && *p == '.') {
        const char* const fractionStart = ++p;
        for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        fractionDigits = p - fractionStart;
        if (fractionDigits == 0)
            return nullptr;
    }
    digits = p - start - (fractionDigits > 0 ? 1 : 0);
    return p;
}

// The number at p, up to eight digits before and after the point within
// its first 16 bytes, read from one load of them: the digits and the point
// found as bit masks, the digits' values eight at a time. Its end, or
// nullptr when it is not plain or needs slowDigits.
inline const char* quickDigits(const char* p, const char* end, std::uint64_t& mantissa, long& digits,
                               long& fractionDigits) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i shifted = _mm_xor_si128(bytes, _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(shifted, _mm_set1_epi8(9)), shifted);
    const unsigned room = static_cast<unsigned>(std::min<long>(end - p, 16));
    // Bits from `room` up are no digits: past the line, or past the 16.
    const unsigned notDigit = ~(static_cast<unsigned>(_mm_movemask_epi8(digit)) & ((1u << room) - 1));
    const unsigned points =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))));
    const unsigned integer = static_cast<unsigned>(std::countr_zero(notDigit));
    const bool point = integer < room && ((points >> integer) & 1) != 0;
    const unsigned stop =
        point ? integer + 1 + static_cast<unsigned>(std::countr_zero(notDigit >> (integer + 1))) : integer;
    const unsigned fraction = point ? stop - integer - 1 : 0;
    if (stop >= 16 || integer > 8 || fraction > 8 || (point && fraction == 0))
        return nullptr;
    digits = integer + fraction;
    if (stop <= 8) {
        // Within eight bytes the point is taken out and the digits read in one.
        const std::uint64_t low = digitBytes(p);
        const std::uint64_t integerBytes = integer == 0 ? 0 : ~std::uint64_t{0} >> (64 - 8 * integer);
        const std::uint64_t joined = point ? (low & integerBytes) | ((low >> 8) & ~integerBytes) : low;
        mantissa = digits > 0 ? digitsValue(joined, static_cast<unsigned>(digits)) : 0;
    } else {
        const std::uint64_t integerValue = integer > 0 ? digitsValue(digitBytes(p), integer) : 0;
        const std::uint64_t fractionValue =
            fraction > 0 ? digitsValue(digitBytes(p + integer + 1), fraction) : 0;
        mantissa = integerValue * kPowers[fraction] + fractionValue;
    }
    fractionDigits = fraction;
    return p + stop;
#else
    return nullptr;
#endif
}

} // namespace quickvalue

// Field `column` of the line [line, lineEnd) (without its line end, with
// kLineEndSearchSlack readable bytes after it), split at `delimiter`, a run
// of them counting as one when `skipRuns`. True when it is the plain case: no
// field up to it opens with a quote, and the field is [+-]?digits[.digits]
// or [+-]?.digits with 1 to kPlainDecimalDigits digits. False otherwise,
// with `out` undefined. Inline: it runs once a line.
inline bool readQuickValue(const char* line, const char* end, int column, char delimiter, bool skipRuns,
                           QuickValue& out) {
    using namespace quickvalue;
    if (column < 1 || column > kMaxFields)
        return false;
    const char* p = line;
    for (int field = 1; field < column; ++field) {
        if (skipRuns)
            while (p < end && *p == delimiter)
                ++p;
        if (p < end && *p == '"')
            return false;
        p = findDelimiter(p, end, delimiter);
        if (p == end)
            return false;
        ++p;
    }
    if (skipRuns)
        while (p < end && *p == delimiter)
            ++p;
    const char* const fieldBegin = p;
    if (p == end)
        return false;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;

    std::uint64_t mantissa = 0;
    long digits = 0;
    long fractionDigits = 0;
    const char* q = quickDigits(p, end, mantissa, digits, fractionDigits);
    if (!q && !(q = slowDigits(p, end, mantissa, digits, fractionDigits)))
        return false;
    if (digits == 0 || digits > kPlainDecimalDigits || (q != end && *q != delimiter))
        return false;
    out.field = std::string_view(fieldBegin, static_cast<std::size_t>(q - fieldBegin));
    out.mantissa = mantissa;
    out.fractionDigits = fractionDigits;
    out.negative = negative;
    return true;
}
