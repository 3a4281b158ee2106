#include "core/ApplySettings.h"
#include "core/FieldSelector.h"
#include "core/MonitorState.h"
#include "tests/support/FakeApplyTarget.h"
#include "tests/support/FakeMonitorView.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

using enum DialogControl;

// The settings applying may write, to compare "nothing changed".
auto settingsOf(const MonitorState& s) {
    return std::tuple{s.strInFile,     s.strDelimit,  s.strViewSaveDir, s.strInFileTitle, s.intDatCol,
                      s.intLimit,      s.lngInterval, s.lngSpeed,       s.lngXmem,        s.lngRange,
                      s.lngFileLines,  s.dblMaxY,     s.dblMinY,        s.blnAutoMaxMin,  s.blnViewSave,
                      s.DatBuf.size(), s.lngDatPos};
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
    dialog().setText(txtInFile, dataFile);
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(logOf({"busy", "runEnabled", "pageRange", "headInfo", "timerInterval", "scaleLabel:4"}),
              (std::vector<std::string>{"busy:1", "runEnabled:0=1", "runEnabled:1=1", "runEnabled:2=1",
                                        "pageRange:1..3", "headInfo:表示項目数:500", "timerInterval:1000",
                                        "scaleLabel:4=0", "busy:0"}));
    EXPECT_EQ(state.lngFileLines, 12345);
    EXPECT_EQ(state.DatBuf.size(), 5001u) << "slots 0..max(lngRange, lngXmem)";
    EXPECT_FALSE(state.blnRun) << "setting the page range starts no replay";
    EXPECT_FALSE(dialog().okEnabled());

    // Applying again with the same fields gives the same settings and again
    // empties the buffer.
    const auto first = settingsOf(state);
    state.DatBuf[3].DVal = 7;
    state.lngDatPos = 3;
    dialog().setText(txtIniXmem, "5000");
    dialog().setText(txtIniXmem, "500");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(settingsOf(state), first);
    EXPECT_EQ(state.DatBuf[3].DVal, 0);
}

TEST_F(ApplyFixture, RejectsAMissingDataFileAndChangesNothing) {
    dir.write("a.csv", "1\n");
    for (const std::string& path : {dir.file("missing.csv"), dir.path(), dir.file("*.csv")}) {
        SCOPED_TRACE(path);
        state.strInFile = "/in/force.csv";
        m_dialog.reset();
        view.log.clear();
        const auto before = settingsOf(state);
        dialog().setText(txtInFile, path);
        ASSERT_EQ(apply(), ApplyOutcome::FileRejected);
        EXPECT_EQ(settingsOf(state), before);
        EXPECT_EQ(view.log, (std::vector<std::string>{"busy:1", "runEnabled:1=0", "runEnabled:2=0",
                                                      "ShowMsg:1=データファイルが正しくないか存在しません。"
                                                      "正しいファイルを指定して下さい。",
                                                      "busy:0"}));
        EXPECT_EQ(dialog().text(txtInFile), "/in/force.csv") << "the file in force comes back";
        EXPECT_TRUE(dialog().okEnabled());
    }
}

