#include "models/DialogApply.h"
#include "support/FakeApplyTarget.h"
#include "support/MonitorFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

using enum DialogControl;

// What applying may write, to compare "nothing changed".
auto settingsOf(const Monitor& m) {
    const MonitorSettings& s = m.settings();
    return std::tuple{s.dataFile,
                      s.delimiterName,
                      s.sweepFolder,
                      m.sweepImageName(),
                      s.column,
                      s.thresholdPercent,
                      s.pollInterval,
                      s.replayPause,
                      s.pointsPerView,
                      s.pageSize,
                      m.dataFileLineCount(),
                      s.scaleTop,
                      s.scaleBottom,
                      s.autoScale,
                      s.saveSweepImages,
                      m.samples().size(),
                      m.samples().newestSlot()};
}

struct DialogApplyTest : MonitorFixture {
    DialogApplyTest() { dataFile = dir.write("run.2024.log", std::string(12344, '\n')); } // 12345 lines

    DialogModel& dialog() {
        if (!m_dialog)
            m_dialog.emplace(monitor);
        return *m_dialog;
    }
    ApplyOutcome applyFields() { return applyDialog(dialog(), view, target); }

    // The log entries that start with one of `starts`, in order.
    std::vector<std::string> logOf(std::initializer_list<std::string_view> starts) const {
        std::vector<std::string> picked;
        for (const std::string& entry : view.log)
            for (std::string_view name : starts)
                if (entry.starts_with(name))
                    picked.push_back(entry);
        return picked;
    }

    // Settings whose data file is "/in/force.csv".
    static MonitorSettings fileInForce() {
        MonitorSettings settings;
        settings.dataFile = "/in/force.csv";
        return settings;
    }

    std::string dataFile;
    FakeApplyTarget target{&view.log};
    std::optional<DialogModel> m_dialog;
};

TEST_F(DialogApplyTest, AppliesTheDefaultsInOrder) {
    dialog().setText(dataFileEdit, dataFile);
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(
        logOf({"busy", "runEnabled", "pageRange", "pointsPerView", "column", "pollInterval", "scaleLabel:4"}),
        (std::vector<std::string>{"busy:1", "runEnabled:0=1", "runEnabled:1=1", "runEnabled:2=1",
                                  "pageRange:1..3", "pointsPerView:表示項目数:500", "column:1",
                                  "pollInterval:1000", "scaleLabel:4=0", "busy:0"}));
    EXPECT_EQ(monitor.dataFileLineCount(), 12345);
    EXPECT_EQ(monitor.samples().size(), 5001u) << "slots 0..max(pageSize, pointsPerView)";
    EXPECT_FALSE(monitor.running()) << "setting the page range starts no replay";
    EXPECT_FALSE(dialog().okEnabled());

    // Applying again with the same fields gives the same settings and again
    // empties the ring.
    const auto first = settingsOf(monitor);
    monitor.samples().pushLive(7);
    dialog().setText(pointsPerViewEdit, "5000");
    dialog().setText(pointsPerViewEdit, "500");
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(settingsOf(monitor), first);
    EXPECT_EQ(monitor.samples().at(0).value, 0);
}

TEST_F(DialogApplyTest, RejectsAMissingDataFileAndChangesNothing) {
    dir.write("a.csv", "1\n");
    for (const std::string& path : {dir.file("missing.csv"), dir.path(), dir.file("*.csv")}) {
        SCOPED_TRACE(path);
        apply(fileInForce());
        m_dialog.reset();
        view.log.clear();
        const auto before = settingsOf(monitor);
        dialog().setText(dataFileEdit, path);
        ASSERT_EQ(applyFields(), ApplyOutcome::FileRejected);
        EXPECT_EQ(settingsOf(monitor), before);
        EXPECT_EQ(view.log,
                  (std::vector<std::string>{"busy:1", "runEnabled:1=0", "runEnabled:2=0",
                                            "showMessage:1=データファイルが正しくないか存在しません。"
                                            "正しいファイルを指定して下さい。",
                                            "busy:0"}));
        EXPECT_EQ(dialog().text(dataFileEdit), "/in/force.csv") << "the file in force comes back";
        EXPECT_TRUE(dialog().okEnabled());
    }
}

