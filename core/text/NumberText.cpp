#include "text/NumberText.h"

#include "text/PlainDecimal.h"
#include "text/QuickValue.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isFieldBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The powers of ten that are exact doubles.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A parsed decimal number: the text from_chars can read (no leading '+') and
// enough about its digits to tell overflow from underflow.
struct DecimalParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    std::int64_t exponent = 0; // saturated, so absurd exponents stay comparable
    // The digits as an integer, from the first non-zero one, while there are
    // at most 15 of them (exact in a double); `significant` counts them all.
    std::uint64_t mantissa = 0;
    int significant = 0;
};

// The decimal exponent of the first significant digit, or nothing when every
// digit is zero.
std::optional<std::int64_t> leadingExponent(const DecimalParts& parts) {
    const auto firstNonZero = parts.integerDigits.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return static_cast<std::int64_t>(parts.integerDigits.size() - firstNonZero) - 1 + parts.exponent;
    const auto fracNonZero = parts.fractionDigits.find_first_not_of('0');
    if (fracNonZero != std::string_view::npos)
        return -static_cast<std::int64_t>(fracNonZero) - 1 + parts.exponent;
    return std::nullopt;
}

// The exact value of a decimal with at most 15 significant digits and a
// small power of ten: one multiplication or division of two exact doubles is
// correctly rounded, so no general conversion is needed. This is the common
// case of every data field, read once per line.
std::optional<double> convertShort(const DecimalParts& parts) {
    if (parts.significant > 15)
        return std::nullopt;
    const std::int64_t exponent = parts.exponent - static_cast<std::int64_t>(parts.fractionDigits.size());
    if (exponent < -22 || exponent > 22)
        return std::nullopt;
    double value = static_cast<double>(parts.mantissa);
    value = exponent < 0 ? value / kPowersOfTen[-exponent] : value * kPowersOfTen[exponent];
    return parts.negative ? -value : value;
}

// Reads the value of a text that has already been checked against the number
// grammar. `unsignedText` is the text without its sign.
std::optional<double> convert(std::string_view unsignedText, const DecimalParts& parts) {
    if (const auto value = convertShort(parts))
        return value;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const auto lead = leadingExponent(parts);
        if (lead && *lead < 0)
            return 0.0; // underflow: a value too small for a double is 0
        return std::nullopt;
    }
    if (ec != std::errc() || end != unsignedText.data() + unsignedText.size() || !std::isfinite(value))
        return std::nullopt;
    return parts.negative ? -value : value;
}

// Scans digits from `pos`; returns the digit run.
std::string_view digitRun(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isAsciiDigit(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

// Scans the digits of a mantissa from `pos`, adding them to the parts'
// integer value.
std::string_view mantissaDigits(std::string_view text, std::size_t& pos, DecimalParts& parts) {
    const std::size_t start = pos;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos) {
        const auto digit = static_cast<std::uint64_t>(text[pos] - '0');
        if (parts.significant == 0 && digit == 0)
            continue;
        if (++parts.significant <= 15)
            parts.mantissa = parts.mantissa * 10 + digit;
    }
    return text.substr(start, pos - start);
}

// Scans an exponent "[eE][+-]?digits" at `pos`. On success moves `pos` past it
// and stores the saturated value; otherwise leaves `pos` alone.
bool scanExponent(std::string_view text, std::size_t& pos, std::int64_t& exponent) {
    std::size_t p = pos;
    if (p >= text.size() || (text[p] != 'e' && text[p] != 'E'))
        return false;
    ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        negative = text[p++] == '-';
    const std::string_view digits = digitRun(text, p);
    if (digits.empty())
        return false;
    std::int64_t value = 0;
    for (char c : digits)
        value = std::min<std::int64_t>(value * 10 + (c - '0'), 1'000'000'000);
    exponent = negative ? -value : value;
    pos = p;
    return true;
}

} // namespace

namespace {

bool readsBackFinite(const char* first, const char* last) {
    double value = 0;
    return std::from_chars(first, last, value).ec != std::errc::result_out_of_range;
}

// The 15-significant-digit scientific text of a finite, non-zero v
// ("-d.ddddddddddddddde+XXX"), rounded to nearest. Only at the very top of the
// double range does that rounding pass the largest double; there the digits
// are cut instead, so that every such text reads back as a finite value.
std::string scientificText(double v) {
    std::array<char, 64> buffer{};
    char* end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::scientific, 14).ptr;
    if (readsBackFinite(buffer.data(), end))
        return std::string(buffer.data(), end);
    end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::scientific, 16).ptr;
    std::string text(buffer.data(), end);
    text.erase(text.find('e') - 2, 2); // 17 digits cut to 15
    return text;
}

} // namespace

