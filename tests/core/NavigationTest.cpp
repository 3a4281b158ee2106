#include "core/Navigation.h"
#include "MonitorFixture.h"
#include "core/ScaleLabels.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using NavigationTest = MonitorFixture;

TEST_F(NavigationTest, APageChoiceReplaysThatPageInPageModeUntilStopped) {
    state.lngRange = 100;
    dir.write("data.csv", numberedLines(350));
    view.pageMode = false; // the scroll bar replays pages whatever the switch shows
    const auto replayed = replayPage(context, 3);
    ASSERT_TRUE(replayed);
    EXPECT_TRUE(*replayed);
    EXPECT_TRUE(state.blnRun);
    EXPECT_EQ(view.infoText, "201行目から301行目を表示");
    EXPECT_EQ(state.lngXmem, 100) << "page mode's points per view";

    // S&Ttop while the pages before it pass by.
    view.onEvents = [&] { state.blnRun = false; };
    (void)replayPage(context, 3);
    EXPECT_NE(view.infoText, "201行目から301行目を表示");
    EXPECT_FALSE(state.blnRun);
}

TEST_F(NavigationTest, PageModeSwitchEnablesTheScrollBarOnlyWithLinesAndAPageSize) {
    struct Case {
        bool checked;
        std::int64_t fileLines;
        std::int32_t range;
        bool enabledBefore, enabledAfter;
    };
    const Case cases[] = {
        {false, 100, 10, true, false}, {true, 100, 10, false, true}, {true, 0, 10, false, false},
        {true, 100, 0, false, false},  {true, 0, 10, true, true}, // checked without lines: kept as it was
    };
    for (const Case& c : cases) {
        view.pageMode = c.checked;
        state.lngFileLines = c.fileLines;
        state.lngRange = c.range;
        view.pageScrollEnabled = c.enabledBefore;
        pageModeSwitched(state, view);
        EXPECT_EQ(view.pageScrollEnabled, c.enabledAfter)
            << c.checked << " " << c.fileLines << " " << c.range << " " << c.enabledBefore;
    }
}

TEST_F(NavigationTest, ValueUnderThePointerIsTheRowsScaleValue) {
    state.dblMaxY = 1;
    state.dblMinY = 0;
    SetScaleLabels(state, view); // row i holds 0.99 - i / 100
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int buttons;
        double y;
        const char* tip; // nullptr: the tip stays
    };
    const Case cases[] = {
        {0, 0.5, "0.99"},  // 0.5 rounds to row 0
        {0, 1.5, "0.97"},  // and 1.5 to row 2
        {0, 99.49, "0"},   // the last row; 99.5 is row 100
        {0, -0.5, "0.99"}, // rounds to row 0
        {0, -0.51, nullptr},       {0, 1e12, nullptr}, {0, nan, nullptr}, {kRightButton, 10, nullptr},
        {kLeftButton, 10, "0.89"},
    };
    for (const Case& c : cases) {
        const auto tip = pointerValueTip(state, c.buttons, c.y);
        if (c.tip)
            EXPECT_EQ(tip, std::optional<std::string>(c.tip)) << c.buttons << " " << c.y;
        else
            EXPECT_EQ(tip, std::nullopt) << c.buttons << " " << c.y;
    }

    state.dblScaleVal.resize(20);
    EXPECT_EQ(pointerValueTip(state, 0, 30), std::nullopt) << "a row beyond a short table";
    state.intScaleCnt = 0;
    EXPECT_EQ(pointerValueTip(state, 0, 10), std::nullopt) << "no table yet";
}

} // namespace
