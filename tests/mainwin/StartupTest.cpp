// Start-up: the window's load and the data-file words of the command line.

#include "tests/mainwin/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>

namespace {

using Calls = std::vector<std::string>;

using StartupState = MainWindowTest;

// Each data-file word of the command line is placed in turn, then the dialog shows.
TEST_F(StartupState, LoadSetsTheDefaultsOnceBeforeTheWindowShows) {
    state.lngInterval = 5;
    state.lngDatPos = 17;
    window->mnuWinMae->setChecked(true);
    window->setCommandLineText("a.csv b.csv");
    EXPECT_FALSE(state.blnLoaded);
    showWindow();

    EXPECT_TRUE(state.blnLoaded);
    EXPECT_EQ(state.lngInterval, 1000);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_FALSE(window->mnuWinMae->isChecked());
    for (const QPushButton* button : window->chkStart)
        EXPECT_FALSE(button->isEnabled()) << "no run before the settings are applied";
    EXPECT_EQ(dialog.calls, (Calls{"set:a.csv", "set:b.csv", "show"}));
    EXPECT_FALSE(dialog.mainWindowVisibleAtShow) << "the dialog opens during the load";

    state.lngInterval = 250;
    window->hide();
    showWindow();
    EXPECT_EQ(state.lngInterval, 250) << "the load runs once";
    EXPECT_EQ(dialog.calls.size(), 3u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupState, AnEmptyCommandLineShowsNoDialog) {
    showWindow();
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