std::string decimalText(double v) {
    if (v == 0)
        return "0"; // also negative zero
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "Infinity" : "-Infinity";
    std::array<char, 64> buffer{};
    char* end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, std::chars_format::general, 15).ptr;
    std::string text(buffer.data(), end);
    if (!readsBackFinite(buffer.data(), end)) {
        // Beyond the largest double once rounded: the cut digits, written as
        // %G writes an exponent form.
        text = scientificText(v);
        const auto e = text.find('e');
        auto last = text.find_last_not_of('0', e - 1);
        if (text[last] == '.')
            --last;
        text.erase(last + 1, e - last - 1);
    }
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::string positionalText(double v) {
    const std::string text = decimalText(v);
    const auto e = text.find('E');
    if (e == std::string::npos)
        return text;
    const bool negative = text[0] == '-';
    std::string digits;
    std::size_t point = std::string::npos;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] == '.')
            point = digits.size();
        else
            digits += text[i];
    }
    if (point == std::string::npos)
        point = digits.size();
    int exponent = 0;
    const char* first = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
    std::from_chars(first, text.data() + text.size(), exponent);
    // The point moves `exponent` places; digits are padded with zeros as needed.
    const long long newPoint = static_cast<long long>(point) + exponent;
    std::string result = negative ? "-" : "";
    if (newPoint <= 0) {
        result += "0." + std::string(static_cast<std::size_t>(-newPoint), '0') + digits;
    } else if (newPoint >= static_cast<long long>(digits.size())) {
        result += digits + std::string(static_cast<std::size_t>(newPoint) - digits.size(), '0');
    } else {
        result += digits.substr(0, static_cast<std::size_t>(newPoint)) + "." +
                  digits.substr(static_cast<std::size_t>(newPoint));
    }
    return result;
}

double roundDecimalText(double v, int decimals) {
    if (!std::isfinite(v) || v == 0)
        return v == 0 ? 0.0 : v;
    // 15 significant digits: d.dddddddddddddde+XX
    const std::string scientific = scientificText(v);
    std::string_view text = scientific;
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const auto ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (isAsciiDigit(c))
            digits += c;
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);

    // Digit i carries the place value 10^(exponent - i); keep those down to 10^-decimals.
    const int keep = exponent + decimals + 1;
    if (keep >= static_cast<int>(digits.size())) {
        double exact = 0;
        std::from_chars(scientific.data(), scientific.data() + scientific.size(), exact);
        return exact;
    }
    if (keep < 0)
        return 0.0;
    const std::string_view rest = std::string_view(digits).substr(static_cast<std::size_t>(keep));
    const bool restBeyondHalf = rest.substr(1).find_first_not_of('0') != std::string_view::npos;
    const bool lastKeptOdd = keep > 0 && (digits[static_cast<std::size_t>(keep) - 1] - '0') % 2 == 1;
    const bool roundUp = rest[0] > '5' || (rest[0] == '5' && (restBeyondHalf || lastKeptOdd));

    // Kept digits as an integer count of 10^-decimals units (at most 15 digits,
    // exact in a double), then scaled by the exact decimal text.
    std::string units = digits.substr(0, static_cast<std::size_t>(keep));
    if (units.empty())
        units = "0";
    if (roundUp) {
        int i = static_cast<int>(units.size()) - 1;
        while (i >= 0 && units[static_cast<std::size_t>(i)] == '9')
            units[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            units.insert(units.begin(), '1');
        else
            ++units[static_cast<std::size_t>(i)];
    }
    if (units.find_first_not_of('0') == std::string::npos)
        return 0.0;
    const std::string rounded = units + "e-" + std::to_string(decimals);
    double value = 0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), value);
    return negative ? -value : value;
}

