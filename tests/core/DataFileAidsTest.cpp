#include "core/DataFileAids.h"
#include "FakeMonitorView.h"
#include "TempDir.h"
#include "core/DialogModel.h"
#include "core/MonitorState.h"
#include "core/TextDecoder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using enum DialogControl;

struct AidsFixture : testing::Test {
    AidsFixture() { LoadMonitorDefaults(state); }
    TempDir dir;
    MonitorState state;
    FakeMonitorView view;
    Utf8Decoder decoder;
};

TEST_F(AidsFixture, FirstLineTestShowsTheChosenField) {
    const struct {
        std::string bytes;
        const char* delimiter;
        bool skipRuns;
        int column;
        std::string shown;
        std::uint32_t colour;
    } cases[] = {
        {"12,34,56\r\n78,90", "カンマ", false, 2, "34", kColorWindowText},
        {"12,34,56\r\n", "カンマ", false, 5, "Error", kColorRed},
        {"12,34\n56,78", "カンマ", false, 2, "34", kColorWindowText}, // LF ends a line too
        {"1\r2,3", "カンマ", false, 2, "Error", kColorRed},           // and a lone CR
        {"a  b", "スペース", true, 2, "b", kColorWindowText},
        {"a  b", "スペース", false, 2, "", kColorWindowText}, // an empty field is a field
        {"\r\n5", "カンマ", false, 1, "Error", kColorRed},    // an empty first line
        {"1\t値\t3", "タブ", false, 2, "値", kColorWindowText},
        {"", "カンマ", false, 1, "", kColorWindowText}, // an empty file shows nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes) + " field " + std::to_string(c.column));
        state.blnDelimitSkip = false; // a new dialog's box starts cleared whatever the setting
        DialogModel dialog(state);
        dialog.setText(txtInFile, dir.write("data.csv", c.bytes));
        dialog.selectDelimiter(c.delimiter); // in force at once, before any applying
        dialog.setChecked(chkDelimit, c.skipRuns);
        dialog.setSpinValue(c.column);
        dialog.setText(txtDatTest, "old");
        cmdDatTest_Click(dialog, decoder);
        EXPECT_EQ(dialog.text(txtDatTest), c.shown);
        EXPECT_EQ(dialog.control(txtDatTest).foreColor, c.colour);
    }
}

TEST_F(AidsFixture, WithoutAFileTheAidsShowNothingOrSaySo) {
    const std::string unreadable = dir.write("locked.csv", "1,2\n");
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    for (const std::string& path : {std::string(), dir.file("missing.csv"), dir.path(), unreadable}) {
        SCOPED_TRACE(path);
        if (path == unreadable && ::access(path.c_str(), R_OK) == 0)
            continue; // root reads anything
        DialogModel dialog(state);
        dialog.setText(txtInFile, path);
        dialog.setText(txtDatTest, "old");
        cmdDatTest_Click(dialog, decoder);
        EXPECT_EQ(dialog.text(txtDatTest), "");

        view.msgBoxes.clear();
        cmdFileEnd_Click(dialog, view);
        EXPECT_EQ(dialog.text(txtRange), "5000");
        EXPECT_EQ(view.msgBoxes, (std::vector<std::pair<std::string, int>>{
                                     {"データファイル名が正しく指定されていません。", 1}}));
    }
}

TEST_F(AidsFixture, PageSizeButtonTakesTheLineCount) {
    std::string hundred;
    for (int i = 0; i < 100; ++i)
        hundred += std::to_string(i) + "\r\n";
    const std::string readOnly = dir.write("ro.csv", hundred);
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    const struct {
        std::string path;
        const char* range;
    } cases[] = {
        {dir.write("empty.csv", ""), "1"}, // the line number at the end of an empty file
        {dir.write("rw.csv", hundred), "101"},
        {readOnly, "101"}, // the same count whatever the permissions
    };
    for (const auto& c : cases) {
        DialogModel dialog(state);
        dialog.setText(txtInFile, c.path);
        dialog.setOkEnabled(false);
        cmdFileEnd_Click(dialog, view);
        EXPECT_EQ(dialog.text(txtRange), c.range) << c.path;
        EXPECT_TRUE(dialog.okEnabled());
    }
    EXPECT_TRUE(view.msgBoxes.empty());
}

TEST_F(AidsFixture, ChoosingTheDataFileKeepsTheOldPathWhenCancelled) {
    const struct {
        const char* before;
        const char* chosen;
        const char* after;
        bool okEnabled;
        int previews;
    } cases[] = {
        {"/old.csv", "/new.csv", "/new.csv", true, 1},
        {"/old.csv", "", "/old.csv", true, 2}, // cancelled: both placements ran the rule
        {"", "", "", false, 0},                // nothing changed, nothing ran
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " <- " + c.chosen);
        DialogModel dialog(state);
        dialog.setText(txtInFile, c.before);
        dialog.setOkEnabled(false);
        int previews = 0;
        dialog.setPreviewRule([&] { ++previews; });
        cmdInFile_Click(dialog, c.chosen);
        EXPECT_EQ(dialog.text(txtInFile), c.after);
        EXPECT_EQ(dialog.okEnabled(), c.okEnabled);
        EXPECT_EQ(previews, c.previews);
    }
}

TEST_F(AidsFixture, BrowsedFolderAndDroppedFilesFillTheirFields) {
    DialogModel dialog(state);
    cmdViewSave_Click(dialog, "/data/");
    cmdViewSave_Click(dialog, ""); // cancelled
    EXPECT_EQ(dialog.text(txtViewSave), "/data/");
    txtInFile_Drop(dialog, {"/a.csv", "/b.csv"});
    txtInFile_Drop(dialog, {});
    EXPECT_EQ(dialog.text(txtInFile), "/a.csv");

    const struct {
        const char* folder;
        const char* result;
    } cases[] = {{"/data", "/data/"}, {"/", "/"}, {"/data/", "/data/"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(withTrailingSeparator(c.folder), c.result) << c.folder;
}

} // namespace
