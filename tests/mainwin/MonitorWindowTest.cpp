// The main window wired to the core: the run buttons and "&Init" clicked as
// the user does. Live monitoring from start-up on: ProgramTest.

#include "core/MonitorSettings.h"
#include "core/TextDecoder.h"
#include "mainwin/MonitorSession.h"
#include "platform/widgets/SurfaceView.h"
#include "tests/mainwin/MainWindowFixture.h"
#include "tests/support/TempDir.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

class MonitorWindowTest : public MainWindowTest {
protected:
    MonitorWindowTest() : session(state, *window, std::make_unique<Utf8Decoder>()) {
        showWindow();
        data = dir.file("data.csv");
    }

    // Clicks as the user does.
    void click(int index) { QTest::mouseClick(window->chkStart[index], Qt::LeftButton); }
    std::string caption(const QLabel* label) const { return label->text().toStdString(); }

    TempDir dir;
    std::string data;
    MonitorSession session;
};

TEST_F(MonitorWindowTest, StopAndInitFromTheButtons) {
    dir.write("data.csv", "40\n");
    applySettingsFor(data);
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
