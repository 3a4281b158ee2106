#include "models/DialogApply.h"
#include "models/ColumnSelector.h"
#include "monitor/Monitor.h"
#include "support/FakeApplyTarget.h"
#include "support/FakeMonitorView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

using enum DialogControl;

// The settings applying may write, to compare "nothing changed".
auto settingsOf(const MonitorState& s) {
    return std::tuple{s.dataFile,     s.delimiterName,  s.sweepFolder, s.dataFileBaseName, s.column,
                      s.thresholdPercent,      s.pollInterval, s.replayPause,       s.pointsPerView,        s.pageSize,
                      s.dataFileLineCount,  s.scaleTop,     s.scaleBottom,        s.autoScale,  s.saveSweepImages,
                      s.samples.size(), s.newestSlot};
}

struct ApplyFixture : testing::Test {
    ApplyFixture() {
        LoadMonitorDefaults(state);
        dataFile = dir.write("run.2024.log", std::string(12344, '\n')); // 12345 lines
    }

    DialogModel& dialog() {
        if (!m_dialog)
            m_dialog.emplace(state);
        return *m_dialog;
    }
    ApplyOutcome apply() { return applySettings(dialog(), selector, view, target); }

    // The log entries that start with one of `starts`, in order.
    std::vector<std::string> logOf(std::initializer_list<std::string_view> starts) const {
        std::vector<std::string> picked;
        for (const std::string& entry : view.log)
            for (std::string_view name : starts)
                if (entry.starts_with(name))
                    picked.push_back(entry);
        return picked;
    }

    TempDir dir;
    std::string dataFile;
    MonitorState state;
    FakeMonitorView view;
    FakeApplyTarget target{&view.log};
    std::optional<DialogModel> m_dialog;
    FieldSelector selector{state, view, [this]() -> DialogModel& { return dialog(); }};
};

TEST_F(ApplyFixture, AppliesTheDefaultsInOrder) {
    dialog().setText(dataFileEdit, dataFile);
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(logOf({"busy", "runEnabled", "pageRange", "headInfo", "timerInterval", "scaleLabel:4"}),
              (std::vector<std::string>{"busy:1", "runEnabled:0=1", "runEnabled:1=1", "runEnabled:2=1",
                                        "pageRange:1..3", "headInfo:表示項目数:500", "timerInterval:1000",
                                        "scaleLabel:4=0", "busy:0"}));
    EXPECT_EQ(state.dataFileLineCount, 12345);
    EXPECT_EQ(state.samples.size(), 5001u) << "slots 0..max(pageSize, pointsPerView)";
    EXPECT_FALSE(state.running) << "setting the page range starts no replay";
    EXPECT_FALSE(dialog().okEnabled());

    // Applying again with the same fields gives the same settings and again
    // empties the buffer.
    const auto first = settingsOf(state);
    state.samples[3].value = 7;
    state.newestSlot = 3;
    dialog().setText(pointsPerViewEdit, "5000");
    dialog().setText(pointsPerViewEdit, "500");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(settingsOf(state), first);
    EXPECT_EQ(state.samples[3].value, 0);
}

TEST_F(ApplyFixture, RejectsAMissingDataFileAndChangesNothing) {
    dir.write("a.csv", "1\n");
    for (const std::string& path : {dir.file("missing.csv"), dir.path(), dir.file("*.csv")}) {
        SCOPED_TRACE(path);
        state.dataFile = "/in/force.csv";
        m_dialog.reset();
        view.log.clear();
        const auto before = settingsOf(state);
        dialog().setText(dataFileEdit, path);
        ASSERT_EQ(apply(), ApplyOutcome::FileRejected);
        EXPECT_EQ(settingsOf(state), before);
        EXPECT_EQ(view.log, (std::vector<std::string>{"busy:1", "runEnabled:1=0", "runEnabled:2=0",
                                                      "ShowMsg:1=データファイルが正しくないか存在しません。"
                                                      "正しいファイルを指定して下さい。",
                                                      "busy:0"}));
        EXPECT_EQ(dialog().text(dataFileEdit), "/in/force.csv") << "the file in force comes back";
        EXPECT_TRUE(dialog().okEnabled());
    }
}

