#include "monitor/ScaleLabels.h"
#include "monitor/Scale.h"
#include "support/FakeMonitorView.h"
#include "text/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace {

TEST(UpdateScaleLabels, ShowsFiveRoundedValuesAndBuildsTheRowTable) {
    Scale scale;
    FakeMonitorView view;
    scale.setEnds(100, 0);
    updateScaleLabels(scale, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"100", "75", "50", "25", "0"}));
    ASSERT_EQ(scale.rowValues().size(), 101u);
    EXPECT_EQ(scale.rowValues()[0], 99);
    EXPECT_EQ(scale.rowValues()[99], 0);

    scale.setEnds(0.4, -0.345);
    updateScaleLabels(scale, view);
    EXPECT_EQ(view.scaleLabels, (std::array<std::string, 5>{"0.4", "0.21", "0.03", "-0.16", "-0.34"}));
    EXPECT_EQ(scale.rowValues()[50], roundDecimalText(-0.345 + 0.745 * 49 / 100, 2));

    // Ends whose span is beyond any double.
    scale.setEnds(1e308, -9e307);
    updateScaleLabels(scale, view);
    EXPECT_EQ(view.scaleLabels,
              (std::array<std::string, 5>{"1E+308", "5.25E+307", "5E+306", "-4.25E+307", "-9E+307"}));
    EXPECT_TRUE(std::all_of(scale.rowValues().begin(), scale.rowValues().end(),
                            [](double v) { return std::isfinite(v); }));
    EXPECT_EQ(scale.rowValues()[49], 5e306);
}

// The labels and rows are rebuilt only when an extreme moved an end; a value
// equal to an extreme is no new one.
TEST(TrackExtremes, WidensTheScaleOnlyForNewExtremes) {
    Scale scale;
    FakeMonitorView view;
    scale.requestRescale();
    const std::tuple<const char*, double, const char*, double, double, const char*, bool> steps[] = {
        // field text, value, text afterwards, top, bottom, "Max: " label, labels rebuilt
        {"037.20", 37.2, "37.2", 40, 0, "Max: 37.2", true}, // a new extreme replaces the field text
        {"20.0", 20, "20.0", 40, 0, "Max: 37.2", false},    // inside the range nothing changes
        {"038", 38, "38", 40, 0, "Max: 38", false},         // a new highest within the same top
        {"38.0", 38, "38.0", 40, 0, "Max: 38", false},      // equal to the highest
        {"-3", -3, "-3", 40, -4, "Max: 38", true}};
    for (const auto& [text, value, after, top, bottom, maxLabel, rebuilt] : steps) {
        std::string s = text;
        view.log.clear();
        trackExtremes(scale, view, s, value);
        EXPECT_EQ(s, after);
        EXPECT_EQ(std::pair(scale.top(), scale.bottom()), std::pair(top, bottom)) << text;
        EXPECT_EQ(view.valueLabels[0], maxLabel) << text;
        EXPECT_EQ(std::any_of(view.log.begin(), view.log.end(),
                              [](const std::string& e) { return e.starts_with("scaleLabel:"); }),
                  rebuilt)
            << text;
        EXPECT_TRUE(scale.rowsCurrent()) << text;
    }
    EXPECT_EQ(view.scaleLabels[4], "-4");
    EXPECT_FALSE(scale.rescalePending());
    // Equal to the lowest: no new extreme, so the field keeps its own text.
    std::string equal = "-3.00";
    trackExtremes(scale, view, equal, -3);
    EXPECT_EQ(equal, "-3.00");
    EXPECT_EQ(view.valueLabels[2], "Min: -3");
    // Scale ends changed behind the labels' back are shown at the next extreme,
    // even when that extreme leaves them where they are.
    scale.setEnds(50, scale.bottom());
    std::string s = "45";
    trackExtremes(scale, view, s, 45);
    EXPECT_EQ(view.scaleLabels[0], "50");
    // The largest double is plotted too: the end beyond it is the largest double.
    s = "1.7976931348623157E308";
    trackExtremes(scale, view, s, std::numeric_limits<double>::max());
    EXPECT_EQ(scale.top(), std::numeric_limits<double>::max());
    EXPECT_EQ(view.scaleLabels[0], "1.79769313486231E+308");
}

// A fitted scale: its first value is both extremes, shown in both labels;
// a new extreme fits both ends again, a value within them shows nothing new.
TEST(TrackExtremes, FitsBothEndsOfAFittedScale) {
    using Labels = std::array<std::string, 5>;
    Scale scale;
    FakeMonitorView view;
    scale.setFitted(true);
    scale.requestRescale();
    const std::tuple<const char*, double, const char*, const char*, const char*, Labels> steps[] = {
        // field text, value, text afterwards, "Max: " label, "Min: " label, scale labels
        {"1000000050.0",
         1000000050,
         "1000000050",
         "Max: 1000000050",
         "Min: 1000000050",
         {"1010000000", "1006250000", "1002500000", "998750000", "995000000"}},
        {"1000000000.0",
         1000000000,
         "1000000000",
         "Max: 1000000050",
         "Min: 1000000000",
         {"1000000060", "1000000045", "1000000030", "1000000015", "1000000000"}}, // the step 20
        {"1000000030.0",
         1000000030,
         "1000000030.0",
         "Max: 1000000050",
         "Min: 1000000000",
         {"1000000060", "1000000045", "1000000030", "1000000015", "1000000000"}},
    };
    for (const auto& [text, value, after, maxLabel, minLabel, labels] : steps) {
        std::string s = text;
        trackExtremes(scale, view, s, value);
        EXPECT_EQ(s, after);
        EXPECT_EQ(view.valueLabels[0], maxLabel) << text;
        EXPECT_EQ(view.valueLabels[2], minLabel) << text;
        EXPECT_EQ(view.scaleLabels, labels) << text;
        EXPECT_TRUE(scale.rowsCurrent()) << text;
        EXPECT_FALSE(scale.rescalePending());
    }
}

} // namespace
