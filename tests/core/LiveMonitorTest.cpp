#include "core/LiveMonitor.h"
#include "MonitorFixture.h"

#include <filesystem>

namespace {

struct LiveMonitorTest : MonitorFixture {
    void tick() { tmrTime_Timer(context); }
};

TEST_F(LiveMonitorTest, PlotsTheNewestCompleteLineOfAGrowingFile) {
    dir.write("data.csv", "12,34\r\n");
    state.intDatCol = 2;
    tick();
    EXPECT_EQ(state.lngDatPos, 0);
    EXPECT_EQ(state.DatBuf[0].DVal, 34);
    EXPECT_EQ(view.valueLabels[1], "Now: 34") << "the line end read with the line is not shown";
    EXPECT_EQ(view.valueLabels[0], "Max: 34");
    EXPECT_EQ(view.infoText, "1行 表示");
    EXPECT_EQ(state.dblMaxY, 40);

    dir.append("data.csv", "1,75\r\n2,8");
    tick();
    EXPECT_EQ(state.lngDatPos, 1);
    EXPECT_EQ(state.DatBuf[1].DVal, 75) << "the unfinished last line waits";
    EXPECT_EQ(state.dblMaxY, 80);
    EXPECT_EQ(view.infoText, "2行 表示");
    EXPECT_TRUE(state.blnReadReady);
    EXPECT_FALSE(surface.linesOf(kYellow).empty());
}

TEST_F(LiveMonitorTest, SkipsLinesWithoutANumberAndGoesOn) {
    const struct {
        std::string content;
        std::int16_t column;
        const char* why;
    } cases[] = {
        {"5\n\n", 1, "a blank last line"}, {"5\nabc\n", 1, "not a number"}, {"5,\n", 2, "no such field"}};
    for (const auto& c : cases) {
        dir.write("data.csv", c.content);
        state.intDatCol = c.column;
        const auto position = state.lngDatPos;
        tick();
        EXPECT_EQ(state.lngDatPos, position) << c.why << ": no phantom sample";
        EXPECT_TRUE(state.blnReadReady) << c.why << ": monitoring goes on";
        EXPECT_TRUE(view.messages.empty()) << c.why;
    }
    dir.write("data.csv", "5\n7\n");
    state.intDatCol = 1;
    tick();
    EXPECT_EQ(state.lngDatPos, 0);
    EXPECT_EQ(state.DatBuf[0].DVal, 7);
}

TEST_F(LiveMonitorTest, WrapsAfterLngXmemSamples) {
    state.lngXmem = 5;
    dir.write("data.csv", "3\n");
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_EQ(state.lngDatPos, 4);
    EXPECT_FALSE(state.blnDatRound);
    tick();
    EXPECT_EQ(state.lngDatPos, 0);
    EXPECT_TRUE(state.blnDatRound);
}

TEST_F(LiveMonitorTest, AMissingFileStopsTheRunWithAMessage) {
    dir.write("data.csv", "1\n");
    press(2);
    ASSERT_TRUE(view.timerEnabled) << "precondition: monitoring";
    std::filesystem::remove(state.strInFile); // gone while the timer runs
    tick();
    EXPECT_FALSE(view.timerEnabled);
    EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], state.strInFile + "\r\nファイルが存在しませんでした。");
    EXPECT_TRUE(state.blnReadReady);
}

TEST_F(LiveMonitorTest, GoesOnWithAReplacedOrTruncatedFile) {
    dir.write("data.csv", "1\n2\n3\n");
    tick();
    dir.write("data.csv", "9\n");
    tick();
    EXPECT_EQ(state.DatBuf[1].DVal, 9);
    EXPECT_EQ(view.infoText, "1行 表示");
    const std::string next = dir.write("next.csv", "4\n5\n6\n7\n");
    std::filesystem::rename(next, state.strInFile);
    tick();
    EXPECT_EQ(state.DatBuf[2].DVal, 7);
    EXPECT_EQ(view.infoText, "4行 表示");
}

TEST_F(LiveMonitorTest, AFixedZeroScaleOnlyClearsTheChart) {
    dir.write("data.csv", "5\n");
    state.blnAutoMaxMin = false;
    state.blnRescale = false;
    state.dblMaxY = 0;
    tick();
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(surface.linesOf(kYellow).empty());
}

TEST_F(LiveMonitorTest, DoesNothingWhileAReadIsUnfinished) {
    dir.write("data.csv", "5\n");
    state.blnReadReady = false;
    tick();
    EXPECT_EQ(surface.clears, 0);
    EXPECT_EQ(state.lngDatPos, -1);
}

TEST_F(LiveMonitorTest, AScaleEndThatWouldNotBeFiniteStopsTheRun) {
    dir.write("data.csv", "1.7E308\n");
    press(2);
    ASSERT_TRUE(view.timerEnabled);
    tick();
    EXPECT_FALSE(view.timerEnabled);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].rfind("Error : 6 ", 0), 0u) << view.messages[0];
    EXPECT_EQ(state.lngDatPos, -1);
}

} // namespace
