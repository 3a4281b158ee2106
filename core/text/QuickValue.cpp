#include "text/QuickValue.h"

#include "text/FieldExtraction.h"
#include "text/PlainDecimal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

// The first delimiter in [p, end), or end.
const char* findDelimiter(const char* p, const char* end, char delimiter) {
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
// that the digits become 0 to 9 and every other byte 10 or more.
std::uint64_t digitBytes(const char* p) {
    std::uint64_t bytes;
    std::memcpy(&bytes, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        bytes = __builtin_bswap64(bytes);
    return bytes ^ (kOnes * '0');
}

// How many of the bytes lead with a digit, 0 to 8. A byte of 10 or more
// gets its high bit from the addition (or has it already); the carry of one
// above 0x89 may flag the bytes after it, which are never looked at.
unsigned leadingDigits(std::uint64_t x) {
    const std::uint64_t flags = ((x + kOnes * 0x76) | x) & (kOnes * 0x80);
    return flags == 0 ? 8 : static_cast<unsigned>(std::countr_zero(flags)) / 8;
}

// The value of the first n (1 to 7) digits, without a branch per digit:
// they are moved to the top so that the bytes after them fall away, and
// the eight then combined in three steps.
std::uint64_t digitsValue(std::uint64_t x, unsigned n) {
    x <<= 8 * (8 - n);
    x = x * 10 + (x >> 8);
    x = (((x & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
         (((x >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
        32;
    return x & 0xFFFFFFFFULL;
}

constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The digits of the plain number at p (after any sign), a byte at a time,
// for runs of eight digits or more: its end and the number of digits, or
// nullptr when it is not plain.
const char* slowDigits(const char* p, const char* end, std::uint64_t& mantissa, long& digits,
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

} // namespace

bool readQuickValue(const char* line, const char* end, int column, char delimiter, bool skipRuns,
                    QuickValue& out) {
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

    // Up to seven digits before and after the point are read eight bytes at
    // a time; bytes past the line's end are no part of it.
    const auto room = [end](const char* at) { return static_cast<unsigned>(std::min<long>(end - at, 8)); };
    std::uint64_t mantissa = 0;
    long digits = 0;
    long fractionDigits = 0;
    const std::uint64_t integerBytes = digitBytes(p);
    const unsigned integerDigits = std::min(leadingDigits(integerBytes), room(p));
    const char* q = p + integerDigits;
    const bool point = q < end && *q == '.';
    const std::uint64_t fractionBytes = digitBytes(q + 1);
    const unsigned fraction = point ? std::min(leadingDigits(fractionBytes), room(q + 1)) : 0;
    if (integerDigits < 8 && fraction < 8) {
        if (point && fraction == 0)
            return false; // "5." is numeric, but for the general reading
        mantissa = integerDigits > 0 ? digitsValue(integerBytes, integerDigits) : 0;
        if (fraction > 0)
            mantissa = mantissa * kPowers[fraction] + digitsValue(fractionBytes, fraction);
        q += point ? 1 + fraction : 0;
        digits = integerDigits + fraction;
        fractionDigits = fraction;
    } else if (q = slowDigits(p, end, mantissa, digits, fractionDigits); !q) {
        return false;
    }
    if (digits == 0 || digits > kPlainDecimalDigits || (q != end && *q != delimiter))
        return false;
    out.field = std::string_view(fieldBegin, static_cast<std::size_t>(q - fieldBegin));
    out.value = plainDecimalValue(mantissa, fractionDigits, negative);
    return true;
}
