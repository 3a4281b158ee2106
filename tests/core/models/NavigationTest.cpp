#include "models/Navigation.h"
#include "MonitorFixture.h"
#include "monitor/ScaleLabels.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

using NavigationTest = MonitorFixture;

TEST_F(NavigationTest, APageChoiceReplaysThatPageInPageModeUntilStopped) {
    state.pageSize = 100;
    dir.write("data.csv", numberedLines(350));
    view.pageMode = false; // the scroll bar replays pages whatever the switch shows
    const auto replayed = replayPage(context, 3);
    ASSERT_TRUE(replayed);
    EXPECT_TRUE(*replayed);
    EXPECT_TRUE(state.running);
    EXPECT_EQ(view.infoText, "201行目から301行目を表示");
    EXPECT_EQ(state.pointsPerView, 100) << "page mode's points per view";

    // S&Ttop while the pages before it pass by.
    view.onEvents = [&] { state.running = false; };
    (void)replayPage(context, 3);
    EXPECT_NE(view.infoText, "201行目から301行目を表示");
    EXPECT_FALSE(state.running);
}

TEST_F(NavigationTest, PageModeSwitchEnablesTheScrollBarOnlyWithLinesAndAPageSize) {
    // Page mode ticked, the file's lines, the page size, the bar enabled before and after.
    const std::tuple<bool, std::int64_t, std::int32_t, bool, bool> cases[] = {
        {false, 100, 10, true, false}, {true, 100, 10, false, true}, {true, 0, 10, false, false},
        {true, 100, 0, false, false},  {true, 0, 10, true, true}, // checked without lines: kept as it was
    };
    for (const auto& [checked, fileLines, range, enabledBefore, enabledAfter] : cases) {
        view.pageMode = checked;
        state.dataFileLineCount = fileLines;
        state.pageSize = range;
        view.pageScrollEnabled = enabledBefore;
        pageModeSwitched(state, view);
        EXPECT_EQ(view.pageScrollEnabled, enabledAfter)
            << checked << " " << fileLines << " " << range << " " << enabledBefore;
    }
}

TEST_F(NavigationTest, ValueUnderThePointerIsTheRowsScaleValue) {
    state.scaleTop = 1;
    state.scaleBottom = 0;
    SetScaleLabels(state, view); // row i holds 0.99 - i / 100
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The buttons, the row, the tip; nullptr: the tip stays.
    const std::tuple<int, double, const char*> cases[] = {
        {0, 0.5, "0.99"},  // 0.5 rounds to row 0
        {0, 1.5, "0.97"},  // and 1.5 to row 2
        {0, 99.49, "0"},   // the last row; 99.5 is row 100
        {0, -0.5, "0.99"}, // rounds to row 0
        {0, -0.51, nullptr},       {0, 1e12, nullptr}, {0, nan, nullptr}, {kRightButton, 10, nullptr},
        {kLeftButton, 10, "0.89"},
    };
    for (const auto& [buttons, y, shown] : cases) {
        const auto tip = pointerValueTip(state, buttons, y);
        if (shown)
            EXPECT_EQ(tip, std::optional<std::string>(shown)) << buttons << " " << y;
        else
            EXPECT_EQ(tip, std::nullopt) << buttons << " " << y;
    }

    state.scaleRowValues.resize(20);
    EXPECT_EQ(pointerValueTip(state, 0, 30), std::nullopt) << "a row beyond a short table";
    state.scaleRowCount = 0;
    EXPECT_EQ(pointerValueTip(state, 0, 10), std::nullopt) << "no table yet";
}

} // namespace