namespace {

// The common field: [+-]digits[.digits] with at most 15 digits in all, read
// as the replay's quick reading reads it. False when the text needs the
// general reading (which also decides whether it is a number at all).
bool readPlainDecimal(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    std::uint64_t mantissa = 0;
    long digits = 0;
    long fractionDigits = 0;
    p = quickvalue::slowDigits(p, end, mantissa, digits, fractionDigits);
    if (!p || p != end || digits == 0 || digits > kPlainDecimalDigits)
        return false;
    value = plainDecimalValue(mantissa, fractionDigits, negative);
    return true;
}

} // namespace

std::optional<double> numericValue(std::string_view field) {
    while (!field.empty() && isFieldBlank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && isFieldBlank(field.back()))
        field.remove_suffix(1);
    if (field.empty())
        return std::nullopt;
    if (double value; readPlainDecimal(field, value))
        return value;

    DecimalParts parts;
    std::size_t pos = 0;
    if (field[pos] == '+' || field[pos] == '-')
        parts.negative = field[pos++] == '-';
    const std::size_t unsignedStart = pos;
    parts.integerDigits = mantissaDigits(field, pos, parts);
    if (pos < field.size() && field[pos] == '.') {
        ++pos;
        parts.fractionDigits = mantissaDigits(field, pos, parts);
        if (parts.fractionDigits.empty() && parts.integerDigits.empty())
            return std::nullopt; // "." alone is no number; "5." is
    } else if (parts.integerDigits.empty()) {
        return std::nullopt;
    }
    scanExponent(field, pos, parts.exponent);
    if (pos != field.size())
        return std::nullopt;
    return convert(field.substr(unsignedStart), parts);
}

double leadingValue(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    DecimalParts parts;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        parts.negative = text[pos++] == '-';
    const std::size_t unsignedStart = pos;
    parts.integerDigits = mantissaDigits(text, pos, parts);
    if (pos < text.size() && text[pos] == '.') {
        std::size_t afterPoint = pos + 1;
        DecimalParts withFraction = parts;
        withFraction.fractionDigits = mantissaDigits(text, afterPoint, withFraction);
        if (!parts.integerDigits.empty() || !withFraction.fractionDigits.empty()) {
            parts = withFraction;
            pos = afterPoint;
        }
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty())
        return 0.0;
    scanExponent(text, pos, parts.exponent);
    // from_chars does not take "5." with nothing after the point; drop the point.
    std::string number(text.substr(unsignedStart, pos - unsignedStart));
    if (const auto point = number.find('.');
        point != std::string::npos && (point + 1 == number.size() || !isAsciiDigit(number[point + 1])))
        number.erase(point, 1);
    if (const auto value = convert(number, parts))
        return *value;
    return parts.negative ? -std::numeric_limits<double>::infinity()
                          : std::numeric_limits<double>::infinity();
}

namespace {
template <typename Int> std::optional<Int> roundToInt(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double rounded = std::nearbyint(v); // default rounding mode: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}
} // namespace

std::optional<int> toInt(double v) {
    return roundToInt<int>(v);
}

std::optional<int> textToInt(std::string_view text) {
    const auto value = numericValue(text);
    return value ? toInt(*value) : std::nullopt;
}