TEST_F(DialogApplyTest, TakesTheFieldsAsTypedButStopsAtAMissingSweepFolder) {
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
    monitor.setDelimiterName("タブ");     // differs from the list, to see whether it is written

    ASSERT_EQ(applyFields(), ApplyOutcome::FolderStopped);
    EXPECT_EQ(logOf({"showPlainMessage", "showMessage", "focus", "busy", "column", "pollInterval"}),
              (std::vector<std::string>{"busy:1", "showPlainMessage:Bitmap保存先Dirが正しくありません。",
                                        "focus:txtViewSave", "busy:0"}));
    EXPECT_TRUE(d.okEnabled());
    // Applied before the folder check, and not applied:
    EXPECT_EQ(monitor.samples().size(), 8001u);
    EXPECT_EQ(monitor.settings().thresholdPercent, 95);
    EXPECT_EQ(monitor.settings().delimiterName, "タブ");
    EXPECT_EQ(monitor.settings().column, 1);
    EXPECT_EQ(monitor.settings().pollInterval, 1000);
    EXPECT_EQ(monitor.sweepImageName(), "");

    d.setText(sweepFolderEdit, dir.path() + "/");
    d.setText(replayPauseEdit, "70");
    monitor.scale().clearRescale();
    view.log.clear();
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(logOf({"column", "pollInterval"}), (std::vector<std::string>{"column:3", "pollInterval:250"}));
    const MonitorSettings& s = monitor.settings();
    EXPECT_EQ(s.replayPause, 70);
    EXPECT_FALSE(s.autoScale);
    EXPECT_TRUE(s.saveSweepImages);
    EXPECT_TRUE(monitor.scale().rescalePending()) << "the next value re-derives the scale";
    EXPECT_EQ(std::tuple(s.scaleTop, s.scaleBottom), std::tuple(1.0, 1.2));
    EXPECT_EQ(s.delimiterName, "カンマ");
    EXPECT_EQ(s.column, 3);
    EXPECT_EQ(monitor.sweepImageName(), "run2024");
}

// An interval or pace that is no number keeps the one in force and shows it
// again; sweep pictures unticked are applied too.
TEST_F(DialogApplyTest, KeepsTheIntervalAndPaceInForceForTextsThatAreNoNumbers) {
    MonitorSettings inForce;
    inForce.saveSweepImages = true;
    inForce.sweepFolder = dir.path();
    inForce.pollInterval = 300;
    inForce.replayPause = 20;
    apply(inForce);
    DialogModel& d = dialog();
    d.setText(dataFileEdit, dataFile);
    d.setText(pollIntervalEdit, "5abc"); // placed by code: keys could not type it
    d.setText(replayPauseEdit, "7x");
    view.log.clear();
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(std::tuple(monitor.settings().pollInterval, monitor.settings().replayPause),
              std::tuple(300, 20));
    EXPECT_EQ(std::tuple(d.text(pollIntervalEdit), d.text(replayPauseEdit)), std::tuple("300", "20"));
    // The timer may be told the interval in force again, never another one.
    EXPECT_THAT(logOf({"pollInterval"}), testing::Each(testing::Eq("pollInterval:300")));
    EXPECT_FALSE(monitor.settings().saveSweepImages);
    EXPECT_FALSE(d.okEnabled());
}

TEST_F(DialogApplyTest, RefusesSettingsBeyondTheModelsLimitsBeforeApplyingAnything) {
    // dataFileLineCount ÷ pageSize + 1 pages
    const std::string pages32767 = dir.write("p1", std::string(32765, '\n')); // 32766 lines
    const std::string pages32768 = dir.write("p2", std::string(32766, '\n')); // 32767 lines
    const std::string huge(400, '9');
    // 100000000 slots is one more than the ring may have.
    const std::tuple<std::string, DialogControl, std::string, bool> cases[] = {
        {dataFile, pointsPerViewEdit, "100000000", true},
        {dataFile, pageSizeEdit, "100000000", true},
        {pages32768, pageSizeEdit, "1", true},
        {pages32767, pageSizeEdit, "1", false},
        {dataFile, scaleBottomEdit, "-" + huge, true},
        {dataFile, columnEdit, "1001", true},
        {dataFile, columnEdit, "1000", false}};
    for (const auto& [file, field, text, refused] : cases) {
        SCOPED_TRACE(std::string(controlName(field)) + " <- " + text.substr(0, 12));
        m_dialog.reset();
        apply(fileInForce());
        monitor.samples().pushLive(3);
        const auto before = settingsOf(monitor);
        dialog().setText(dataFileEdit, file);
        dialog().setChecked(autoScaleCheck, false);
        dialog().setText(field, text);
        view.log.clear();
        target.focused.reset();
        ASSERT_EQ(applyFields(), refused ? ApplyOutcome::LimitRefused : ApplyOutcome::Applied);
        if (!refused)
            continue;
        EXPECT_EQ(settingsOf(monitor), before);
        EXPECT_EQ(monitor.samples().at(0).value, 3) << "the ring in force is kept";
        EXPECT_EQ(logOf({"showMessage:1", "runEnabled"}).size(), 1u) << "one message, run buttons untouched";
        // The column has no field to fix: the user changes it through its spin.
        EXPECT_EQ(target.focused, field == columnEdit ? std::nullopt : std::optional(field));
        EXPECT_TRUE(dialog().okEnabled());
    }
}

