#pragma once
// The settings dialog's aids around the data file that need no window: the
// first-line test, the page size from the file's length, and what becomes
// of the file chooser's, the folder browser's and a file drop's results.
// The choosers themselves belong to the window, which passes their results.

#include "text/FieldExtraction.h"

#include <string>
#include <string_view>
#include <vector>

class DialogModel;
class MonitorView;
class TextDecoder;

// The file chooser's filter for "...": caption, NUL, pattern.
inline constexpr char kDataFileFilterText[] = "ﾃｷｽﾄﾌｧｲﾙ(*.*)\0*.*";
inline constexpr std::string_view kDataFileFilter(kDataFileFilterText, sizeof kDataFileFilterText - 1);
// The folder browser's title for "保存先".
inline constexpr std::string_view kSweepFolderBrowseTitle = "Bitmapファイル保存先Dir名";
inline constexpr std::string_view kDataFileNameInvalidMessage =
    "データファイル名が正しく指定されていません。";
inline constexpr std::string_view kFirstLineTestErrorText = "Error";
// The first-line test's hints, shown over its result.
inline constexpr std::string_view kBlankRunHint =
    "空白の並びで値が空になっています。桁揃えされた列なら「連続する区切り文字は無視」をチェックして下さい。";
inline constexpr std::string_view kNoMatchingLineHint =
    "ファイルの先頭1MBに抽出パターンと一致する行がありません。";

// Whether field `column` of `line` is empty because blanks follow each other
// (columns aligned with spaces) while the space delimiter counts each blank:
// the hint to count a run of delimiters as one.
bool blankRunEmptiesField(std::string_view line, int column, const FieldRule& rule);

// "1行目取得ﾃｽﾄ": the chosen field of the first line of the file named in
// dataFileEdit, split with the delimiter settings in force, shown in testResultEdit
// in the window-text colour, or "Error" in red when the line has no such
// field. A missing, empty or unreadable file leaves testResultEdit empty. Lines
// end as in every reader (LF, CR LF or a lone CR). `decoder` turns the
// field's bytes into the text shown. A field emptied by a run of blanks gets
// kBlankRunHint as the result's tool tip.
// With patternCheck checked, the value the dialog's pattern takes from the
// first line it matches within the file's first kMaxLineSearchBytes, the
// tool tip naming that line; "Error" with the reason as tool tip when the
// pattern does not compile or matches no line there.
void testFirstLine(DialogModel& dialog, const TextDecoder& decoder);

// "表示項目数(頁単位):": pageSizeEdit takes the line count of the file named in
// dataFileEdit (running its change rule), or showMessage kind 1 says the file name
// is wrong when there is no such file.
void takeLineCountAsPageSize(DialogModel& dialog, MonitorView& view);

// "...": `chosenPath` is what the file chooser returned, empty when the user
// cancelled. It goes into dataFileEdit; a cancelled choice puts the text back
// that was there before. Both placements run the field's change rule.
void takeChosenDataFile(DialogModel& dialog, const std::string& chosenPath);

// "保存先": a folder the browser returned (non-empty) goes into sweepFolderEdit;
// a cancelled browse (empty) leaves the field alone.
void takeBrowsedFolder(DialogModel& dialog, const std::string& browsedFolder);

// Files dropped on dataFileEdit: the first one becomes its text; the others are ignored.
void takeDroppedDataFiles(DialogModel& dialog, const std::vector<std::string>& paths);

// browseFolder's result: the chosen folder ending with the separator "/"
// ("/data" gives "/data/", "/" stays "/"); empty stays empty (cancelled).
std::string withTrailingSeparator(std::string folder);
