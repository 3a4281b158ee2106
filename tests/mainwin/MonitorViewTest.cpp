// The main window as the core's MonitorView.

#include "tests/mainwin/MainWindowFixture.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <new>
#include <stdexcept>
#include <tuple>

namespace {

using MonitorViewTest = MainWindowTest;

TEST_F(MonitorViewTest, ARunButtonClicksOnlyWhenItsStateChanges) {
    std::vector<int> clicks;
    window->setRunButtonHandler([&clicks](int index) { clicks.push_back(index); });
    // The button, its state and all clicks so far.
    const std::tuple<int, bool, std::vector<int>> steps[] = {
        {1, false, {}}, {1, true, {1}}, {1, true, {1}}, {2, true, {1, 2}}, {3, true, {1, 2}}};
    for (const auto& [index, down, clicksSoFar] : steps) {
        window->setRunButtonDown(index, down);
        EXPECT_EQ(window->runButtonDown(index), down && index < 3);
        EXPECT_EQ(clicks, clicksSoFar) << "after setting " << index << (down ? " down" : " up");
    }
    QTest::mouseClick(window->runButtons[2], Qt::LeftButton); // the user's click: once, and up
    EXPECT_EQ(clicks, (std::vector<int>{1, 2, 2}));
    EXPECT_FALSE(window->runButtonDown(2));
}

TEST_F(MonitorViewTest, HooksAreReachedAndTheirFailuresReported) {
    int inits = 0, ticks = 0;
    window->setInitHandler([&] { ++inits; });
    window->setTimerHandler([&] { ++ticks; });
    window->resetButton->click();
    QMetaObject::invokeMethod(window->pollTimer, "timeout");
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(ticks, 1);
    window->settingsButton->click(); // by default "&Set" shows the settings dialog
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"show"});

    window->setRunButtonHandler([](int) { throw std::bad_alloc(); });
    window->setRunButtonDown(2, true);
    window->setInitHandler([] { throw std::runtime_error("broken"); });
    window->resetButton->click();
    using enum MessageButton;
    EXPECT_EQ(boxes.shown,
              (std::vector<MessageBoxDescription>{
                  {"警告", "Error (1007) :Out of memory", {Ok}, Ok, Ok, MessageIcon::Exclamation},
                  {"Trendola", "Error: (1005) \r\nbroken", {Ok}, Ok, Ok, MessageIcon::None}}));
}

TEST_F(MonitorViewTest, TheTimerRunsAtTheIntervalInForce) {
    // Enabled again, the new interval applies; an interval of 0 runs nothing.
    for (auto [interval, enable, active] : {std::tuple{250, true, true}, std::tuple{0, true, false},
                                            std::tuple{40, true, true}, std::tuple{40, false, false}}) {
        state.pollInterval = interval;
        window->setTimerEnabled(enable);
        EXPECT_EQ(window->pollTimer->isActive(), active) << interval << (enable ? " on" : " off");
        EXPECT_TRUE(!active || window->pollTimer->interval() == interval) << interval;
    }
    // Applying's new interval reaches a running timer as it is given.
    window->setTimerEnabled(true);
    window->setTimerInterval(250);
    EXPECT_TRUE(window->pollTimer->isActive());
    EXPECT_EQ(window->pollTimer->interval(), 250);
    window->setTimerInterval(0);
    EXPECT_FALSE(window->pollTimer->isActive()) << "no ticks at interval 0";
}

} // namespace
