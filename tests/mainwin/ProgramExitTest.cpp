// Ending the program: at once, from wherever the user asks.
// Each case runs in a process of its own; Qt may add its own notes to stderr.

#include "MainWindowFixture.h"

#include "mainwin/MainProgram.h"
#include "monitor/ApplySettings.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <filesystem>

namespace {

// The whole program in the middle of a replay that pauses after each line,
// letting events run there, when `requestEnd` comes. Should the process
// survive the request, it says so.
void endDuringAReplay(const std::function<void(MainWindow&)>& requestEnd) {
    FakeMessageBoxes boxes;
    MainProgram program(
        std::make_unique<Utf8Decoder>(), boxes, [](auto&&...) { return FileChoice{}; },
        [](auto&&...) { return std::string(); });
    program.start({});
    // Nothing is left behind by a process that ends without unwinding.
    auto* dir = new TempDir;
    MonitorSettings settings;
    settings.dataFile = dir->write("data.csv", numberedLines(2000));
    settings.replayPause = 1;
    auto prepared = prepareSettings(settings, std::nullopt);
    ASSERT_TRUE(prepared);
    applyMonitorSettings(program.monitor(), std::move(*prepared), program.session().view(),
                         &program.session().view());
    MainWindow& window = program.mainWindow();
    QTimer::singleShot(0, &window, [&window, dir, requestEnd] {
        std::filesystem::remove_all(dir->path());
        requestEnd(window);
    });
    child<QPushButton>(window, "chkStart_1")->click();
    std::fputs("the run outlived the request to end\n", stderr);
    std::_Exit(9);
}

TEST(ProgramExitDeathTest, ClosingTheWindowOrExitEndsTheProcessInTheMiddleOfARun) {
    EXPECT_EXIT(endDuringAReplay([](MainWindow& window) { window.close(); }), testing::ExitedWithCode(0),
                testing::Not(testing::HasSubstr("outlived")))
        << "close";
    EXPECT_EXIT(endDuringAReplay([](MainWindow& window) { child<QAction>(window, "mnuExit")->trigger(); }),
                testing::ExitedWithCode(0), testing::Not(testing::HasSubstr("outlived")))
        << "exit";
}

} // namespace
