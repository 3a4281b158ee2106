// The main window wired to the core: replays stopped from the window, the
// run buttons' cascade. Live monitoring from start-up on: ProgramTest.
// The settings are applied through the core, as the dialog will.

#include "core/ApplySettings.h"
#include "core/FieldSelector.h"
#include "core/TextDecoder.h"
#include "mainwin/MonitorSession.h"
#include "platform/widgets/SurfaceView.h"
#include "tests/support/TempDir.h"
#include "tests/mainwin/MainWindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

// The main-window side of applying: the run buttons and the timer.
class WindowTarget : public SettingsTarget {
public:
    explicit WindowTarget(frmMonMain& window) : m_window(window) {}
    void setRunButtonEnabled(int index, bool enabled) override {
        m_window.chkStart.at(index)->setEnabled(enabled);
    }
    void setPageScrollRange(int, int) override {}
    void setTimerInterval(std::int32_t) override {}
    void setDialogBusy(bool) override {}
    void focusDialogField(DialogControl) override {}

private:
    frmMonMain& m_window;
};

class MonitorWindowTest : public MainWindowTest {
protected:
    MonitorWindowTest() : session(state, *window, std::make_unique<Utf8Decoder>()) {
        showWindow();
        data = dir.file("data.csv");
    }

    void apply(const std::string& interval = "20") {
        DialogModel model(state);
        model.setText(DialogControl::txtInFile, data);
        model.setText(DialogControl::txtIniInterval, interval);
        FieldSelector selector(state, *window, [&]() -> DialogModel& { return model; });
        WindowTarget target(*window);
        ASSERT_EQ(applySettings(model, selector, *window, target), ApplyOutcome::Applied);
    }
    // Clicks as the user does.
    void click(int index) { QTest::mouseClick(window->chkStart[index], Qt::LeftButton); }
    std::string caption(const QLabel* label) const { return label->text().toStdString(); }

    TempDir dir;
    std::string data;
    MonitorSession session;
};

TEST_F(MonitorWindowTest, ReplayStopsFromTheWindowBeforeItsNextLine) {
    std::string lines;
    for (int i = 0; i < 200'000; ++i)
        lines += std::to_string(i % 1000) + "\n";
    dir.write("data.csv", lines);
    apply();
    for (int stopper : {0, 1}) {
        // The click arrives while the replay lets events run.
        QTimer::singleShot(0, window.get(), [&] { click(stopper); });
        click(1);
        const std::string info = caption(window->lblInfo);
        EXPECT_NE(info.find("行 表示完了"), std::string::npos) << info;
        EXPECT_EQ(info.find("200001行"), std::string::npos) << "stopped early: " << info;
        EXPECT_FALSE(window->runButtonDown(1));
        EXPECT_FALSE(state.blnRun);
    }
}

TEST_F(MonitorWindowTest, StopAndInitFromTheButtons) {
    dir.write("data.csv", "40\n");
    apply();
    click(0);
    EXPECT_FALSE(window->runButtonDown(0)) << "S&Ttop pops back up";

    click(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.lngDatPos >= 0; }, 3000));
    QTest::mouseClick(window->cmdInit, Qt::LeftButton);
    EXPECT_EQ(caption(window->lblNowValVal[1]), "Now: 0");
    EXPECT_TRUE(window->runButtonDown(2)) << "Init does not stop the run";
    click(0);
    EXPECT_FALSE(window->runButtonDown(2));
    EXPECT_FALSE(window->tmrTime->isActive());

    std::filesystem::remove(data);
    click(2);
    EXPECT_FALSE(window->runButtonDown(2)) << "no data file: everything stops";
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