// The pattern and the fitted scale are applied with the other settings, and
// a new dialog shows them in force, so applying again keeps them.
TEST_F(DialogApplyTest, AppliesThePatternAndTheFittedScaleAndShowsThemAgain) {
    dialog().setText(dataFileEdit, dir.write("log.txt", "start\nINFO temp=1\nWARN x\nINFO temp=2\n"));
    EXPECT_TRUE(dialog().control(patternEdit).locked) << "locked until its box is checked";
    dialog().setChecked(patternCheck, true);
    EXPECT_FALSE(dialog().control(patternEdit).locked);
    dialog().setText(patternEdit, "temp=([0-9]+)");
    dialog().setChecked(fitScaleCheck, true);
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(monitor.settings().pattern, "temp=([0-9]+)");
    EXPECT_TRUE(monitor.settings().fitScale);
    ASSERT_NE(monitor.pattern(), nullptr);
    EXPECT_EQ(monitor.dataFileLineCount(), 3) << "the matching lines, and one";

    m_dialog.reset();
    EXPECT_TRUE(dialog().control(patternCheck).checked);
    EXPECT_EQ(dialog().text(patternEdit), "temp=([0-9]+)");
    EXPECT_TRUE(dialog().control(fitScaleCheck).checked);
    dialog().setText(dataFileEdit, dir.file("log.txt"));
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(monitor.settings().pattern, "temp=([0-9]+)") << "applying again keeps it";

    dialog().setChecked(patternCheck, false);
    dialog().setChecked(fitScaleCheck, false);
    ASSERT_EQ(applyFields(), ApplyOutcome::Applied);
    EXPECT_EQ(monitor.settings().pattern, "") << "a cleared box drops the text";
    EXPECT_EQ(monitor.pattern(), nullptr);
    EXPECT_FALSE(monitor.settings().fitScale);
    EXPECT_EQ(monitor.dataFileLineCount(), 5);
}

TEST_F(DialogApplyTest, RefusesAMissingOrInvalidPatternAndChangesNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "抽出パターンを入力して下さい。"},
        {"temp=(", "抽出パターンが正しくありません。\r\nmissing closing parenthesis (offset 6)"},
        {"x{2,1}", "抽出パターンが正しくありません。\r\nnumbers out of order in {} quantifier (offset 5)"},
    };
    for (const auto& [pattern, message] : cases) {
        SCOPED_TRACE(pattern);
        m_dialog.reset();
        apply(fileInForce());
        const auto before = std::tuple(settingsOf(monitor), monitor.settings().pattern);
        dialog().setText(dataFileEdit, dataFile);
        dialog().setChecked(patternCheck, true);
        dialog().setText(patternEdit, pattern);
        view.log.clear();
        target.focused.reset();
        ASSERT_EQ(applyFields(), ApplyOutcome::LimitRefused);
        EXPECT_EQ(std::tuple(settingsOf(monitor), monitor.settings().pattern), before);
        EXPECT_EQ(logOf({"showMessage"}), (std::vector<std::string>{"showMessage:1=" + message}));
        EXPECT_EQ(target.focused, std::optional(patternEdit));
    }
}

// A name without a dot is the whole name; "\\" and ":" belong to Linux file names.
TEST(DataFileBaseName, IsTheFileNameWithoutExtensionOrDots) {
    const std::pair<const char*, const char*> cases[] = {
        {"/log/a.b.txt", "ab"}, {"/log/data", "data"},
        {"data.csv", "data"},   {"/log.d/data", "data"},
        {"/log/.data", "data"}, {"C:\\log\\a:b.csv", "C:\\log\\a:b"},
        {"/log/", ""}};
    for (const auto& [path, name] : cases)
        EXPECT_EQ(dataFileBaseName(path), name) << path;
}

} // namespace
