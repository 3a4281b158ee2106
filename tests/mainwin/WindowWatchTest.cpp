// The window's two watching items: a stale data file after the status line
// and in a grey Now label, the threshold's crossings in a red one and a
// beep; and nothing of either while they are off.

#include "MainWindowFixture.h"

#include "support/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct WindowWatchTest : MainWindowTest {
    TempDir dir;
    std::string data = dir.write("plant.csv", "95\n");
    int beeps = 0;

    WindowWatchTest() {
        session.watch().setBeep([this] { ++beeps; });
        MonitorSettings settings;
        settings.dataFile = data;
        settings.pollInterval = 20;
        settings.autoScale = false;
        settings.scaleTop = 100;
        settings.thresholdPercent = 80;
        apply(settings);
        control<QPushButton>("chkStart_2")->click(); // "&New"
        tickWith(""); // the first value sets the fixed scale once: 0..100 for 95
    }
    // One tick of the timer after `line` was appended (none for an empty one).
    void tickWith(const std::string& line) {
        if (!line.empty())
            dir.append("plant.csv", line + "\n");
        QMetaObject::invokeMethod(control<QTimer>("tmrTime"), "timeout");
    }
    std::string status() { return control<QLabel>("lblInfo")->text().toStdString(); }
    QColor nowColour() { return control<QLabel>("lblNowValVal_1")->palette().color(QPalette::WindowText); }
    void check(const char* item, bool on) {
        QAction* action = control<QAction>(item);
        if (action->isChecked() != on)
            action->trigger();
    }
    // The file's time stamp an hour back: it has not changed for that long.
    void ageDataFile() {
        const timespec hourAgo{::time(nullptr) - 3600, 0};
        const timespec times[2] = {hourAgo, hourAgo};
        ASSERT_EQ(::utimensat(AT_FDCWD, data.c_str(), times, 0), 0);
    }
};

const QColor kUsualBlue(0, 0, 255);

TEST_F(WindowWatchTest, TheItemsAreInTheViewMenuAndOffByDefault) {
    const auto items = control<QMenu>("mnuView")->actions();
    QStringList captions;
    for (const QAction* action : items)
        captions << action->text();
    EXPECT_TRUE(captions.contains(QStringLiteral("更新停止を表示する"))) << captions.join("|").toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("しきい値超えを知らせる")));
    for (const char* item : {"mnuViewStale", "mnuViewAlarm"}) {
        EXPECT_TRUE(control<QAction>(item)->isCheckable()) << item;
        EXPECT_FALSE(control<QAction>(item)->isChecked()) << item;
    }
    // Off: a stale file above the threshold shows as it always did.
    ageDataFile();
    tickWith("95");
    EXPECT_EQ(status(), "2行 表示");
    EXPECT_EQ(nowColour(), kUsualBlue);
    EXPECT_EQ(beeps, 0);
}

TEST_F(WindowWatchTest, AStaleFileIsToldAfterTheStatusLineAndInGrey) {
    check("mnuViewStale", true);
    ageDataFile();
    tickWith("");
    EXPECT_TRUE(status().starts_with("1行 表示 (更新なし 36")) << status();
    EXPECT_TRUE(status().ends_with("秒)")) << status();
    EXPECT_EQ(nowColour(), QColor(128, 128, 128));
    tickWith(""); // the note is replaced, not added again
    EXPECT_EQ(status().find("更新なし"), status().rfind("更新なし")) << status();
    tickWith("20"); // written to: fresh again
    EXPECT_EQ(status(), "2行 表示");
    EXPECT_EQ(nowColour(), kUsualBlue);
    ageDataFile();
    tickWith("");
    check("mnuViewStale", false); // switched off: at once
    EXPECT_EQ(status(), "2行 表示");
    EXPECT_EQ(nowColour(), kUsualBlue);
}

TEST_F(WindowWatchTest, TheThresholdAlarmIsRedAndBeepsOncePerCrossingUpward) {
    check("mnuViewAlarm", true);
    check("mnuViewStale", true);
    const std::tuple<const char*, int, QColor> steps[] = {
        // line, beeps so far, Now colour
        {"15", 0, kUsualBlue}, {"95", 1, Qt::red}, {"99", 1, Qt::red},    {"80", 1, kUsualBlue},
        {"95", 2, Qt::red},    {"x", 2, Qt::red},  {"15", 2, kUsualBlue},
    };
    for (const auto& [line, beepsSoFar, colour] : steps) {
        tickWith(line);
        EXPECT_EQ(beeps, beepsSoFar) << line;
        EXPECT_EQ(nowColour(), colour) << line;
    }
    tickWith("95");
    // Switched on again, the file is looked at afresh: from its time stamp.
    ageDataFile();
    check("mnuViewStale", false);
    check("mnuViewStale", true);
    tickWith("");
    EXPECT_NE(status().find("更新なし"), std::string::npos);
    EXPECT_EQ(nowColour(), QColor(Qt::red)) << "red wins over grey";
    // The run ends: its marks go with it.
    control<QPushButton>("chkStart_0")->click();
    EXPECT_EQ(status().find("更新なし"), std::string::npos) << status();
    EXPECT_EQ(nowColour(), kUsualBlue);
}

} // namespace
