// Crossings of the threshold: its value on the scale in force after the
// newest value, the state's changes, and what a live run reports.

#include "monitor/LiveWatch.h"
#include "monitor/LiveTick.h"
#include "support/MonitorFixture.h"

#include <limits>
#include <tuple>

namespace {

TEST(ThresholdValue, IsThePercentOfTheScaleFromItsBottom) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const std::tuple<double, double, int, std::optional<double>> cases[] = {
        // top, bottom, percent, value
        {100, 0, 80, 80},          {20, -20, 25, -10},       {100, 0, 0, 0},
        {100, 0, 100, 100},        {5, 5, 80, std::nullopt}, // no span
        {0, 10, 80, std::nullopt},                           // upside down: nothing is plotted either
        {kMax, -kMax, 50, 0},                                // the span itself overflows
        {kMax, -kMax, 100, kMax},
    };
    for (const auto& [top, bottom, percent, value] : cases)
        EXPECT_EQ(thresholdValue(top, bottom, percent), value) << top << ".." << bottom << " at " << percent;
}

TEST(ThresholdAlarm, ReportsOnlyChangesOfState) {
    using enum WatchEvent;
    ThresholdAlarm alarm;
    const std::tuple<double, double, std::optional<WatchEvent>, bool> steps[] = {
        // value, scale top (bottom 0, threshold 80 %), event, above afterwards
        {15, 100, std::nullopt, false}, // it starts below
        {95, 100, Above, true},         {99, 100, std::nullopt, true},
        {80, 100, Below, false},                                     // back to the line is not above it
        {80.5, 100, Above, true},       {95, 0, std::nullopt, true}, // a scale without span changes nothing
        {10, 0, std::nullopt, true},    {10, 100, Below, false},
        {10, 100, std::nullopt, false},
    };
    for (const auto& [value, top, event, above] : steps) {
        EXPECT_EQ(alarm.take(value, top, 0, 80), event) << value << " on 0.." << top;
        EXPECT_EQ(alarm.above(), above) << value;
    }
    alarm.take(95, 100, 0, 80);
    alarm.reset();
    EXPECT_FALSE(alarm.above());
}

struct LiveWatchTest : MonitorFixture {
    LiveWatch watch{std::nullopt};
    std::vector<WatchEvent> tickWith(const std::string& line) {
        dir.append("data.csv", line + "\n");
        const bool stored = liveTick(context);
        return watch.afterTick(monitor, stored, SteadyTime{}, WallTime{});
    }
};

// With the scale following the data the line moves with it: a value that
// widens the scale is compared with the widened line.
TEST_F(LiveWatchTest, ComparesWithTheLineOnTheScaleTheValueLeft) {
    using enum WatchEvent;
    apply({});
    const std::tuple<const char*, double, std::vector<WatchEvent>> steps[] = {
        // line, scale top afterwards, events
        {"50", 60, {Above}},  // 0..60: the line at 48
        {"90", 100, {}},      // 0..100: at 80
        {"70", 100, {Below}}, //
        {"150", 200, {}},     // above the old line, below the new one at 160
        {"x", 200, {}},       // no value stored: nothing changes
        {"170", 200, {Above}},
    };
    for (const auto& [line, top, events] : steps) {
        EXPECT_EQ(tickWith(line), events) << line;
        EXPECT_EQ(monitor.scale().top(), top) << line;
    }
    EXPECT_EQ(watch.newestValue(), 170);
    watch.reset();
    EXPECT_FALSE(watch.above());
    EXPECT_FALSE(watch.newestValue());
}

} // namespace
