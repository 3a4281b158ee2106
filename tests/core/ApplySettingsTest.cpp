#include "core/ApplySettings.h"
#include "FakeMonitorView.h"
#include "TempDir.h"
#include "core/FieldSelector.h"
#include "core/MonitorState.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

inline void PrintTo(ApplyOutcome outcome, std::ostream* os) {
    constexpr const char* kNames[] = {"Applied", "FileRejected", "LimitRefused", "FolderStopped"};
    *os << kNames[static_cast<int>(outcome)];
}

namespace {

using enum DialogControl;

// The controls applying writes beyond MonitorView, written to the view's log
// so the order across both can be checked.
class FakeSettingsTarget : public SettingsTarget {
public:
    explicit FakeSettingsTarget(FakeMonitorView& view) : m_view(view) {}
    void setRunButtonEnabled(int i, bool on) override {
        add("runEnabled:" + std::to_string(i) + "=" + flag(on));
    }
    void setPageScrollRange(int lo, int hi) override {
        add("pageRange:" + std::to_string(lo) + ".." + std::to_string(hi));
    }
    void setTimerInterval(std::int32_t ms) override { add("timerInterval:" + std::to_string(ms)); }
    void setDialogBusy(bool busy) override { add("busy:" + flag(busy)); }
    void focusDialogField(DialogControl field) override { add("focus:" + std::string(controlName(field))); }

private:
    static std::string flag(bool b) { return FakeMonitorView::flag(b); }
    void add(const std::string& entry) { m_view.record(entry); }
    FakeMonitorView& m_view;
};

// A data file whose line count (line ends + 1) is `lines`.
std::string linesOf(std::int64_t lines) {
    std::string text;
    for (std::int64_t i = 1; i < lines; ++i)
        text += std::to_string(i) + ",5\r\n";
    return text + "0,5";
}

// The settings applying may write, to compare "nothing changed".
struct Settings {
    std::string inFile, delimit, viewSaveDir, title;
    std::int16_t datCol, limit;
    std::int32_t interval, speed, xmem, xmemNormal, range;
    std::int64_t fileLines;
    double maxY, minY;
    bool autoMaxMin, viewSave, rescale;
    std::size_t slots;
    std::int32_t datPos;
    bool operator==(const Settings&) const = default;
};

Settings settingsOf(const MonitorState& s) {
    return {s.strInFile,   s.strDelimit,   s.strViewSaveDir, s.strInFileTitle, s.intDatCol,
            s.intLimit,    s.lngInterval,  s.lngSpeed,       s.lngXmem,        s.lngXmemNormal,
            s.lngRange,    s.lngFileLines, s.dblMaxY,        s.dblMinY,        s.blnAutoMaxMin,
            s.blnViewSave, s.blnRescale,   s.DatBuf.size(),  s.lngDatPos};
}

struct ApplyFixture : testing::Test {
    ApplyFixture() {
        LoadMonitorDefaults(state);
        dataFile = dir.write("run.2024.log", linesOf(12345));
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
    FakeSettingsTarget target{view};
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
    EXPECT_EQ(state.strInFile, dataFile);
    EXPECT_EQ(state.lngFileLines, 12345);
    EXPECT_EQ(state.lngRange, 5000);
    EXPECT_EQ(state.lngXmemNormal, 500);
    EXPECT_EQ(state.DatBuf.size(), 5001u);
    EXPECT_TRUE(state.blnRescale);
    EXPECT_FALSE(state.blnRun) << "setting the page range starts no replay";
    EXPECT_FALSE(dialog().okEnabled());

    // The last-line reader took over the count and goes on from there.
    std::string line, message;
    std::int64_t count = 0;
    ASSERT_TRUE(state.lastLineReader.read(dataFile, line, count, message));
    EXPECT_EQ(count, 12344);
    EXPECT_EQ(line, "12344,5\r\n");

    // Applying again with the same fields gives the same settings and again
    // empties the buffer.
    const Settings first = settingsOf(state);
    state.DatBuf[3].DVal = 7;
    state.lngDatPos = 3;
    dialog().setText(txtIniXmem, "5000");
    dialog().setText(txtIniXmem, "500");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(settingsOf(state), first);
    EXPECT_EQ(state.DatBuf[3].DVal, 0);
}

TEST_F(ApplyFixture, TakesTheFieldsAsTyped) {
    DialogModel& d = dialog();
    d.setText(txtInFile, dataFile);
    d.setText(txtIniXmem, "8000");
    d.setText(txtIniInterval, "250");
    d.setText(txtIniLimit, "95");
    d.setChecked(chkIniMaxY, false);
    d.setText(txtIniMaxY, "1-2");
    d.setText(txtIniMinY, "1.2.3");
    d.selectDelimiter("コロン");
    d.setSpinValue(3);
    state.dblNowMax = 50;

    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(state.DatBuf.size(), 8001u);
    EXPECT_EQ(view.headInfo, "表示項目数:8000");
    EXPECT_EQ(logOf({"timerInterval"}), std::vector<std::string>{"timerInterval:250"});
    EXPECT_EQ(state.intLimit, 95);
    EXPECT_FALSE(state.blnAutoMaxMin);
    EXPECT_EQ(state.dblMaxY, 1);
    EXPECT_EQ(state.dblMinY, 1.2);
    EXPECT_EQ(state.intDatCol, 3);
    EXPECT_EQ(selector.spinValue(), 3);
    EXPECT_EQ(state.dblNowMax, 0) << "the field selector restarted Max/Min";
}

TEST_F(ApplyFixture, RejectsAMissingDataFileAndChangesNothing) {
    dir.write("a.csv", "1\n");
    for (const std::string& path : {std::string(), dir.file("missing.csv"), dir.path(), dir.file("*.csv")}) {
        SCOPED_TRACE(path);
        state.strInFile = "/in/force.csv";
        m_dialog.reset();
        view.log.clear();
        const Settings before = settingsOf(state);
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

TEST_F(ApplyFixture, StopsAtAMissingBitmapFolderKeepingWhatWasApplied) {
    DialogModel& d = dialog();
    d.setText(txtInFile, dataFile);
    d.setText(txtIniXmem, "800");
    d.setText(txtIniLimit, "60");
    d.setText(txtIniInterval, "250");
    d.setText(txtSpeed, "40");
    d.setSpinValue(3);
    d.setChecked(chkViewSave, true);
    state.strDelimit = "タブ"; // differs from the list, to see whether it is written

    ASSERT_EQ(apply(), ApplyOutcome::FolderStopped);
    EXPECT_EQ(logOf({"showMessage", "ShowMsg", "focus", "busy", "timerInterval"}),
              (std::vector<std::string>{"busy:1", "showMessage:Bitmap保存先Dirが正しくありません。",
                                        "focus:txtViewSave", "busy:0"}));
    EXPECT_TRUE(d.okEnabled());
    // Applied before the folder check:
    EXPECT_EQ(state.strInFile, dataFile);
    EXPECT_EQ(state.lngFileLines, 12345);
    EXPECT_EQ(state.lngRange, 5000);
    EXPECT_EQ(state.lngXmem, 800);
    EXPECT_EQ(state.DatBuf.size(), 5001u);
    EXPECT_EQ(state.intLimit, 60);
    EXPECT_TRUE(state.blnViewSave);
    // Not applied:
    EXPECT_EQ(state.strDelimit, "タブ");
    EXPECT_EQ(state.intDatCol, 1);
    EXPECT_EQ(state.lngInterval, 1000);
    EXPECT_EQ(state.lngSpeed, 0);
}

TEST_F(ApplyFixture, AcceptsOnlyAnExistingFolderForBitmaps) {
    const struct {
        std::string folder;
        ApplyOutcome outcome;
    } cases[] = {
        {dir.path(), ApplyOutcome::Applied},     {dir.path() + "/", ApplyOutcome::Applied},
        {"", ApplyOutcome::FolderStopped},       {dir.file("nowhere"), ApplyOutcome::FolderStopped},
        {dataFile, ApplyOutcome::FolderStopped}, // a file is no folder to save into
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        state.strInFileTitle = "old";
        m_dialog.reset();
        dialog().setText(txtInFile, dataFile);
        dialog().setChecked(chkViewSave, true);
        dialog().setText(txtViewSave, c.folder);
        EXPECT_EQ(apply(), c.outcome);
        EXPECT_EQ(state.strViewSaveDir, c.folder);
        EXPECT_EQ(state.strInFileTitle, c.outcome == ApplyOutcome::Applied ? "run2024" : "old");
    }
}

TEST_F(ApplyFixture, RefusesSettingsBeyondTheModelsLimitsBeforeApplyingAnything) {
    // lngFileLines ÷ lngRange + 1 pages
    const std::string pages32767 = dir.write("p1", std::string(32765, '\n')); // 32766 lines
    const std::string pages32768 = dir.write("p2", std::string(32766, '\n')); // 32767 lines
    const std::string huge(400, '9');
    const struct {
        std::string file;
        DialogControl field;
        std::string text;
        bool refused;
    } cases[] = {
        {dataFile, txtIniXmem, "100000000", true}, // one slot more than the buffer may have
        {dataFile, txtIniXmem, "99999999999", true},
        {dataFile, txtRange, "100000000", true},
        {pages32768, txtRange, "1", true},
        {pages32767, txtRange, "1", false},
        {dataFile, txtIniMaxY, huge, true},
        {dataFile, txtIniMinY, "-" + huge, true},
        {dataFile, txtDatCol, "0", true},
        {dataFile, txtDatCol, "1001", true},
        {dataFile, txtDatCol, "1000", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(controlName(c.field)) + " <- " + c.text.substr(0, 12));
        m_dialog.reset();
        LoadMonitorDefaults(state);
        state.strInFile = "/in/force.csv";
        state.DatBuf[7].DVal = 3;
        const Settings before = settingsOf(state);
        dialog().setText(txtInFile, c.file);
        dialog().setChecked(chkIniMaxY, false);
        dialog().setText(c.field, c.text);
        view.log.clear();

        ASSERT_EQ(apply(), c.refused ? ApplyOutcome::LimitRefused : ApplyOutcome::Applied);
        if (!c.refused)
            continue;
        EXPECT_EQ(settingsOf(state), before);
        EXPECT_EQ(state.DatBuf[7].DVal, 3) << "the buffer in force is kept";
        EXPECT_EQ(logOf({"ShowMsg:1", "runEnabled"}).size(), 1u) << "one message, run buttons untouched";
        EXPECT_TRUE(dialog().okEnabled());
    }
}

TEST_F(ApplyFixture, IntervalAndSpeedThatAreNoNumbersFallBackToTheValuesInForce) {
    state.lngInterval = 250;
    state.lngSpeed = 40;
    dialog().setText(txtInFile, dataFile);
    dialog().setText(txtIniInterval, "12abc"); // only code could place these
    dialog().setText(txtSpeed, "7 ms");
    ASSERT_EQ(apply(), ApplyOutcome::Applied);
    EXPECT_EQ(dialog().text(txtIniInterval), "250");
    EXPECT_EQ(dialog().text(txtSpeed), "40");
    EXPECT_EQ(state.lngInterval, 250);
    EXPECT_EQ(state.lngSpeed, 40);
    EXPECT_TRUE(logOf({"timerInterval"}).empty()) << "the timer keeps its interval";
    EXPECT_FALSE(dialog().okEnabled());
}

TEST(DataFileTitle, IsTheFileNameWithoutExtensionOrDots) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"/log/data.csv", "data"},
        {"/log/a.b.txt", "ab"},
        {"/data/run.2024.log", "run2024"},
        {"/log/data", "data"},   // no dot: the whole name
        {"data.csv", "data"},    // a bare file name
        {"/log.d/data", "data"}, // a dot in a folder is not the name's
        {"/log/.data", "data"},  // a leading dot starts no extension
        {"/log/run.", "run"},
        {"C:\\log\\a:b.csv", "C:\\log\\a:b"}, // "\" and ":" belong to Linux file names
        {"/log/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dataFileTitle(c.path), c.title) << c.path;
}

} // namespace
