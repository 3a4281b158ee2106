#include "chart/ScaleValues.h"
#include "text/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(RoundScaleEnd, MovesToTheNextValueOfOneSignificantDigit) {
    // The value, upward, downward. A one-character text (7, 0) gives the value
    // itself; an exponent-form text is read as its positional form.
    const std::tuple<double, double, double> cases[] = {
        {37.2, 40, 20},    {150, 200, 0},    {9.5, 10, 8}, {7, 7, 7},     {-37.2, -20, -40},
        {0.345, 0.4, 0.2}, {-0.05, 0, -0.1}, {-1, 0, -2},  {95, 100, 80}, {1e300, 2e300, 0},
        {1e-5, 0.1, 0},    {-1e-5, 0, -0.1}, {0, 0, 0},    {-0.0, 0, 0}};
    for (const auto& [value, up, down] : cases)
        for (const auto& [upward, expected] : {std::pair{true, up}, std::pair{false, down}})
            EXPECT_EQ(roundScaleEnd(value, upward), expected) << value << " upward " << upward;
}

// Every value that is a number gets a scale end: one beyond the largest
// double is the largest double, also for the largest double itself, whose
// 15-digit text reads back beyond it.
TEST(RoundScaleEnd, ClampsToTheLargestDouble) {
    constexpr double kMax = std::numeric_limits<double>::max();
    for (auto [value, upward, expected] :
         {std::tuple{1.7e308, true, kMax}, std::tuple{-1.7e308, false, -kMax},
          std::tuple{-1.7e308, true, 0.0}, std::tuple{kMax, true, kMax}, std::tuple{-kMax, false, -kMax},
          std::tuple{kMax, false, 0.0}})
        EXPECT_EQ(roundScaleEnd(value, upward), expected) << value << " upward " << upward;
}

std::array<std::string, 5> labelTexts(double top, double bottom) {
    std::array<std::string, 5> texts;
    const auto values = scaleLabelValues(top, bottom);
    std::transform(values.begin(), values.end(), texts.begin(), decimalText);
    return texts;
}

TEST(ScaleValues, FiveRoundedLabelsAndTheRowTable) {
    using Labels = std::array<std::string, 5>;
    EXPECT_EQ(labelTexts(100, 0), (Labels{"100", "75", "50", "25", "0"}));
    std::vector<double> rows = scaleRowValues(100, 0);
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0], 99);
    EXPECT_EQ(rows[99], 0);
    EXPECT_EQ(rows[100], 0);

    EXPECT_EQ(labelTexts(0.4, -0.345), (Labels{"0.4", "0.21", "0.03", "-0.16", "-0.34"}));
    EXPECT_EQ(scaleRowValues(0.4, -0.345)[50], roundDecimalText(-0.345 + 0.745 * 49 / 100, 2));

    // Ends whose span is beyond any double.
    EXPECT_EQ(labelTexts(1e308, -9e307), (Labels{"1E+308", "5.25E+307", "5E+306", "-4.25E+307", "-9E+307"}));
    rows = scaleRowValues(1e308, -9e307);
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](double v) { return std::isfinite(v); }));
    EXPECT_EQ(rows[49], 5e306);
}

TEST(ChartY, MapsTheScaleOntoZeroToHundredRows) {
    const std::tuple<double, double, double, double> cases[] = {
        {80, 0, 100, 20}, {150, 0, 100, -50}, {-50, 0, 100, 150}, {25, -100, 100, 37.5}, {0.333, 0, 1, 66.7}};
    for (const auto& [v, bottom, top, y] : cases)
        EXPECT_DOUBLE_EQ(chartY(v, bottom, top), y) << v << " on " << bottom << ".." << top;
    EXPECT_EQ(chartY(1e308, -1e308, 1), -1e300) << "an overflowing ratio stays a number";
    EXPECT_DOUBLE_EQ(chartY(1e308, -9e307, 1e308), 0) << "a span beyond any double";
    EXPECT_DOUBLE_EQ(chartY(-9e307, -9e307, 1e308), 100);
    EXPECT_DOUBLE_EQ(chartY(5e306, -9e307, 1e308), 50);
}

