#include "models/Navigation.h"
#include "monitor/ScaleLabels.h"
#include "support/MonitorFixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

using NavigationTest = MonitorFixture;

TEST_F(NavigationTest, APageChoiceReplaysThatPageInPageModeUntilStopped) {
    dir.write("data.csv", numberedLines(350));
    MonitorSettings pages;
    pages.pageSize = 100;
    apply(pages);
    view.pageMode = false; // the scroll bar replays pages whatever the switch shows
    const auto replayed = replayPage(context, 3);
    ASSERT_TRUE(replayed);
    EXPECT_TRUE(*replayed);
    EXPECT_TRUE(monitor.running());
    EXPECT_EQ(view.status, "201行目から301行目を表示");
    EXPECT_EQ(monitor.samples().pointsPerView(), 100) << "page mode's points per view";

    // S&Ttop while the pages before it pass by.
    view.onEvents = [&] { monitor.setRunning(false); };
    (void)replayPage(context, 3);
    EXPECT_NE(view.status, "201行目から301行目を表示");
    EXPECT_FALSE(monitor.running());
}

TEST_F(NavigationTest, PageModeSwitchEnablesTheScrollBarOnlyWithLinesAndAPageSize) {
    // Page mode ticked, the file's lines, the bar enabled before and after.
    const std::tuple<bool, int, bool, bool> cases[] = {
        {false, 100, true, false},
        {true, 100, false, true},
        {true, 0, false, false},
        {true, 0, true, true}, // checked without lines: kept as it was
    };
    for (const auto& [checked, fileLines, enabledBefore, enabledAfter] : cases) {
        MonitorSettings pages;
        // A file that is not there has no lines.
        pages.dataFile =
            fileLines > 0 ? dir.write("data.csv", numberedLines(fileLines)) : dir.file("missing.csv");
        pages.pageSize = 10;
        apply(pages);
        view.pageMode = checked;
        view.pageScrollEnabled = enabledBefore;
        pageModeSwitched(monitor, view);
        EXPECT_EQ(view.pageScrollEnabled, enabledAfter)
            << checked << " " << fileLines << " " << enabledBefore;
    }
}

TEST_F(NavigationTest, ValueUnderThePointerIsTheRowsScaleValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(pointerValueTip(monitor.scale(), {}, 10), std::nullopt) << "no row values yet";
    MonitorSettings scale;
    scale.scaleTop = 1; // row i holds 0.99 - i / 100
    apply(scale);
    constexpr PointerButtons none{}, left{.left = true}, right{.right = true},
        rightAndLeft{true, true, false};
    // The buttons, the row, the tip; nullptr: the tip stays.
    const std::tuple<PointerButtons, double, const char*> cases[] = {
        {none, 0.5, "0.99"},  // 0.5 rounds to row 0
        {none, 1.5, "0.97"},  // and 1.5 to row 2
        {none, 99.49, "0"},   // the last row; 99.5 is row 100
        {none, -0.5, "0.99"}, // rounds to row 0
        {none, -0.51, nullptr}, {none, 99.5, nullptr},      {none, 1e12, nullptr},
        {none, nan, nullptr},   {right, 10, nullptr}, // the right button alone
        {left, 10, "0.89"},     {rightAndLeft, 10, "0.89"},
    };
    for (const auto& [buttons, y, shown] : cases) {
        const auto tip = pointerValueTip(monitor.scale(), buttons, y);
        const std::string what =
            std::to_string(buttons.left) + std::to_string(buttons.right) + " " + std::to_string(y);
        if (shown)
            EXPECT_EQ(tip, std::optional<std::string>(shown)) << what;
        else
            EXPECT_EQ(tip, std::nullopt) << what;
    }
}

} // namespace
