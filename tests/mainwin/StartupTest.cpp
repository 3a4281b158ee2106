// Start-up: the window's load and the data-file words of the command line.

#include "tests/mainwin/MainWindowFixture.h"

#include "core/CommandLine.h"
#include "mainwin/basArea.h"

#include <QAction>
#include <QPushButton>

namespace {

using Calls = std::vector<std::string>;

struct StartCase {
    const char* name;
    std::string commandLine;
    Calls calls; // what the settings dialog was told, in order
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class Startup : public testing::TestWithParam<StartCase> {};

TEST_P(Startup, PlacesEachDataFileTokenThenShowsTheDialog) {
    const auto& c = GetParam();
    MonitorState state;
    RecordingDialog dialog;
    RecordingBoxes boxes;
    const auto window = basArea::showMainWindow(state, dialog, boxes, c.commandLine);
    window->setEndProgramHandler([] {});
    EXPECT_EQ(dialog.calls, c.calls);
    EXPECT_TRUE(window->isVisible());
    for (const QPushButton* button : window->chkStart)
        EXPECT_FALSE(button->isEnabled()) << "no run before the settings are applied";
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, Startup,
    testing::Values(StartCase{"NoArguments", "", {}},
                    StartCase{"OnePlainToken", "data.csv", {"set:data.csv", "show"}},
                    StartCase{"TwoPlainTokens", "a.csv b.csv", {"set:a.csv", "set:b.csv", "show"}},
                    StartCase{"TrailingSpace", "a.csv ", {"set:a.csv", "set:", "show"}},
                    StartCase{"QuotedPathWithBlanks",
                              "\"/home/u/my data/log 1.csv\"",
                              {"set:/home/u/my data/log 1.csv", "show"}},
                    StartCase{"WordsBesideTwoQuotedPaths",
                              "x \"/tmp/a b.csv\" y \"/tmp/c d.csv\"",
                              {"set:/tmp/a b.csv", "set:/tmp/c d.csv", "show"}},
                    StartCase{"TwoAdjacentQuotes", "\"\"", {"set:", "show"}},
                    StartCase{"UnmatchedQuote", "\"/tmp/no end.csv", {"set:/tmp/no end.csv", "show"}},
                    // What the program makes of its words: a path with blanks arrives whole.
                    StartCase{"JoinedWordWithBlanks",
                              joinCommandLine({"/tmp/計測 データ/log 1.csv"}),
                              {"set:/tmp/計測 データ/log 1.csv", "show"}},
                    StartCase{"JoinedWords",
                              joinCommandLine({"/tmp/a.csv", "/tmp/b c.csv"}),
                              {"set:/tmp/b c.csv", "show"}}),
    [](const auto& info) { return info.param.name; });

using StartupState = MainWindowTest;

TEST_F(StartupState, LoadSetsTheDefaultsOnceBeforeTheWindowShows) {
    state.lngInterval = 5;
    state.lngDatPos = 17;
    window->mnuWinMae->setChecked(true);
    window->setCommandLineText("\"/tmp/x y.csv\"");
    EXPECT_FALSE(state.blnLoaded);
    showWindow();

    EXPECT_TRUE(state.blnLoaded);
    EXPECT_TRUE(state.blnReadReady);
    EXPECT_EQ(state.lngInterval, 1000);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_EQ(state.DatBuf.size(), 501u);
    EXPECT_FALSE(window->mnuWinMae->isChecked());
    for (const QPushButton* button : window->chkStart)
        EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(dialog.calls, (Calls{"set:/tmp/x y.csv", "show"}));
    EXPECT_FALSE(dialog.mainWindowVisibleAtShow) << "the dialog opens during the load";

    state.lngInterval = 250;
    window->hide();
    showWindow();
    EXPECT_EQ(state.lngInterval, 250) << "the load runs once";
    EXPECT_EQ(dialog.calls.size(), 2u);
}

} // namespace
