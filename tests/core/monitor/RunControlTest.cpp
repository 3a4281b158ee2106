#include "monitor/LiveTick.h"
#include "support/MonitorFixture.h"

#include <stdexcept>
#include <tuple>

namespace {

using RunControlTest = MonitorFixture;

TEST_F(RunControlTest, StopPopsBackUpAndNewRunsTheTimerWhileDown) {
    press(RunButton::Stop);
    EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
    press(RunButton::Live); // nothing applied yet
    EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false})) << "no data file: all stop";
    EXPECT_FALSE(view.pollTimerEnabled);

    dir.write("data.csv", "1\n");
    apply({});
    press(RunButton::Live);
    EXPECT_TRUE(view.pollTimerEnabled);
    press(RunButton::Live);
    EXPECT_FALSE(view.pollTimerEnabled);
    press(RunButton::Live);
    press(RunButton::Stop);
    EXPECT_FALSE(view.pollTimerEnabled);
    EXPECT_FALSE(view.runButtons[2]);
    EXPECT_TRUE(view.messages.empty());

    // Stopping raises the buttons in order, then stops the timer.
    view.onRunButtonToggle = nullptr;
    view.runButtons = {true, true, true};
    monitor.setRunning(true);
    view.log.clear();
    stopRun(context);
    EXPECT_EQ(view.log, (std::vector<std::string>{"runButtonDown:0=0", "runButtonDown:1=0",
                                                  "runButtonDown:2=0", "pollTimerEnabled:0"}));
    EXPECT_FALSE(monitor.running());
}

TEST_F(RunControlTest, AFailureInsideARunIsShownInTheRunButtonsForm) {
    apply({});
    dir.write("data.csv", "1\n2\n");
    view.onEvents = [] { throw std::runtime_error("broken"); };
    press(RunButton::Replay);
    EXPECT_EQ(view.msgBoxes, (std::vector<std::pair<std::string, int>>{{"Error (1005) :broken", 7}}));
}

TEST_F(RunControlTest, StopAndRaisingReplayEndTheReplayBeforeItsNextLine) {
    apply({});
    dir.write("data.csv", numberedLines(100));
    for (const RunButton stopper : {RunButton::Stop, RunButton::Replay}) {
        view.eventRuns = 0;
        view.onEvents = [&] {
            EXPECT_FALSE(view.pageScrollEnabled) << "no page choice while the whole file replays";
            if (view.eventRuns == 3)
                press(stopper); // S&Ttop, or Re&Play raised
        };
        press(RunButton::Replay);
        view.onEvents = nullptr;
        EXPECT_EQ(view.status, "3行目を表示中... 4行 表示完了") << "stopper " << static_cast<int>(stopper);
        EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
        EXPECT_TRUE(view.pageScrollEnabled);
    }
}

TEST_F(RunControlTest, NewDuringAReplayInterleavesOnTheSameRing) {
    // Few points, so both wrap often: the tick one slot earlier than the replay.
    apply({.pointsPerView = 7});
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += std::to_string(i % 7) + "\n";
    dir.write("data.csv", lines);
    view.onEvents = [&] {
        if (view.eventRuns == 2)
            press(RunButton::Live);
        if (view.pollTimerEnabled)
            liveTick(context);
    };
    press(RunButton::Replay);
    EXPECT_FALSE(view.runButtons[1]);
    EXPECT_TRUE(view.pollTimerEnabled) << "monitoring goes on after the replay";
    EXPECT_LT(static_cast<std::size_t>(monitor.samples().newestSlot()), monitor.samples().size());
}

TEST_F(RunControlTest, InitResetsScaleValuesAndChart) {
    apply({});
    dir.write("data.csv", "50\n");
    press(RunButton::Live);
    liveTick(context);
    ASSERT_EQ(monitor.samples().newestSlot(), 0);
    Scale& scale = monitor.scale();
    scale.requestRescale();
    scale.takeLowest(-3);
    ASSERT_NE(scale.bottom(), 0);
    const int clears = surface.clears;
    resetChart(context);
    EXPECT_EQ(std::tuple(scale.top(), scale.bottom(), scale.highest(), scale.lowest()),
              std::tuple(0.0, 0.0, 0.0, 0.0));
    EXPECT_EQ(surface.clears, clears + 1) << "the chart is cleared";
    EXPECT_EQ(view.valueLabels, (std::array<std::string, 3>{"Max: 0", "Now: 0", "Min: 0"}));
    EXPECT_EQ(view.scaleLabels[0], "0");
    EXPECT_EQ(monitor.samples().newestSlot(), -1);
    EXPECT_TRUE(view.pollTimerEnabled) << "a run goes on";
    EXPECT_TRUE(scale.rescalePending()) << "applying's rescale is kept";
    liveTick(context);
    EXPECT_EQ(monitor.samples().newestSlot(), 0) << "the next tick starts a new sweep at slot 0";
    EXPECT_EQ(view.valueLabels[1], "Now: 50");
}

} // namespace
