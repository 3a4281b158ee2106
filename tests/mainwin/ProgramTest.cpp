// The whole program as a user meets it: started with a data file on the
// command line, the settings applied in the dialog, then a live graph of a
// file a writer keeps appending to, and a replay.

#include "models/MessageBox.h"
#include "text/TextDecoder.h"
#include "mainwin/MainProgram.h"
#include "widgets/SurfaceView.h"
#include "settings/SettingsDialogHost.h"
#include "settings/SettingsDialog.h"
#include "support/FakeMessageBoxes.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

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
        program.mainWindow().setEndProgramHandler([] {});
    }

    std::string caption(const QLabel* label) const { return label->text().toStdString(); }
    int yellowPixels() { return pixelsOfColour(*program.mainWindow().graphView->image(), Qt::yellow); }

    TempDir dir;
    FakeMessageBoxes boxes;
    MainProgram program{std::make_unique<Utf8Decoder>(), boxes, [](auto&&...) { return FileChoice{}; },
                        [](QWidget*, const std::string&, std::string& path) { path.clear(); }};
};

TEST_F(ProgramTest, FromTheCommandLineToALiveGraphAndAReplay) {
    const std::string data = dir.write("my data.csv", "21.5,1013\n21.7,1012\n");
    program.start("\"" + data + "\"");
    SettingsDialog* dialog = program.settings().window();
    ASSERT_NE(dialog, nullptr) << "the command line opens the dialog";
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(program.settings().model().text(DialogControl::dataFileEdit), data)
        << "a path with a blank arrives whole";
    MainWindow& window = program.mainWindow();
    EXPECT_FALSE(window.runButtons[2]->isEnabled()) << "nothing runs before the settings are applied";

    QTest::mouseClick(dialog->applyButton, Qt::LeftButton);
    EXPECT_TRUE(window.runButtons[2]->isEnabled());
    EXPECT_EQ(caption(window.pointsPerViewLabel), "表示項目数:500");

    // Live: a writer appends while the timer runs (every 50 ms here).
    program.state().pollInterval = 50;
    QTimer writer;
    int written = 0;
    QObject::connect(&writer, &QTimer::timeout,
                     [&] { dir.append("my data.csv", std::to_string(22 + written++) + ",1011\n"); });
    writer.start(30);
    QTest::mouseClick(window.runButtons[2], Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.state().newestSlot >= 3; }, 5000));
    writer.stop();
    EXPECT_NE(caption(window.statusLabel).find("行 表示"), std::string::npos);
    EXPECT_GT(yellowPixels(), 0);
    QTest::mouseClick(window.runButtons[0], Qt::LeftButton);
    EXPECT_FALSE(window.runButtons[2]->isChecked());

    // Replay of what the file holds now.
    QTest::mouseClick(window.runButtons[1], Qt::LeftButton);
    const int lines = 2 + written;
    EXPECT_EQ(caption(window.statusLabel),
              std::to_string(lines) + "行目を表示中... " + std::to_string(lines + 1) + "行 表示完了");
    EXPECT_FALSE(window.runButtons[1]->isChecked());
    EXPECT_TRUE(boxes.shown.empty());

    // The file goes away while it is followed: the run stops and says why.
    QTest::mouseClick(window.runButtons[2], Qt::LeftButton);
    std::filesystem::remove(data);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.empty(); }, 3000));
    EXPECT_EQ(boxes.shown[0].text, data + "\r\nファイルが存在しませんでした。");
    EXPECT_FALSE(window.runButtons[2]->isChecked());
}

TEST_F(ProgramTest, TheFieldSpinRestartsTheGraphWithTheOtherField) {
    const std::string data = dir.write("data.csv", "1,500\n2,600\n");
    program.start(data);
    QTest::mouseClick(program.settings().window()->applyButton, Qt::LeftButton);
    QTest::mouseClick(program.mainWindow().runButtons[1], Qt::LeftButton);
    EXPECT_EQ(caption(program.mainWindow().valueLabels[0]), "Max: 2");

    program.mainWindow().columnScrollBar->setValue(2); // the user moves the main window's spin
    EXPECT_EQ(program.mainWindow().columnEdit->text(), QStringLiteral("2"));
    EXPECT_EQ(program.state().column, 2);
    EXPECT_EQ(program.settings().model().text(DialogControl::columnEdit), "2");
    EXPECT_EQ(program.state().highest, 0) << "Max/Min restart";
    QTest::mouseClick(program.mainWindow().runButtons[1], Qt::LeftButton);
    EXPECT_EQ(caption(program.mainWindow().valueLabels[0]), "Max: 600");
}

} // namespace
