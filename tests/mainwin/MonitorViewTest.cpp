// The main window as the core's MonitorView.

#include "tests/mainwin/MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <new>
#include <stdexcept>

namespace {

using MonitorViewTest = MainWindowTest;

TEST_F(MonitorViewTest, ARunButtonSetFromCodeClicksOnlyWhenItsStateChanges) {
    std::vector<int> clicks;
    window->setRunButtonHandler([&clicks](int index) { clicks.push_back(index); });
    struct Step {
        int index;
        bool down;
        std::vector<int> clicks; // all clicks so far
    };
    const Step steps[] = {
        {1, false, {}},                    // already up
        {1, true, {1}},    {1, true, {1}}, // already down
        {2, true, {1, 2}}, {0, false, {1, 2}}, {2, false, {1, 2, 2}}, {1, false, {1, 2, 2, 1}},
    };
    for (const auto& s : steps) {
        window->setRunButtonDown(s.index, s.down);
        EXPECT_EQ(window->runButtonDown(s.index), s.down);
        EXPECT_EQ(clicks, s.clicks) << "after setting " << s.index << (s.down ? " down" : " up");
    }
    window->setRunButtonDown(3, true); // no such button
    window->setRunButtonDown(-1, true);
    EXPECT_FALSE(window->runButtonDown(3));
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(MonitorViewTest, AUserClickOnARunButtonClicksOnceAndStaysDown) {
    std::vector<int> clicks;
    window->setRunButtonHandler([&clicks](int index) { clicks.push_back(index); });
    QTest::mouseClick(window->chkStart[2], Qt::LeftButton);
    EXPECT_EQ(clicks, std::vector<int>{2});
    EXPECT_TRUE(window->runButtonDown(2));
    QTest::mouseClick(window->chkStart[2], Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<int>{2, 2}));
    EXPECT_FALSE(window->runButtonDown(2));
}

TEST_F(MonitorViewTest, AFailingHandlerIsReportedAndGoesNoFurther) {
    window->setRunButtonHandler([](int) { throw std::bad_alloc(); });
    window->setRunButtonDown(2, true);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0], showMsgBox("Error (7) :Out of memory", 7));

    window->setInitHandler([] { throw std::runtime_error("broken"); });
    window->cmdInit->click();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1], programMessageBox("Error: (5) \r\nbroken"));
}

TEST_F(MonitorViewTest, ButtonsAndTheTimerReachTheirHooks) {
    int inits = 0, ticks = 0, settings = 0;
    window->setInitHandler([&] { ++inits; });
    window->setTimerHandler([&] { ++ticks; });
    window->cmdInit->click();
    QMetaObject::invokeMethod(window->tmrTime, "timeout");
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(ticks, 1);

    window->cmdGrp->click(); // by default "&Set" shows the settings dialog
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"show"});
    window->setSettingsHandler([&] { ++settings; });
    window->cmdGrp->click();
    EXPECT_EQ(settings, 1);
    EXPECT_EQ(dialog.calls.size(), 1u);
}

TEST_F(MonitorViewTest, TheTimerRunsAtTheIntervalInForce) {
    struct Step {
        std::int32_t interval;
        bool enable;
        bool active;
    };
    const Step steps[] = {
        {250, true, true},  {250, false, false}, {0, true, false}, {-5, true, false},
        {1, true, true},    {40, true, true}, // enabled again with a new interval: the new one applies
        {40, false, false},
    };
    for (const auto& s : steps) {
        state.lngInterval = s.interval;
        window->setTimerEnabled(s.enable);
        EXPECT_EQ(window->tmrTime->isActive(), s.active) << s.interval << (s.enable ? " on" : " off");
        if (s.active) {
            EXPECT_EQ(window->tmrTime->interval(), s.interval);
        }
    }
}

TEST_F(MonitorViewTest, MessagesGoThroughTheBoxes) {
    window->showMessage("Error : 2 No such file");
    EXPECT_EQ(window->ShowMsg("続けますか", 3), 3); // answered with the default, Cancel
    EXPECT_EQ(window->ShowMsg("?", 2), 2);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0], programMessageBox("Error : 2 No such file"));
    EXPECT_EQ(boxes.shown[1], showMsgBox("続けますか", 3));
}

TEST_F(MonitorViewTest, ThePumpRunsPendingEvents) {
    bool ran = false;
    QTimer::singleShot(0, window.get(), [&ran] { ran = true; });
    window->letEventsRun(); // the first call is never within the budget
    EXPECT_TRUE(ran);

    bool posted = false;
    QMetaObject::invokeMethod(
        window.get(), [&posted] { posted = true; }, Qt::QueuedConnection);
    window->waitForEvents(60000); // returns once it has handled some
    EXPECT_TRUE(posted);

    bool later = false;
    QMetaObject::invokeMethod(
        window.get(), [&later] { later = true; }, Qt::QueuedConnection);
    window->waitForEvents(0);
    EXPECT_TRUE(later);
}

} // namespace
