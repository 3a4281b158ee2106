#include "chart/ScaleValues.h"

#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// The value `fraction` of the way from `bottom` to `top`. Ends far apart in
// sign and size have a span beyond any double; the same point is then
// reached as a weighted sum of the ends.
double scaleValue(double top, double bottom, double fraction) {
    const double span = top - bottom;
    if (std::isfinite(span))
        return bottom + span * fraction;
    return top * fraction + bottom * (1 - fraction);
}

} // namespace

std::array<double, 5> scaleLabelValues(double top, double bottom) {
    const double values[] = {top, scaleValue(top, bottom, 0.75), scaleValue(top, bottom, 0.5),
                             scaleValue(top, bottom, 0.25), bottom};
    std::array<double, 5> rounded{};
    for (std::size_t i = 0; i < rounded.size(); ++i)
        rounded[i] = roundDecimalText(values[i], 2);
    return rounded;
}

std::vector<double> scaleRowValues(double top, double bottom) {
    constexpr int kRows = 100;
    std::vector<double> rows(kRows + 1, 0.0);
    for (int i = 0; i < kRows; ++i)
        rows[static_cast<std::size_t>(i)] =
            roundDecimalText(scaleValue(top, bottom, (kRows - 1 - i) / 100.0), 2);
    return rows;
}

