#include "MonitorFixture.h"
#include "monitor/LiveTick.h"

#include <stdexcept>
#include <tuple>

namespace {

using RunControlTest = MonitorFixture;

TEST_F(RunControlTest, StopPopsBackUpAndNewRunsTheTimerWhileDown) {
    press(0);
    EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
    state.dataFile.clear();
    press(2);
    EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false})) << "no data file: all stop";
    EXPECT_FALSE(view.timerEnabled);

    state.dataFile = dir.write("data.csv", "1\n");
    press(2);
    EXPECT_TRUE(view.timerEnabled);
    press(2);
    EXPECT_FALSE(view.timerEnabled);
    press(2);
    press(0);
    EXPECT_FALSE(view.timerEnabled);
    EXPECT_FALSE(view.runButtons[2]);
    EXPECT_TRUE(view.messages.empty());

    // Stopping raises the buttons in index order, then stops the timer.
    view.onRunButtonClick = nullptr;
    view.runButtons = {true, true, true};
    state.running = true;
    view.log.clear();
    StopRun(context);
    EXPECT_EQ(view.log, (std::vector<std::string>{"runButtonDown:0=0", "runButtonDown:1=0",
                                                  "runButtonDown:2=0", "timerEnabled:0"}));
    EXPECT_FALSE(state.running);
}

TEST_F(RunControlTest, AFailureInsideARunIsShownInTheRunButtonsForm) {
    dir.write("data.csv", "1\n2\n");
    view.onEvents = [] { throw std::runtime_error("broken"); };
    press(1);
    EXPECT_EQ(view.msgBoxes, (std::vector<std::pair<std::string, int>>{{"Error (1005) :broken", 7}}));
}

TEST_F(RunControlTest, StopAndRaisingReplayEndTheReplayBeforeItsNextLine) {
    std::string lines;
    for (int i = 1; i <= 100; ++i)
        lines += std::to_string(i) + "\n";
    dir.write("data.csv", lines);
    for (int stopper : {0, 1}) {
        view.eventRuns = 0;
        view.onEvents = [&] {
            EXPECT_FALSE(view.pageScrollEnabled) << "no page choice while the whole file replays";
            if (view.eventRuns == 3)
                press(stopper); // S&Ttop, or Re&Play raised
        };
        press(1);
        view.onEvents = nullptr;
        EXPECT_EQ(view.infoText, "3行目を表示中... 4行 表示完了") << "stopper " << stopper;
        EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
        EXPECT_TRUE(view.pageScrollEnabled);
    }
}

TEST_F(RunControlTest, NewDuringAReplayInterleavesOnTheSameBuffer) {
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += std::to_string(i % 7) + "\n";
    dir.write("data.csv", lines);
    state.pointsPerView = 700; // the tick wraps at a different point than the replay
    view.onEvents = [&] {
        if (view.eventRuns == 2)
            press(2);
        if (view.timerEnabled)
            liveTick(context);
    };
    press(1);
    EXPECT_FALSE(view.runButtons[1]);
    EXPECT_TRUE(view.timerEnabled) << "monitoring goes on after the replay";
    EXPECT_LT(static_cast<std::size_t>(state.newestSlot), state.samples.size());
}

TEST_F(RunControlTest, InitResetsScaleValuesAndChart) {
    dir.write("data.csv", "50\n");
    press(2);
    liveTick(context);
    ASSERT_EQ(state.newestSlot, 0);
    state.rescalePending = true;
    state.scaleBottom = -5;
    state.lowest = -3;
    const int clears = surface.clears;
    resetChart(context);
    EXPECT_EQ(std::tuple(state.scaleTop, state.scaleBottom, state.highest, state.lowest),
              std::tuple(0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(surface.clears, clears + 1) << "the chart is cleared";
    EXPECT_EQ(view.valueLabels, (std::array<std::string, 3>{"Max: 0", "Now: 0", "Min: 0"}));
    EXPECT_EQ(view.scaleLabels[0], "0");
    EXPECT_EQ(state.newestSlot, -1);
    EXPECT_TRUE(view.timerEnabled) << "a run goes on";
    EXPECT_TRUE(state.rescalePending) << "applying's rescale is kept";
    liveTick(context);
    EXPECT_EQ(state.newestSlot, 0) << "the next tick starts a new sweep at slot 0";
    EXPECT_EQ(view.valueLabels[1], "Now: 50");
}

} // namespace
