// Start-up: the window's initialisation and the data-file words of the
// command line.

#include "MainWindowFixture.h"

#include <QAction>
#include <QPushButton>

namespace {

using Calls = std::vector<std::string>;

using StartupTest = MainWindowTest;

// Each data-file word of the command line is placed in turn, then the dialog shows.
TEST_F(StartupTest, InitialisationRunsOnceBeforeTheWindowShows) {
    auto* stayOnTop = control<QAction>("mnuWinMae");
    stayOnTop->setChecked(true);
    window->setCommandLineText("a.csv b.csv");
    showWindow();

    EXPECT_FALSE(stayOnTop->isChecked());
    for (const char* name : {"chkStart_0", "chkStart_1", "chkStart_2"})
        EXPECT_FALSE(control<QPushButton>(name)->isEnabled())
            << name << ": no run before the settings are applied";
    EXPECT_EQ(dialog.calls, (Calls{"set:a.csv", "set:b.csv", "show"}));
    EXPECT_FALSE(dialog.mainWindowVisibleAtShow) << "the dialog opens during the initialisation";

    session.view().setRunButtonEnabled(RunButton::Live, true);
    window->hide();
    showWindow();
    EXPECT_TRUE(control<QPushButton>("chkStart_2")->isEnabled()) << "the initialisation runs once";
    EXPECT_EQ(dialog.calls.size(), 3u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, AnEmptyCommandLineShowsNoDialog) {
    showWindow();
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