TEST_F(ApplyFixture, TakesTheFieldsAsTypedButStopsAtAMissingBitmapFolder) {
    DialogModel& d = dialog();
    d.setText(txtInFile, dataFile);
    d.setText(txtIniXmem, "8000");
    d.setText(txtIniInterval, "250");
    d.setText(txtIniLimit, "95");
    d.setChecked(chkIniMaxY, false);
    d.setText(txtIniMaxY, "1-2");
    d.setText(txtIniMinY, "1.2.3");
    d.setSpinValue(3);
    d.setChecked(chkViewSave, true);
    d.setText(txtViewSave, dataFile); // a file is no folder to save into
    state.strDelimit = "タブ";        // differs from the list, to see whether it is written
    state.dblNowMax = 50;

    ASSERT_EQ(apply(), ApplyOutcome::FolderStopped);
    EXPECT_EQ(logOf({"showPlainMessage", "ShowMsg", "focus", "busy", "timerInterval"}),
              (std::vector<std::string>{"busy:1", "showPlainMessage:Bitmap保存先Dirが正しくありません。",
                                        "focus:txtViewSave", "busy:0"}));
    EXPECT_TRUE(d.okEnabled());
    // Applied before the folder check, and not applied:
    EXPECT_EQ(state.DatBuf.size(), 8001u);
    EXPECT_EQ(state.intLimit, 95);
    EXPECT_EQ(state.strDelimit, "タブ");
    EXPECT_EQ(state.intDatCol, 1);
    EXPECT_EQ(state.lngInterval, 1000);
    EXPECT_EQ(state.strInFileTitle, "");

    d.setText(txtViewSave, dir.path() + "/");
    d.setText(txtSpeed, "70");
    state.blnRescale = false;
    view.log.clear();
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(logOf({"timerInterval"}), std::vector<std::string>{"timerInterval:250"});
    EXPECT_EQ(state.lngSpeed, 70);
    EXPECT_FALSE(state.blnAutoMaxMin);
    EXPECT_TRUE(state.blnViewSave);
    EXPECT_TRUE(state.blnRescale) << "the next value re-derives the scale";
    EXPECT_EQ(state.dblMaxY, 1);
    EXPECT_EQ(state.dblMinY, 1.2);
    EXPECT_EQ(state.strDelimit, "カンマ");
    EXPECT_EQ(state.intDatCol, 3);
    EXPECT_EQ(state.dblNowMax, 0) << "the field selector restarted Max/Min";
    EXPECT_EQ(state.strInFileTitle, "run2024");
}

// An interval or pace that is no number keeps the one in force and shows it
// again; bitmap saving unticked is applied too.
TEST_F(ApplyFixture, KeepsTheIntervalAndPaceInForceForTextsThatAreNoNumbers) {
    state.lngInterval = 300;
    state.lngSpeed = 20;
    state.blnViewSave = true;
    DialogModel& d = dialog();
    d.setText(txtInFile, dataFile);
    d.setText(txtIniInterval, "5abc"); // placed by code: keys could not type it
    d.setText(txtSpeed, "7x");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(std::tuple(state.lngInterval, state.lngSpeed), std::tuple(300, 20));
    EXPECT_EQ(std::tuple(d.text(txtIniInterval), d.text(txtSpeed)), std::tuple("300", "20"));
    EXPECT_TRUE(logOf({"timerInterval"}).empty());
    EXPECT_FALSE(state.blnViewSave);
    EXPECT_FALSE(d.okEnabled());
}

TEST_F(ApplyFixture, RefusesSettingsBeyondTheModelsLimitsBeforeApplyingAnything) {
    // lngFileLines ÷ lngRange + 1 pages
    const std::string pages32767 = dir.write("p1", std::string(32765, '\n')); // 32766 lines
    const std::string pages32768 = dir.write("p2", std::string(32766, '\n')); // 32767 lines
    const std::string huge(400, '9');
    // 100000000 slots is one more than the buffer may have.
    const std::tuple<std::string, DialogControl, std::string, bool> cases[] = {
        {dataFile, txtIniXmem, "100000000", true}, {dataFile, txtRange, "100000000", true},
        {pages32768, txtRange, "1", true},         {pages32767, txtRange, "1", false},
        {dataFile, txtIniMinY, "-" + huge, true},  {dataFile, txtDatCol, "1001", true},
        {dataFile, txtDatCol, "1000", false}};
    for (const auto& [file, field, text, refused] : cases) {
        SCOPED_TRACE(std::string(controlName(field)) + " <- " + text.substr(0, 12));
        m_dialog.reset();
        LoadMonitorDefaults(state);
        state.strInFile = "/in/force.csv";
        state.DatBuf[7].DVal = 3;
        const auto before = settingsOf(state);
        dialog().setText(txtInFile, file);
        dialog().setChecked(chkIniMaxY, false);
        dialog().setText(field, text);
        view.log.clear();
        ASSERT_EQ(apply(), refused ? ApplyOutcome::LimitRefused : ApplyOutcome::Applied);
        if (!refused)
            continue;
        EXPECT_EQ(settingsOf(state), before);
        EXPECT_EQ(state.DatBuf[7].DVal, 3) << "the buffer in force is kept";
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