TEST_F(ApplyFixture, TakesTheFieldsAsTypedButStopsAtAMissingBitmapFolder) {
    DialogModel& d = dialog();
    d.setText(dataFileEdit, dataFile);
    d.setText(pointsPerViewEdit, "8000");
    d.setText(pollIntervalEdit, "250");
    d.setText(thresholdEdit, "95");
    d.setChecked(autoScaleCheck, false);
    d.setText(scaleTopEdit, "1-2");
    d.setText(scaleBottomEdit, "1.2.3");
    d.setSpinValue(3);
    d.setChecked(saveSweepImagesCheck, true);
    d.setText(sweepFolderEdit, dataFile); // a file is no folder to save into
    state.delimiterName = "タブ";        // differs from the list, to see whether it is written
    state.highest = 50;

    ASSERT_EQ(apply(), ApplyOutcome::FolderStopped);
    EXPECT_EQ(logOf({"showPlainMessage", "ShowMsg", "focus", "busy", "timerInterval"}),
              (std::vector<std::string>{"busy:1", "showPlainMessage:Bitmap保存先Dirが正しくありません。",
                                        "focus:txtViewSave", "busy:0"}));
    EXPECT_TRUE(d.okEnabled());
    // Applied before the folder check, and not applied:
    EXPECT_EQ(state.samples.size(), 8001u);
    EXPECT_EQ(state.thresholdPercent, 95);
    EXPECT_EQ(state.delimiterName, "タブ");
    EXPECT_EQ(state.column, 1);
    EXPECT_EQ(state.pollInterval, 1000);
    EXPECT_EQ(state.dataFileBaseName, "");

    d.setText(sweepFolderEdit, dir.path() + "/");
    d.setText(replayPauseEdit, "70");
    state.rescalePending = false;
    view.log.clear();
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(logOf({"timerInterval"}), std::vector<std::string>{"timerInterval:250"});
    EXPECT_EQ(state.replayPause, 70);
    EXPECT_FALSE(state.autoScale);
    EXPECT_TRUE(state.saveSweepImages);
    EXPECT_TRUE(state.rescalePending) << "the next value re-derives the scale";
    EXPECT_EQ(state.scaleTop, 1);
    EXPECT_EQ(state.scaleBottom, 1.2);
    EXPECT_EQ(state.delimiterName, "カンマ");
    EXPECT_EQ(state.column, 3);
    EXPECT_EQ(state.highest, 0) << "the field selector restarted Max/Min";
    EXPECT_EQ(state.dataFileBaseName, "run2024");
}

// An interval or pace that is no number keeps the one in force and shows it
// again; bitmap saving unticked is applied too.
TEST_F(ApplyFixture, KeepsTheIntervalAndPaceInForceForTextsThatAreNoNumbers) {
    state.pollInterval = 300;
    state.replayPause = 20;
    state.saveSweepImages = true;
    DialogModel& d = dialog();
    d.setText(dataFileEdit, dataFile);
    d.setText(pollIntervalEdit, "5abc"); // placed by code: keys could not type it
    d.setText(replayPauseEdit, "7x");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(std::tuple(state.pollInterval, state.replayPause), std::tuple(300, 20));
    EXPECT_EQ(std::tuple(d.text(pollIntervalEdit), d.text(replayPauseEdit)), std::tuple("300", "20"));
    EXPECT_TRUE(logOf({"timerInterval"}).empty());
    EXPECT_FALSE(state.saveSweepImages);
    EXPECT_FALSE(d.okEnabled());
}

TEST_F(ApplyFixture, RefusesSettingsBeyondTheModelsLimitsBeforeApplyingAnything) {
    // dataFileLineCount ÷ pageSize + 1 pages
    const std::string pages32767 = dir.write("p1", std::string(32765, '\n')); // 32766 lines
    const std::string pages32768 = dir.write("p2", std::string(32766, '\n')); // 32767 lines
    const std::string huge(400, '9');
    // 100000000 slots is one more than the buffer may have.
    const std::tuple<std::string, DialogControl, std::string, bool> cases[] = {
        {dataFile, pointsPerViewEdit, "100000000", true}, {dataFile, pageSizeEdit, "100000000", true},
        {pages32768, pageSizeEdit, "1", true},         {pages32767, pageSizeEdit, "1", false},
        {dataFile, scaleBottomEdit, "-" + huge, true},  {dataFile, columnEdit, "1001", true},
        {dataFile, columnEdit, "1000", false}};
    for (const auto& [file, field, text, refused] : cases) {
        SCOPED_TRACE(std::string(controlName(field)) + " <- " + text.substr(0, 12));
        m_dialog.reset();
        LoadMonitorDefaults(state);
        state.dataFile = "/in/force.csv";
        state.samples[7].value = 3;
        const auto before = settingsOf(state);
        dialog().setText(dataFileEdit, file);
        dialog().setChecked(autoScaleCheck, false);
        dialog().setText(field, text);
        view.log.clear();
        ASSERT_EQ(apply(), refused ? ApplyOutcome::LimitRefused : ApplyOutcome::Applied);
        if (!refused)
            continue;
        EXPECT_EQ(settingsOf(state), before);
        EXPECT_EQ(state.samples[7].value, 3) << "the buffer in force is kept";
        EXPECT_EQ(logOf({"ShowMsg:1", "runEnabled"}).size(), 1u) << "one message, run buttons untouched";
        EXPECT_TRUE(dialog().okEnabled());
    }
}

// A name without a dot is the whole name; "\\" and ":" belong to Linux file names.
TEST(DataFileTitle, IsTheFileNameWithoutExtensionOrDots) {
    const std::pair<const char*, const char*> cases[] = {
        {"/log/a.b.txt", "ab"}, {"/log/data", "data"},
        {"data.csv", "data"},   {"/log.d/data", "data"},
        {"/log/.data", "data"}, {"C:\\log\\a:b.csv", "C:\\log\\a:b"},
        {"/log/", ""}};
    for (const auto& [path, title] : cases)
        EXPECT_EQ(dataFileTitle(path), title) << path;
}

} // namespace
