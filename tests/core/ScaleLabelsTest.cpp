#include "core/ScaleLabels.h"
#include "RecordingSurface.h"
#include "core/MonitorState.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

namespace {

double rounded(const std::string& text, bool upward, double start = -123) {
    int length = static_cast<int>(text.size());
    double target = start;
    EXPECT_TRUE(RoundScaleVal(text, length, target, upward)) << text;
    return target;
}

TEST(RoundScaleVal, MovesToTheNextValueOfOneSignificantDigit) {
    const struct {
        const char* text;
        double up, down;
    } cases[] = {
        {"37.2", 40, 20},
        {"150", 200, 0},
        {"9.5", 10, 8},
        {"7", 7, 7},
        {"0", 0, 0},
        {"-37.2", -20, -40},
        {"0.345", 0.4, 0.2},
        {"-0.345", -0.2, -0.4},
        {"0.05", 0.1, 0},
        {"-0.05", 0, -0.1},
        {"-5", -4, -6},
        {"-1", 0, -2},
        {"95", 100, 80},
        {"0.95", 1, 0.8},
        {"12345.678", 20000, 0},
        {"1E+300", 2e300, 0},
        {"1E-05", 0.1, 0},
        {"-1E-05", 0, -0.1},
        {"1.5E+15", 2e15, 0},
        {"123456789012345", 200000000000000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rounded(c.text, true), c.up) << c.text << " upward";
        EXPECT_EQ(rounded(c.text, false), c.down) << c.text << " downward";
    }
    EXPECT_EQ(rounded("", true), 0) << "length 0 gives 0";
    EXPECT_EQ(rounded("0.0", true, 5), 5) << "zero with a longer text leaves the target";
}

TEST(RoundScaleVal, RefusesAScaleEndThatWouldNotBeFinite) {
    int length = 6;
    double target = 1;
    CoreError error;
    EXPECT_FALSE(RoundScaleVal("1.7E+308", length, target, true, &error));
    EXPECT_EQ(target, 1);
    EXPECT_EQ(error.number, kErrOverflow);
    length = 9;
    EXPECT_FALSE(RoundScaleVal("-1.7E+308", length, target, false, &error));
    EXPECT_EQ(target, 1);
    length = 9;
    EXPECT_TRUE(RoundScaleVal("-1.7E+308", length, target, true, &error));
    EXPECT_EQ(target, 0);
}

TEST(PositionalText, WritesExponentsOut) {
    EXPECT_EQ(positionalText(1e15), "1000000000000000");
    EXPECT_EQ(positionalText(-2.5e-7), "-0.00000025");
    EXPECT_EQ(positionalText(1.25e16), "12500000000000000");
    EXPECT_EQ(positionalText(37.2), "37.2");
}

TEST(SetScaleLabels, ShowsFiveRoundedValuesAndBuildsTheRowTable) {
    MonitorState state;
    FakeMonitorView view;
    state.dblMaxY = 100;
    state.dblMinY = 0;
    SetScaleLabels(state, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"100", "75", "50", "25", "0"}));
    ASSERT_EQ(state.intScaleCnt, 100);
    ASSERT_EQ(state.dblScaleVal.size(), 101u);
    EXPECT_EQ(state.dblScaleVal[0], 99);
    EXPECT_EQ(state.dblScaleVal[99], 0);
    EXPECT_EQ(state.dblScaleVal[100], 0);

    state.dblMaxY = 0.4;
    state.dblMinY = -0.345;
    SetScaleLabels(state, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"0.4", "0.21", "0.03", "-0.16", "-0.34"}));
    EXPECT_EQ(state.dblScaleVal[50], roundDecimalText(-0.345 + 0.745 * 49 / 100, 2));
}

TEST(TrackMaxMin, WidensTheScaleOnlyForNewExtremes) {
    MonitorState state;
    FakeMonitorView view;
    state.blnRescale = true;
    CoreError error;
    std::string s = "037.20";
    ASSERT_TRUE(TrackMaxMin(state, view, s, 37.2, error));
    EXPECT_EQ(s, "37.2") << "a new extreme replaces the field text";
    EXPECT_EQ(state.dblNowMax, 37.2);
    EXPECT_EQ(state.dblMaxY, 40);
    EXPECT_EQ(view.valueLabels[0], "Max: 37.2");
    EXPECT_EQ(view.scaleLabels[0], "40");
    EXPECT_FALSE(state.blnRescale);

    s = "20.0";
    ASSERT_TRUE(TrackMaxMin(state, view, s, 20, error));
    EXPECT_EQ(s, "20.0") << "inside the range nothing changes";
    EXPECT_EQ(state.dblMaxY, 40);

    s = "-3";
    ASSERT_TRUE(TrackMaxMin(state, view, s, -3, error));
    EXPECT_EQ(state.dblNowMin, -3);
    EXPECT_EQ(state.dblMinY, -4);
    EXPECT_EQ(view.valueLabels[2], "Min: -3");
    EXPECT_EQ(view.scaleLabels[4], "-4");

    // Scale ends changed behind the labels' back are shown at the next extreme,
    // even when that extreme leaves them where they are.
    state.dblMaxY = 50;
    s = "45";
    ASSERT_TRUE(TrackMaxMin(state, view, s, 45, error));
    EXPECT_EQ(state.dblMaxY, 50);
    EXPECT_EQ(view.scaleLabels[0], "50");

    s = "1.7E308";
    EXPECT_FALSE(TrackMaxMin(state, view, s, 1.7e308, error));
    EXPECT_EQ(state.dblMaxY, 50) << "a scale end that would not be finite is refused";
}

} // namespace
