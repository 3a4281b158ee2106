// Ending the program: at once, from wherever the user asks.
// Each case runs in a process of its own; Qt may add its own notes to stderr.

#include "tests/mainwin/MainWindowFixture.h"

#include "mainwin/ProgramExit.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QTimer>

#include <cstdio>

namespace {

// A run that keeps the click handler busy, handing events to the loop as the
// replay does. Should the process survive the request to end, it says so.
void startLongRun(MainWindow& window, std::function<void()> requestEnd) {
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
                FakeMessageBoxes boxes;
                MainWindow window(state, dialog, boxes);
                window.show();
                startLongRun(window, [&window, viaExit] {
                    if (viaExit)
                        window.quitAction->trigger();
                    else
                        window.close();
                });
            },
            testing::ExitedWithCode(0), testing::Not(testing::HasSubstr("outlived")))
            << (viaExit ? "exit" : "close");
    }
}

} // namespace
