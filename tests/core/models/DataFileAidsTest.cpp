#include "models/DataFileAids.h"
#include "io/LineSearch.h"
#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "support/FakeMonitorView.h"
#include "support/TempDir.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using enum DialogControl;

struct AidsFixture : testing::Test {
    TempDir dir;
    Monitor monitor;
    FakeMonitorView view;
    Utf8Decoder decoder;
};

TEST_F(AidsFixture, FirstLineTestShowsTheChosenField) {
    const std::tuple<std::string, const char*, bool, int, std::string, Colour> cases[] = {
        {"12,34,56\r\n78,90", "カンマ", false, 2, "34", kWindowTextColour},
        {"12,34\n56,78", "カンマ", false, 2, "34", kWindowTextColour}, // LF ends a line too
        {"1\r2,3", "カンマ", false, 2, "Error", kRed},                 // and a lone CR
        {"a  b", "スペース", true, 2, "b", kWindowTextColour},
        {"a  b", "スペース", false, 2, "", kWindowTextColour}, // an empty field is a field
        {"\r\n5", "カンマ", false, 1, "Error", kRed},          // an empty first line
        {"", "カンマ", false, 1, "", kWindowTextColour},       // an empty file shows nothing
        {"\xEF\xBB\xBF"
         "7,8",
         "カンマ", false, 1, "7", kWindowTextColour}, // a UTF-8 mark is no part of it
        {"1," + std::string(300, 'x'), "カンマ", false, 2, std::string(256, 'x') + "…", kWindowTextColour},
        {"\"1,5\",\"2026-01-01 00:00\"\r\n", "カンマ", false, 2, "2026-01-01 00:00", kWindowTextColour},
    };
    for (const auto& [bytes, delimiter, skipRuns, column, shown, colour] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes) + " field " + std::to_string(column));
        monitor.setSkipDelimiterRuns(false); // a new dialog's box starts cleared whatever the setting
        DialogModel dialog(monitor);
        dialog.setText(dataFileEdit, dir.write("data.csv", bytes));
        dialog.selectDelimiter(delimiter); // in force at once, before any applying
        dialog.setChecked(skipDelimiterRunsCheck, skipRuns);
        dialog.setSpinValue(column);
        dialog.setText(testResultEdit, "old");
        testFirstLine(dialog, decoder);
        EXPECT_EQ(dialog.text(testResultEdit), shown);
        EXPECT_EQ(dialog.control(testResultEdit).foreColour, colour);
    }
}

// With the pattern's box checked the test shows what the pattern takes from
// the first line it matches; the tool tips say which line, or why nothing.
TEST_F(AidsFixture, FirstLineTestShowsWhatThePatternTakesAndTheHints) {
    const std::string far = std::string(kMaxLineSearchBytes, 'm') + "\ntemp=9\n";
    const std::tuple<std::string, std::string, std::string, Colour, std::string> cases[] = {
        // file, pattern ("" for the field), shown, colour, tool tip
        {"start\r\nINFO temp=21.5\r\n", "temp=([0-9.]+)", "21.5", kWindowTextColour, "2行目の値です。"},
        {"\xEF\xBB\xBFtemp=3\n", "temp=([0-9.]+)", "3", kWindowTextColour, "1行目の値です。"},
        {"a\nb 12ms\n", "[0-9]+ms", "12ms", kWindowTextColour, "2行目の値です。"}, // the whole match
        {"WARN only\n", "temp=([0-9.]+)", "Error", kRed, std::string(kNoMatchingLineHint)},
        {far, "temp=([0-9.]+)", "Error", kRed, std::string(kNoMatchingLineHint)},
        {"temp=1\n", "temp=(", "Error", kRed,
         "抽出パターンが正しくありません。missing closing parenthesis (offset 6)"},
        {"a  b\n", "", "", kWindowTextColour, std::string(kBlankRunHint)}, // aligned columns
        {"a b\n", "", "b", kWindowTextColour, ""},
    };
    for (const auto& [bytes, pattern, shown, colour, toolTip] : cases) {
        SCOPED_TRACE(pattern + " on " + testing::PrintToString(bytes.substr(0, 20)));
        DialogModel dialog(monitor);
        dialog.setText(dataFileEdit, dir.write("data.txt", bytes));
        dialog.selectDelimiter("スペース");
        dialog.setSpinValue(2);
        dialog.setChecked(patternCheck, !pattern.empty());
        dialog.setText(patternEdit, pattern);
        testFirstLine(dialog, decoder);
        EXPECT_EQ(dialog.text(testResultEdit), shown);
        EXPECT_EQ(dialog.control(testResultEdit).foreColour, colour);
        EXPECT_EQ(dialog.control(testResultEdit).toolTip, toolTip);
    }
}

TEST_F(AidsFixture, WithoutAFileTheAidsShowNothingOrSaySo) {
    for (const std::string& path : {std::string(), dir.file("missing.csv"), dir.path()}) {
        DialogModel dialog(monitor);
        dialog.setText(dataFileEdit, path);
        dialog.setText(testResultEdit, "old");
        testFirstLine(dialog, decoder);
        EXPECT_EQ(dialog.text(testResultEdit), "") << path;
        view.msgBoxes.clear();
        takeLineCountAsPageSize(dialog, view);
        EXPECT_EQ(dialog.text(pageSizeEdit), "5000") << path;
        EXPECT_EQ(view.msgBoxes, (std::vector<std::pair<std::string, int>>{
                                     {"データファイル名が正しく指定されていません。", 1}}));
    }
    DialogModel dialog(monitor);
    dialog.setText(dataFileEdit, dir.write("data.csv", "1\r\n2\r\n"));
    takeLineCountAsPageSize(dialog, view);
    EXPECT_EQ(dialog.text(pageSizeEdit), "3") << "the line number at the end of the file";
}

TEST_F(AidsFixture, TheBrowsedFolderEndsWithTheSeparatorAndACancelChangesNothing) {
    const std::pair<const char*, const char*> folders[] = {
        {"/data", "/data/"}, {"/data/", "/data/"}, {"/", "/"}, {"", ""}};
    for (const auto& [browsed, shown] : folders)
        EXPECT_EQ(withTrailingSeparator(browsed), shown) << browsed;
    DialogModel dialog(monitor);
    dialog.setChecked(saveSweepImagesCheck, true);
    takeBrowsedFolder(dialog, "/data/");
    EXPECT_EQ(dialog.text(sweepFolderEdit), "/data/");
    takeBrowsedFolder(dialog, "");
    EXPECT_EQ(dialog.text(sweepFolderEdit), "/data/") << "a cancelled browse";
}

} // namespace