// The fitted scale's rule, for (lowest, highest): a step of 1, 2 or 5 × 10^k,
// at least a quarter of the span, and the data rounded outward to it; a
// single value gets a span of 1 % of itself and one step more on each side.
TEST(FittedScaleEnds, RoundsTheDataOutwardToASmallRoundStep) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const std::tuple<double, double, double, double, const char*> cases[] = {
        // lowest, highest, top, bottom, why
        {1000000000, 1000000100, 1000000100, 1000000000, "a span of 100: the step is 50, not 25"},
        {1000000050, 1000000050, 1010000000, 995000000, "a single value: 1 % of it, the step 5E6"},
        {0, 0, 0.5, -0.5, "zero takes a span of 1"},
        {-0.0, -0.0, 0.5, -0.5, "negative zero too"},
        {5, 5, 5.02, 4.98, "on a multiple: still a step of room each side"},
        {-5, -5, -4.98, -5.02, "a negative single value"},
        {-3, 7, 10, -5, "a span across 0"},
        {-7.3, -2.1, -2, -8, "all negative: the step 2"},
        {-1000000100, -1000000000, -1000000000, -1000000100, "the mirror of the first"},
        {0.3, 0.7, 0.7, 0.3, "3 × 0.1 is 0.3: the division's 2.9999999999999996 is no floor"},
        {0.25, 0.65, 0.7, 0.2, "7 × 0.1 is 0.7, not 0.7000000000000001"},
        {0.1, 0.3, 0.3, 0.1, "a span of 0.19999999999999998 is 0.2: the step 0.05"},
        {0.03, 0.07, 0.07, 0.03, "a span of 0.04000000000000001 is 0.04: the step 0.01, not 0.02"},
        {7105492436473.8, std::nextafter(7105492436474.1, 1e300), 7105492436474.2, 7105492436473.8,
         "the division gives 71054924364741 steps, a multiple below the data"},
        {1e-300, 2e-300, 2e-300, 1e-300, "a span of 1E-300"},
        {1e-300, 1e-300, 1.005e-300, 9.95e-301, "a single tiny value"},
        {5e-324, 5e-324, 2e-307, -1e-307, "below the smallest step, 1E-307"},
        {1e300, 1e300, 1.005e300, 9.95e299, "a single huge value"},
        {kMax, kMax, kMax, 1.79e308, "the largest double: its end beyond is clamped"},
        {-kMax, -kMax, -1.79e308, -kMax, "and the lowest"},
        {-kMax, kMax, kMax, -kMax, "the widest data: the step 1E308"},
        {-1e308, 9e307, 1e308, -1e308, "a span beyond any double: the step 5E307"},
    };
    for (const auto& [lowest, highest, top, bottom, why] : cases) {
        const ScaleEnds ends = fittedScaleEnds(lowest, highest);
        EXPECT_EQ(ends.top, top) << why;
        EXPECT_EQ(ends.bottom, bottom) << why;
        for (const double end : {ends.top, ends.bottom})
            EXPECT_FALSE(end == 0 && std::signbit(end)) << why << ": no negative zero";
    }
    using Labels = std::array<std::string, 5>;
    const ScaleEnds ends = fittedScaleEnds(1000000000, 1000000100);
    EXPECT_EQ(labelTexts(ends.top, ends.bottom),
              (Labels{"1000000100", "1000000075", "1000000050", "1000000025", "1000000000"}));
}

// Whatever the data, the ends bracket it, are finite and never meet, and
// the scale is at most a little over twice the span (a step is at most 2.5
// quarters): adjacent doubles, values of every size and sign.
TEST(FittedScaleEnds, BracketTheDataWithAFiniteSpan) {
    std::vector<double> values = {0,
                                  1,
                                  -1,
                                  0.1,
                                  1e15,
                                  -1e15,
                                  1e-300,
                                  123456.789,
                                  9.99e307,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min()};
    for (const double v : std::vector<double>(values))
        for (const double near : {std::nextafter(v, 0.0), -v, -std::nextafter(v, 0.0)})
            values.push_back(near);
    for (const double a : values)
        for (const double b : values) {
            const double lowest = std::min(a, b);
            const double highest = std::max(a, b);
            const ScaleEnds ends = fittedScaleEnds(lowest, highest);
            SCOPED_TRACE(testing::Message() << lowest << " .. " << highest);
            EXPECT_TRUE(std::isfinite(ends.top) && std::isfinite(ends.bottom));
            EXPECT_LE(ends.bottom, lowest);
            EXPECT_GE(ends.top, highest);
            EXPECT_LT(ends.bottom, ends.top);
            const double span = highest / 2 - lowest / 2;
            if (lowest != highest && span > 1e-300) {
                EXPECT_LE(ends.top / 2 - ends.bottom / 2, span * 2.25 * (1 + 1e-12));
            }
        }
}

} // namespace
