// Number reading and number texts against C's own reading and writing.
//
// Input: a mode byte, then either a text (even mode: read as a data field
// and as a settings field, and every value read goes through the text
// checks) or the eight bytes of a double (odd mode: the text checks alone,
// for values no short text reaches).
//
// The C library is used in its "C" locale (the fuzzer never sets another),
// so strtod and "%.15G" use "." as decimal point, as the rules do.

#include "FuzzSupport.h"
#include "text/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string valueText(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// The length of the longest prefix of `text` that is a number by the
// grammar [+-]?(digits[.[digits]] | .digits)([eE][+-]?digits)?, 0 when none.
std::size_t numberPrefix(std::string_view text) {
    std::size_t p = 0;
    const auto digitsAt = [&](std::size_t at) {
        std::size_t n = 0;
        while (at + n < text.size() && isDigit(text[at + n]))
            ++n;
        return n;
    };
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        ++p;
    const std::size_t integerDigits = digitsAt(p);
    p += integerDigits;
    std::size_t fractionDigits = 0;
    if (p < text.size() && text[p] == '.') {
        fractionDigits = digitsAt(p + 1);
        if (fractionDigits > 0 || integerDigits > 0)
            p += 1 + fractionDigits;
    }
    if (integerDigits == 0 && fractionDigits == 0)
        return 0;
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < text.size() && (text[q] == '+' || text[q] == '-'))
            ++q;
        if (const std::size_t exponentDigits = digitsAt(q); exponentDigits > 0)
            p = q + exponentDigits;
    }
    return p;
}

double cRead(std::string_view number) {
    return std::strtod(std::string(number).c_str(), nullptr);
}

// A data field: numeric when the text between blank, tab, CR and LF is the
// whole grammar and its value is finite.
std::optional<double> plainNumericValue(std::string_view field) {
    const auto first = field.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    field = field.substr(first, field.find_last_not_of(" \t\r\n") + 1 - first);
    if (numberPrefix(field) != field.size())
        return std::nullopt;
    const double value = cRead(field);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// A settings field: blanks and tabs skipped, then the longest number; 0 when none.
double plainLeadingValue(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return 0;
    text.remove_prefix(first);
    const std::size_t length = numberPrefix(text);
    return length == 0 ? 0.0 : cRead(text.substr(0, length));
}

// "%.15G" with negative zero written "0".
std::string cDecimalText(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", v);
    return v == 0 ? "0" : text;
}

// v's 15-significant-digit text rounded at `decimals` places, halves to
// even, done on the digits and the exponent of C's "%.14e".
double plainRounded(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(v));
    std::string digits;
    const char* e = std::strchr(text, 'e');
    for (const char* c = text; c < e; ++c)
        if (isDigit(*c))
            digits += *c;
    const int exponent = std::atoi(e + 1);
    // digits[i] stands for 10^(exponent - i); keep those down to 10^-decimals.
    const int keep = exponent + decimals + 1;
    if (keep >= static_cast<int>(digits.size()))
        return std::copysign(std::strtod(text, nullptr), v);
    if (keep < 0)
        return 0;
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    const std::string dropped = digits.substr(static_cast<std::size_t>(keep));
    const bool aboveHalf =
        dropped[0] > '5' || (dropped[0] == '5' && dropped.find_first_not_of('0', 1) != std::string::npos);
    const bool half = dropped[0] == '5' && !aboveHalf;
    const bool odd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    std::string units = "0" + kept;
    if (aboveHalf || (half && odd)) {
        std::size_t i = units.size() - 1;
        while (units[i] == '9')
            units[i--] = '0';
        ++units[i];
    }
    const double value = std::strtod((units + "e-" + std::to_string(decimals)).c_str(), nullptr);
    return std::copysign(value, v);
}

void checkIntegers(double v) {
    // Rounded halves to even; nothing when the rounded value does not fit an int.
    const auto converted = toInt(v);
    const double nearest = std::isfinite(v) ? std::nearbyint(v) : v;
    constexpr double kLow = std::numeric_limits<int>::min(), kHigh = std::numeric_limits<int>::max();
    const bool fits = std::isfinite(v) && nearest >= kLow && nearest <= kHigh;
    FUZZ_EXPECT(converted.has_value() == fits, "toInt of " + valueText(v));
    if (!converted)
        return;
    const double got = static_cast<double>(*converted);
    const double distance = std::fabs(got - v);
    FUZZ_EXPECT(distance < 0.5 || (distance == 0.5 && std::fmod(got, 2) == 0),
                "toInt of " + valueText(v) + " gave " + valueText(got));
}

void checkTexts(double v) {
    const std::string text = decimalText(v);
    if (!std::isfinite(v))
        return;
    // At the very top of the range "%.15G" rounds up past the largest double;
    // there only the reading back below holds.
    if (const std::string cText = cDecimalText(v); std::isfinite(cRead(cText)))
        FUZZ_EXPECT(text == cText, valueText(v) + " gave " + text + ", %.15G gives " + cText);

    // The text reads back as a value with the same text.
    const auto readBack = numericValue(text);
    FUZZ_EXPECT(readBack.has_value(), "the text " + text + " of " + valueText(v) + " does not read back");
    FUZZ_EXPECT(decimalText(*readBack) == text,
                "the text " + text + " of " + valueText(v) + " reads back as " + decimalText(*readBack));

    const std::string positional = positionalText(v);
    FUZZ_EXPECT(numberPrefix(positional) == positional.size() &&
                    positional.find_first_of("eE") == std::string::npos,
                "positional text " + positional + " of " + valueText(v));
    FUZZ_EXPECT(cRead(positional) == cRead(text), "positional text " + positional + " of " + text);

    for (const int decimals : {0, 2}) {
        const double rounded = roundDecimalText(v, decimals);
        const std::string what =
            valueText(v) + " at " + std::to_string(decimals) + " places gave " + valueText(rounded);
        FUZZ_EXPECT(std::isfinite(rounded), what);
        const double bound = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + 1e-14 * std::fabs(v);
        FUZZ_EXPECT(std::fabs(rounded - v) <= bound, what);
        FUZZ_EXPECT(roundDecimalText(rounded, decimals) == rounded,
                    what + ", which rounds again differently");
        FUZZ_EXPECT(roundDecimalText(-v, decimals) == -rounded,
                    what + ", but its negative does not mirror it");
        if (const double want = plainRounded(v, decimals); std::isfinite(want))
            FUZZ_EXPECT(rounded == want, what + ", the rounded text reads " + valueText(want));
    }
    checkIntegers(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    if (data[0] % 2 == 1) {
        double v = 0;
        std::memcpy(&v, data + 1, std::min<std::size_t>(size - 1, sizeof v));
        checkTexts(v);
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto value = numericValue(text);
    const auto want = plainNumericValue(text);
    FUZZ_EXPECT(value.has_value() == want.has_value(), "numeric test of " + fuzzing::shown(text));
    if (value) {
        // A value too small for a double reads as 0, of either sign.
        FUZZ_EXPECT(*value == *want,
                    fuzzing::shown(text) + " read " + valueText(*value) + ", want " + valueText(*want));
        checkTexts(*value);
    }

    const double leading = leadingValue(text);
    const double wantLeading = plainLeadingValue(text);
    FUZZ_EXPECT(leading == wantLeading, "leading value of " + fuzzing::shown(text) + " read " +
                                            valueText(leading) + ", want " + valueText(wantLeading));
    if (std::isfinite(leading))
        checkTexts(leading);
    return 0;
}
