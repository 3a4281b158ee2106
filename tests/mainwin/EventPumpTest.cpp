#include "mainwin/EventPump.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A pump on a clock the test moves by hand.
struct ManualPump {
    std::chrono::steady_clock::time_point now{};
    int runs = 0;
    EventPump pump{[this] { ++runs; }, [this] { return now; }};
};

TEST(EventPump, RunsEventsOnlyOnceTheBudgetHasPassed) {
    struct Step {
        std::chrono::microseconds advance;
        bool runs;
    };
    // Times are since the previous step; the budget counts from the last run.
    const Step steps[] = {
        {0us, true},                                      // the first call always runs them
        {0us, false},   {1000us, false}, {2999us, false}, // 3.999 ms since the run
        {1us, true},                                      // 4 ms
        {4000us, true}, {3999us, false}, {1us, true},
    };
    ManualPump m;
    int expectedRuns = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        m.now += steps[i].advance;
        EXPECT_EQ(m.pump.letEventsRun(), steps[i].runs) << "step " << i;
        expectedRuns += steps[i].runs ? 1 : 0;
        EXPECT_EQ(m.runs, expectedRuns) << "step " << i;
    }
}

} // namespace
