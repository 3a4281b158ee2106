// Ending the program: at once, from wherever the user asks, cleanup first.
// Each case runs in a process of its own; Qt may add its own notes to stderr.

#include "tests/mainwin/MainWindowFixture.h"

#include "mainwin/ProgramExit.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

namespace {

TEST(ProgramExitDeathTest, RunsEveryCleanupStepInOrderThenExits) {
    EXPECT_EXIT(
        {
            addExitCleanup([] { std::fputs("first\n", stderr); });
            addExitCleanup([] { throw std::runtime_error("broken step"); });
            addExitCleanup([] { std::fputs("second\n", stderr); });
            endProgram(3);
        },
        testing::ExitedWithCode(3), testing::HasSubstr("first\nsecond\n"));
}

TEST(ProgramExitDeathTest, ACleanupStepEndingTheProgramAgainDoesNotLoop) {
    EXPECT_EXIT(
        {
            addExitCleanup([] { endProgram(4); });
            addExitCleanup([] { std::fputs("not reached\n", stderr); });
            endProgram(5);
        },
        testing::ExitedWithCode(4), testing::Not(testing::HasSubstr("not reached")));
}

// A run that keeps the click handler busy, handing events to the loop as the
// replay does. Should the process survive the request to end, it says so.
void startLongRun(frmMonMain& window, std::function<void()> requestEnd) {
    window.setRunButtonHandler([&window](int) {
        for (int i = 0; i < 1000; ++i)
            window.waitForEvents(10);
        std::fputs("the run outlived the request to end\n", stderr);
        std::_Exit(9);
    });
    QTimer::singleShot(0, &window, std::move(requestEnd));
    window.setRunButtonDown(1, true);
}

TEST(ProgramExitDeathTest, ClosingTheWindowOrExitEndsTheProcessInTheMiddleOfARun) {
    for (bool viaExit : {false, true}) {
        EXPECT_EXIT(
            {
                MonitorState state;
                NoSettingsDialog dialog;
                RecordingBoxes boxes;
                frmMonMain window(state, dialog, boxes);
                addExitCleanup([] { std::fputs("cleaned up\n", stderr); });
                window.show();
                startLongRun(window, [&window, viaExit] {
                    if (viaExit)
                        window.mnuExit->trigger();
                    else
                        window.close();
                });
            },
            testing::ExitedWithCode(0), testing::HasSubstr("cleaned up\n"))
            << (viaExit ? "exit" : "close");
    }
}

} // namespace