double asShown(double t) {
    if (!std::isfinite(t))
        return t;
    const std::string text = decimalText(t);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double chartY(double v, double bottom, double top) {
    const double span = top - bottom;
    // Ends far apart in sign and size have a span beyond any double; their
    // halves do not, and give the same share.
    const double ratio = std::isfinite(span) ? asShown(v - bottom) / span * 100
                                             : (v / 2 - bottom / 2) / (top / 2 - bottom / 2) * 100;
    const double y = 100 - roundDecimalText(ratio, 2);
    if (std::isinf(y))
        return y > 0 ? 1e300 : -1e300; // still far outside, but a number the surface can clip
    return y;
}

double roundScaleEnd(double value, bool upward) {
    // The rule reads the value's decimal text, digit by digit.
    const std::string text = decimalText(value);
    auto length = static_cast<int>(text.size());
    // A value within a hair of the largest double has a 15-digit text beyond
    // it; its digits still give the rule.
    const double v = numericValue(text).value_or(value);
    if (length == 1)
        return v;
    // Digit positions only make sense in positional form.
    std::string plain(text);
    if (plain.find_first_of("eE") != std::string::npos) {
        plain = positionalText(v);
        length = static_cast<int>(plain.size());
    }
    if (const auto point = plain.find('.'); point != std::string::npos)
        length = static_cast<int>(point);
    const auto digitAt = [&](std::size_t position) { // 1-based
        const char c = position <= plain.size() ? plain[position - 1] : '0';
        return c >= '0' && c <= '9' ? c - '0' : 0;
    };

    double result;
    if (v >= 1) {
        const int m = digitAt(1) + (upward ? 1 : -1);
        result = m * std::pow(10.0, length - 1);
    } else if (v <= -1) {
        const int m = digitAt(2) + (upward ? -1 : 1);
        result = -m * (length < 3 ? 1.0 : std::pow(10.0, length - 2));
    } else if (v < 0) {
        const int d = digitAt(4);
        const int m = upward ? (d == 0 ? 0 : d - 1) : d + 1;
        result = -m / 10.0;
    } else if (v > 0) {
        const int d = digitAt(3);
        const int m = upward ? d + 1 : (d == 0 ? 0 : d - 1);
        result = m / 10.0;
    } else {
        return 0.0; // zero, whose text is one character anyway
    }
    // An end beyond the largest double is the largest double: every value
    // that is a number can still be plotted.
    if (!std::isfinite(result))
        return std::copysign(std::numeric_limits<double>::max(), result);
    return result == 0 ? 0.0 : result;
}

namespace {

// A fitted scale's step, digit × 10^exponent with digit 1, 2 or 5.
struct DecimalStep {
    int digit = 1;
    int exponent = 0;
};

// Steps stay normal doubles, whose multiples keep their digits.
constexpr int kMinStepExponent = -307;

// Far more multiples than a step a quarter of the span can take between
// two doubles (about 2E16), and few enough that 5 × the count fits.
constexpr double kMaxStepCount = 1e18;

// The powers of ten that a double holds exactly.
constexpr auto kExactPowersOfTen = [] {
    std::array<double, 23> powers{};
    double power = 1;
    for (double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// The double nearest count × step, the value the user writes (3 × 0.1 is
// 0.3); infinite beyond the largest double. |count| stays within
// kMaxStepCount, so the digits fit.
double multipleOf(DecimalStep step, std::int64_t count) {
    const std::int64_t digits = count * step.digit;
    // Exact digits and an exact power of ten: one correctly rounded operation
    // gives the nearest double. Otherwise the number text's reading does.
    constexpr std::int64_t kExactDigits = std::int64_t{1} << 53;
    const auto powerIndex = static_cast<std::size_t>(std::abs(step.exponent));
    if (digits >= -kExactDigits && digits <= kExactDigits && powerIndex < kExactPowersOfTen.size()) {
        const double power = kExactPowersOfTen[powerIndex];
        return step.exponent < 0 ? static_cast<double>(digits) / power : static_cast<double>(digits) * power;
    }
    if (const auto value = numericValue(std::to_string(digits) + "E" + std::to_string(step.exponent)))
        return *value;
    return digits < 0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

// The smallest step at least `quarter` (0 <= quarter < 1E308).
DecimalStep stepFor(double quarter) {
    // log10 may be a hair off either way; starting one decade lower misses nothing.
    int exponent = kMinStepExponent;
    if (quarter > 0)
        exponent = std::max(exponent, static_cast<int>(std::floor(std::log10(quarter))) - 1);
    for (;; ++exponent)
        for (const int digit : {1, 2, 5})
            if (multipleOf({digit, exponent}, 1) >= quarter)
                return {digit, exponent};
}

// A division's rounding puts the first guess a few multiples off at most.
constexpr int kMaxCountFixes = 16;

// The count of steps of the multiple at or below v (downward) or at or above
// it (upward).
std::int64_t stepCount(DecimalStep step, double v, bool upward) {
    const double ratio = v / multipleOf(step, 1);
    const double guess = upward ? std::ceil(ratio) : std::floor(ratio);
    auto count = static_cast<std::int64_t>(std::clamp(guess, -kMaxStepCount, kMaxStepCount));
    const int toward = upward ? -1 : 1; // the direction in which the multiple nears v
    // Away from v while the multiple is on the wrong side of it, then as near
    // as it can come without crossing it.
    for (int i = 0;
         i < kMaxCountFixes && (upward ? multipleOf(step, count) < v : multipleOf(step, count) > v); ++i)
        count -= toward;
    for (int i = 0; i < kMaxCountFixes &&
                    (upward ? multipleOf(step, count + toward) >= v : multipleOf(step, count + toward) <= v);
         ++i)
        count += toward;
    return count;
}

// The end within the doubles; 0 never negative.
double finiteEnd(double end) {
    constexpr double kMax = std::numeric_limits<double>::max();
    return std::clamp(end, -kMax, kMax) + 0.0;
}

} // namespace

ScaleEnds fittedScaleEnds(double lowest, double highest) {
    const bool single = lowest == highest;
    double quarter = 0;
    if (single) {
        quarter = (lowest == 0 ? 1 : std::abs(lowest) / 100) / 4;
    } else if (const double span = highest - lowest; std::isfinite(span)) {
        // The span as its decimal text reads: binary noise in a difference
        // (0.3 − 0.1 = 0.19999999999999998) must not choose the step.
        quarter = numericValue(decimalText(span)).value_or(span) / 4;
    } else {
        quarter = highest / 4 - lowest / 4; // a span beyond any double
    }
    const DecimalStep step = stepFor(quarter);
    std::int64_t below = stepCount(step, lowest, false);
    std::int64_t above = stepCount(step, highest, true);
    if (single) {
        --below;
        ++above;
    }
    // The multiples found lie beyond the data; should the count's few fixes
    // ever fall short, the ends still bracket it.
    return ScaleEnds{finiteEnd(std::max(multipleOf(step, above), highest)),
                     finiteEnd(std::min(multipleOf(step, below), lowest))};
}
