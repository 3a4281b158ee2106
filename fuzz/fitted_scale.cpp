// The ends of a scale fitted to the data against a plain model of the rule,
// which finds the step by trying every power of ten from the smallest and
// the multiples by bisection, reading each decimal with C's strtod.
//
// Input: the eight bytes of the lowest value, then eight of the highest (the
// two are swapped when out of order); or nine bytes, the lowest value and a
// count of doubles between it and the highest, so that spans of a few units
// in the last place are explored too. Values that are not finite are skipped.

#include "FuzzSupport.h"
#include "chart/ScaleValues.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace {

std::string valueText(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// digits × 10^exponent as strtod reads it: infinite beyond the largest double.
FUZZ_MODEL double decimalValue(std::int64_t digits, int exponent) {
    return std::strtod((std::to_string(digits) + "e" + std::to_string(exponent)).c_str(), nullptr);
}

struct ModelEnds {
    double top;
    double bottom;
};

FUZZ_MODEL ModelEnds plainFittedEnds(double lowest, double highest) {
    const bool single = lowest == highest;
    double quarter;
    if (single) {
        quarter = (lowest == 0 ? 1 : std::fabs(lowest) / 100) / 4;
    } else if (std::isfinite(highest - lowest)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.15G", highest - lowest);
        // Near the largest double the text reads back beyond it; the span
        // itself is then taken.
        const double shown = std::strtod(text, nullptr);
        quarter = (std::isfinite(shown) ? shown : highest - lowest) / 4;
    } else {
        quarter = highest / 4 - lowest / 4;
    }
    int digit = 0;
    int exponent = -307;
    for (; digit == 0; ++exponent)
        for (const int d : {1, 2, 5})
            if (digit == 0 && decimalValue(d, exponent) >= quarter)
                digit = d;
    --exponent;
    const auto multiple = [&](std::int64_t count) { return decimalValue(count * digit, exponent); };
    // Multiples grow with the count: bisect for the last one at or below the
    // lowest value and the first one at or above the highest.
    constexpr std::int64_t kFar = 1'000'000'000'000'000'000;
    std::int64_t low = -kFar, high = kFar; // multiple(low) <= lowest < multiple(high)
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (multiple(middle) <= lowest ? low : high) = middle;
    }
    std::int64_t below = low;
    low = -kFar, high = kFar; // multiple(low) < highest <= multiple(high)
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (multiple(middle) < highest ? low : high) = middle;
    }
    std::int64_t above = high;
    if (single) {
        --below;
        ++above;
    }
    constexpr double kMax = std::numeric_limits<double>::max();
    return {std::clamp(multiple(above), -kMax, kMax) + 0.0, std::clamp(multiple(below), -kMax, kMax) + 0.0};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9)
        return 0;
    double lowest = 0, highest = 0;
    std::memcpy(&lowest, data, sizeof lowest);
    if (size == 9) {
        highest = lowest;
        for (int i = 0; i < data[8] && std::isfinite(highest); ++i)
            highest = std::nextafter(highest, std::numeric_limits<double>::infinity());
    } else if (size >= 16) {
        std::memcpy(&highest, data + 8, sizeof highest);
    } else {
        return 0;
    }
    if (!std::isfinite(lowest) || !std::isfinite(highest))
        return 0;
    if (highest < lowest)
        std::swap(lowest, highest);

    const ScaleEnds ends = fittedScaleEnds(lowest, highest);
    const std::string what = valueText(lowest) + " .. " + valueText(highest) + " gave " +
                             valueText(ends.bottom) + " .. " + valueText(ends.top);
    FUZZ_EXPECT(std::isfinite(ends.top) && std::isfinite(ends.bottom), what);
    FUZZ_EXPECT(ends.bottom <= lowest && ends.top >= highest, what + ", not around the data");
    FUZZ_EXPECT(ends.bottom < ends.top, what + ", no span");
    FUZZ_EXPECT(!(ends.top == 0 && std::signbit(ends.top)) &&
                    !(ends.bottom == 0 && std::signbit(ends.bottom)),
                what + ", a negative zero");
    const ModelEnds model = plainFittedEnds(lowest, highest);
    FUZZ_EXPECT(ends.top == model.top && ends.bottom == model.bottom,
                what + ", the model gives " + valueText(model.bottom) + " .. " + valueText(model.top));
    return 0;
}
