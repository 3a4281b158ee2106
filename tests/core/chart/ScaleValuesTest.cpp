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

} // namespace
