// The whole program as a user meets it: started with a data file on the
// command line, the settings applied in the dialog, then a live graph of a
// file a writer keeps appending to, and a replay.

#include "MainWindowFixture.h"

#include "mainwin/MainProgram.h"
#include "models/MessageBox.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsDialogHost.h"
#include "support/FakeMessageBoxes.h"
#include "support/Pixels.h"
#include "support/TempDir.h"
#include "text/TextDecoder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ProgramTest : public testing::Test {
protected:
    ProgramTest() {
        program.setQuitHandler([] {});
    }

    std::string caption(const char* label) { return child<QLabel>(window, label)->text().toStdString(); }
    QPushButton* runButton(int index) {
        return child<QPushButton>(window, ("chkStart_" + std::to_string(index)).c_str());
    }
    void apply() {
        QTest::mouseClick(child<QPushButton>(*program.settings().window(), "OKButton"), Qt::LeftButton);
    }
    int yellowPixels() { return pixelsOfColour(program.session().surface().image(), Qt::yellow); }

    TempDir dir;
    FakeMessageBoxes boxes;
    MainProgram program{std::make_unique<Utf8Decoder>(), boxes, [](auto&&...) { return FileChoice{}; },
                        [](auto&&...) { return std::string(); }};
    MainWindow& window = program.mainWindow();
};

TEST_F(ProgramTest, FromTheCommandLineToALiveGraphAndAReplay) {
    const std::string data = dir.write("my data.csv", "21.5,1013\n21.7,1012\n");
    program.start("\"" + data + "\"");
    SettingsDialog* dialog = program.settings().window();
    ASSERT_NE(dialog, nullptr) << "the command line opens the dialog";
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(program.settings().model().text(DialogControl::dataFileEdit), data)
        << "a path with a blank arrives whole";
    EXPECT_FALSE(runButton(2)->isEnabled()) << "nothing runs before the settings are applied";

    // Live: a writer appends while the timer runs every 50 ms.
    program.settings().model().setText(DialogControl::pollIntervalEdit, "50");
    apply();
    EXPECT_TRUE(runButton(2)->isEnabled());
    EXPECT_EQ(caption("lblHeadInfo"), "表示項目数:500");
    QTimer writer;
    int written = 0;
    QObject::connect(&writer, &QTimer::timeout,
                     [&] { dir.append("my data.csv", std::to_string(22 + written++) + ",1011\n"); });
    writer.start(30);
    QTest::mouseClick(runButton(2), Qt::LeftButton);
    EXPECT_EQ(child<QTimer>(window, "tmrTime")->interval(), 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.monitor().samples().newestSlot() >= 3; }, 5000));
    writer.stop();
    EXPECT_NE(caption("lblInfo").find("行 表示"), std::string::npos);
    EXPECT_GT(yellowPixels(), 0);
    QTest::mouseClick(runButton(0), Qt::LeftButton);
    EXPECT_FALSE(runButton(2)->isChecked());

    // Replay of what the file holds now.
    QTest::mouseClick(runButton(1), Qt::LeftButton);
    const int lines = 2 + written;
    EXPECT_EQ(caption("lblInfo"),
              std::to_string(lines) + "行目を表示中... " + std::to_string(lines + 1) + "行 表示完了");
    EXPECT_FALSE(runButton(1)->isChecked());
    EXPECT_TRUE(boxes.shown.empty());

    // The file goes away while it is followed: the run stops and says why.
    QTest::mouseClick(runButton(2), Qt::LeftButton);
    std::filesystem::remove(data);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.empty(); }, 3000));
    EXPECT_EQ(boxes.shown[0].text, data + "\r\nファイルが存在しませんでした。");
    EXPECT_FALSE(runButton(2)->isChecked());
}

TEST_F(ProgramTest, TheFieldSpinRestartsTheGraphWithTheOtherField) {
    const std::string data = dir.write("data.csv", "1,500\n2,600\n");
    program.start(data);
    apply();
    QTest::mouseClick(runButton(1), Qt::LeftButton);
    EXPECT_EQ(caption("lblNowValVal_0"), "Max: 2");

    child<QScrollBar>(window, "scrV")->setValue(2); // the user moves the main window's spin
    EXPECT_EQ(child<QLineEdit>(window, "txtWatch")->text(), QStringLiteral("2"));
    EXPECT_EQ(program.monitor().settings().column, 2);
    EXPECT_EQ(program.settings().model().text(DialogControl::columnEdit), "2");
    EXPECT_EQ(program.monitor().scale().highest(), 0) << "Max/Min restart";
    QTest::mouseClick(runButton(1), Qt::LeftButton);
    EXPECT_EQ(caption("lblNowValVal_0"), "Max: 600");
}

} // namespace
