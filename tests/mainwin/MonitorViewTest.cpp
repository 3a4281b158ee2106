// The main window as the core's MonitorView: its run buttons, the hooks
// into the monitor and their failures, and its timer.

#include "MainWindowFixture.h"

#include "support/TempDir.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <tuple>

namespace {

using MonitorViewTest = MainWindowTest;

TEST_F(MonitorViewTest, ARunButtonTogglesOnlyWhenItsStateChanges) {
    // The window alone: the monitor would raise the buttons again at once.
    QObject::disconnect(window.get(), &MainWindow::runButtonToggled, &session, nullptr);
    std::vector<RunButton> toggles;
    QObject::connect(window.get(), &MainWindow::runButtonToggled, window.get(),
                     [&toggles](RunButton button) { toggles.push_back(button); });
    MonitorView& view = session.view();
    using enum RunButton;
    // The button, its state and all toggles so far.
    const std::tuple<RunButton, bool, std::vector<RunButton>> steps[] = {{Replay, false, {}},
                                                                         {Replay, true, {Replay}},
                                                                         {Replay, true, {Replay}},
                                                                         {Live, true, {Replay, Live}}};
    for (const auto& [button, down, togglesSoFar] : steps) {
        view.setRunButtonDown(button, down);
        EXPECT_EQ(view.runButtonDown(button), down);
        EXPECT_EQ(toggles, togglesSoFar)
            << "after setting " << static_cast<int>(button) << (down ? " down" : " up");
    }
    QTest::mouseClick(control<QPushButton>("chkStart_2"), Qt::LeftButton); // the user's click: once, and up
    EXPECT_EQ(toggles, (std::vector<RunButton>{Replay, Live, Live}));
    EXPECT_FALSE(view.runButtonDown(Live));
}

TEST_F(MonitorViewTest, HooksAreReachedAndTheirFailuresReported) {
    TempDir dir;
    applySettingsFor(dir.write("data.csv", "40\n41\n"), 1); // pages of one line
    auto* timer = control<QTimer>("tmrTime");
    const auto label = [&](const char* name) { return control<QLabel>(name)->text().toStdString(); };
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(label("lblNowValVal_1"), "Now: 41") << "the timer ticks";
    control<QPushButton>("cmdInit")->click();
    EXPECT_EQ(label("lblNowValVal_1"), "Now: 0") << "&Init resets";
    control<QPushButton>("cmdGrp")->click(); // "&Set" shows the settings dialog
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"show"});
    EXPECT_TRUE(boxes.shown.empty());

    // Each hook reports in its own form.
    decoder->outOfMemory = true;
    control<QPushButton>("chkStart_1")->click();
    emit window->pageChosen(1);
    control<QPushButton>("chkStart_2")->click();
    QMetaObject::invokeMethod(timer, "timeout");
    using enum MessageButton;
    EXPECT_EQ(boxes.shown,
              (std::vector<MessageBoxDescription>{
                  {"警告", "Error (1007) :メモリが足りません。", {Ok}, Ok, Ok, MessageIcon::Exclamation},
                  {"Trendola", "Error: (1007) \r\nメモリが足りません。", {Ok}, Ok, Ok, MessageIcon::None},
                  {"Trendola", "Error : 1007 メモリが足りません。", {Ok}, Ok, Ok, MessageIcon::None}}));
    EXPECT_FALSE(timer->isActive()) << "a failed tick stops the run";
}

TEST_F(MonitorViewTest, TheTimerRunsAtTheIntervalInForce) {
    TempDir dir;
    MonitorSettings settings;
    settings.dataFile = dir.write("data.csv", "1\n");
    auto* timer = control<QTimer>("tmrTime");
    // Enabled again, the new interval applies; an interval of 0 runs nothing.
    for (auto [interval, enable, active] : {std::tuple{250, true, true}, std::tuple{0, true, false},
                                            std::tuple{40, true, true}, std::tuple{40, false, false}}) {
        settings.pollInterval = interval;
        apply(settings);
        session.view().setPollTimerEnabled(enable);
        EXPECT_EQ(timer->isActive(), active) << interval << (enable ? " on" : " off");
        EXPECT_TRUE(!active || timer->interval() == interval) << interval;
    }
    // Applying's new interval reaches a running timer as it is given.
    session.view().setPollTimerEnabled(true);
    session.view().setPollTimerInterval(250);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 250);
    session.view().setPollTimerInterval(0);
    EXPECT_FALSE(timer->isActive()) << "no ticks at interval 0";
    session.view().setPollTimerInterval(30);
    EXPECT_FALSE(timer->isActive()) << "a stopped timer stays stopped";
}

} // namespace
