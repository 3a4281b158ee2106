#include "monitor/ScaleLabels.h"
#include "monitor/Monitor.h"
#include "text/NumberText.h"
#include "support/FakeMonitorView.h"
#include "support/RecordingSurface.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

double rounded(const std::string& text, bool upward, double start = -123) {
    int length = static_cast<int>(text.size());
    double target = start;
    EXPECT_TRUE(RoundScaleVal(text, length, target, upward)) << text;
    return target;
}

TEST(RoundScaleVal, MovesToTheNextValueOfOneSignificantDigit) {
    const std::tuple<const char*, double, double> cases[] = {
        {"37.2", 40, 20},    {"150", 200, 0},      {"9.5", 10, 8},     {"7", 7, 7},
        {"-37.2", -20, -40}, {"0.345", 0.4, 0.2},  {"-0.05", 0, -0.1}, {"-1", 0, -2},
        {"95", 100, 80},     {"1E+300", 2e300, 0}, {"1E-05", 0.1, 0},  {"-1E-05", 0, -0.1}};
    for (const auto& [text, up, down] : cases) {
        EXPECT_EQ(rounded(text, true), up) << text << " upward";
        EXPECT_EQ(rounded(text, false), down) << text << " downward";
    }
    EXPECT_EQ(rounded("", true), 0) << "length 0 gives 0";
    EXPECT_EQ(rounded("0.0", true, 5), 5) << "zero with a longer text leaves the target";
}

TEST(RoundScaleVal, RefusesAScaleEndThatWouldNotBeFinite) {
    for (auto [text, upward, refused] :
         {std::tuple{"1.7E+308", true, true}, std::tuple{"-1.7E+308", false, true},
          std::tuple{"-1.7E+308", true, false}}) {
        int length = static_cast<int>(std::string_view(text).size());
        double target = 1;
        const auto rounded = RoundScaleVal(text, length, target, upward);
        EXPECT_EQ(static_cast<bool>(rounded), !refused) << text << upward;
        EXPECT_EQ(target, refused ? 1 : 0) << text << upward;
        if (!rounded) {
            EXPECT_EQ(rounded.error().code, kErrOverflow) << text << upward;
        }
    }
}

TEST(SetScaleLabels, ShowsFiveRoundedValuesAndBuildsTheRowTable) {
    MonitorState state;
    FakeMonitorView view;
    state.scaleTop = 100;
    state.scaleBottom = 0;
    SetScaleLabels(state, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"100", "75", "50", "25", "0"}));
    ASSERT_EQ(state.scaleRowValues.size(), 101u);
    EXPECT_EQ(state.scaleRowValues[0], 99);
    EXPECT_EQ(state.scaleRowValues[99], 0);

    state.scaleTop = 0.4;
    state.scaleBottom = -0.345;
    SetScaleLabels(state, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"0.4", "0.21", "0.03", "-0.16", "-0.34"}));
    EXPECT_EQ(state.scaleRowValues[50], roundDecimalText(-0.345 + 0.745 * 49 / 100, 2));

    // Ends whose span is beyond any double.
    state.scaleTop = 1e308;
    state.scaleBottom = -9e307;
    SetScaleLabels(state, view);
    EXPECT_EQ(view.scaleLabels,
              (std::array<std::string, 5>{"1E+308", "5.25E+307", "5E+306", "-4.25E+307", "-9E+307"}));
    EXPECT_TRUE(std::all_of(state.scaleRowValues.begin(), state.scaleRowValues.end(),
                            [](double v) { return std::isfinite(v); }));
    EXPECT_EQ(state.scaleRowValues[49], 5e306);
}

TEST(TrackMaxMin, WidensTheScaleOnlyForNewExtremes) {
    MonitorState state;
    FakeMonitorView view;
    state.rescalePending = true;
    const std::tuple<const char*, double, const char*, double, double> steps[] = {
        {"037.20", 37.2, "37.2", 40, 0}, // a new extreme replaces the field text
        {"20.0", 20, "20.0", 40, 0},     // inside the range nothing changes
        {"-3", -3, "-3", 40, -4}};
    for (const auto& [text, value, after, maxY, minY] : steps) {
        std::string s = text;
        ASSERT_TRUE(TrackMaxMin(state, view, s, value)) << text;
        EXPECT_EQ(s, after);
        EXPECT_EQ(std::pair(state.scaleTop, state.scaleBottom), std::pair(maxY, minY)) << text;
    }
    EXPECT_EQ(view.valueLabels[0], "Max: 37.2");
    EXPECT_EQ(view.scaleLabels[4], "-4");
    EXPECT_FALSE(state.rescalePending);
    // Scale ends changed behind the labels' back are shown at the next extreme,
    // even when that extreme leaves them where they are.
    state.scaleTop = 50;
    std::string s = "45";
    ASSERT_TRUE(TrackMaxMin(state, view, s, 45));
    EXPECT_EQ(view.scaleLabels[0], "50");
    s = "1.7E308";
    EXPECT_FALSE(TrackMaxMin(state, view, s, 1.7e308));
    EXPECT_EQ(state.scaleTop, 50) << "a scale end that would not be finite is refused";
}

} // namespace
