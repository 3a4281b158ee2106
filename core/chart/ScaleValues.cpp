#include "chart/ScaleValues.h"

#include "text/NumberText.h"

#include <charconv>
#include <cmath>
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
