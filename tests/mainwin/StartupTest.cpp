// Start-up: the window's load and the data-file words of the command line.

#include "tests/mainwin/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>

namespace {

using Calls = std::vector<std::string>;

using StartupState = MainWindowTest;

// Each data-file word of the command line is placed in turn, then the dialog shows.
TEST_F(StartupState, LoadSetsTheDefaultsOnceBeforeTheWindowShows) {
    state.pollInterval = 5;
    state.newestSlot = 17;
    window->stayOnTopAction->setChecked(true);
    window->setCommandLineText("a.csv b.csv");
    EXPECT_FALSE(state.loaded);
    showWindow();

    EXPECT_TRUE(state.loaded);
    EXPECT_EQ(state.pollInterval, 1000);
    EXPECT_EQ(state.newestSlot, -1);
    EXPECT_FALSE(window->stayOnTopAction->isChecked());
    for (const QPushButton* button : window->runButtons)
        EXPECT_FALSE(button->isEnabled()) << "no run before the settings are applied";
    EXPECT_EQ(dialog.calls, (Calls{"set:a.csv", "set:b.csv", "show"}));
    EXPECT_FALSE(dialog.mainWindowVisibleAtShow) << "the dialog opens during the load";

    state.pollInterval = 250;
    window->hide();
    showWindow();
    EXPECT_EQ(state.pollInterval, 250) << "the load runs once";
    EXPECT_EQ(dialog.calls.size(), 3u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupState, AnEmptyCommandLineShowsNoDialog) {
    showWindow();
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
