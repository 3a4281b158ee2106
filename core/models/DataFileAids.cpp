#include "models/DataFileAids.h"

#include "io/FileLines.h"
#include "io/LineReader.h"
#include "io/LineSearch.h"
#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorView.h"
#include "text/FieldExtraction.h"
#include "text/LinePattern.h"
#include "text/NumberText.h"
#include "text/TextDecoder.h"
#include "text/ValuePicker.h"

using enum DialogControl;

namespace {

void showTestResult(DialogModel& dialog, std::string text, Colour colour, std::string toolTip) {
    dialog.setText(testResultEdit, std::move(text));
    dialog.setForeColour(testResultEdit, colour);
    dialog.setToolTip(testResultEdit, std::move(toolTip));
}

void showTestError(DialogModel& dialog, std::string why) {
    showTestResult(dialog, std::string(kFirstLineTestErrorText), kRed, std::move(why));
}

// The pattern's test: the value of the first line it matches, looked for
// as far as a live tick looks back.
void testFirstMatchingLine(DialogModel& dialog, LineReader& reader, const TextDecoder& decoder) {
    const auto pattern = LinePattern::compile(dialog.text(patternEdit));
    if (!pattern) {
        showTestError(dialog, "抽出パターンが正しくありません。" + pattern.error().message);
        return;
    }
    ValuePicker picker(FieldRule{}, &*pattern, decoder);
    std::string_view line;
    for (std::int64_t lineNumber = 1; reader.position() < kMaxLineSearchBytes && reader.next(line);
         ++lineNumber) {
        const auto picked = picker.pick(line, 1);
        if (picked.found == ValuePicker::Found::Text) {
            showTestResult(dialog, shownText(picker.shownTextDecoder(), picked.text), kWindowTextColour,
                           std::to_string(lineNumber) + "行目の値です。");
            return;
        }
    }
    showTestError(dialog, std::string(kNoMatchingLineHint));
}

} // namespace

bool blankRunEmptiesField(std::string_view line, int column, const FieldRule& rule) {
    if (rule.delimiter != ' ' || rule.skipRuns)
        return false;
    const auto field = extractField(line, column, rule);
    return field && field->empty();
}

void testFirstLine(DialogModel& dialog, const TextDecoder& decoder) {
    dialog.setText(testResultEdit, std::string());
    dialog.setToolTip(testResultEdit, std::string());
    const std::string& path = dialog.text(dataFileEdit);
    if (!dataFileExists(path))
        return;
    LineReader reader;
    if (!reader.open(path))
        return;
    if (dialog.control(patternCheck).checked) {
        testFirstMatchingLine(dialog, reader, decoder);
        return;
    }
    std::string_view line;
    if (!reader.next(line))
        return; // an empty file, or reading failed: nothing to show
    const auto column = toInt(dialog.value(columnEdit));
    const FieldRule rule = dialog.monitor().settings().fieldRule();
    const auto field = column ? extractField(line, *column, rule) : std::nullopt;
    if (field) {
        showTestResult(dialog, shownText(decoder, *field), kWindowTextColour,
                       blankRunEmptiesField(line, *column, rule) ? std::string(kBlankRunHint)
                                                                 : std::string());
    } else {
        showTestError(dialog, std::string());
    }
}

void takeLineCountAsPageSize(DialogModel& dialog, MonitorView& view) {
    const std::string path = dialog.text(dataFileEdit);
    if (!dataFileExists(path)) {
        view.showMessage(std::string(kDataFileNameInvalidMessage), 1);
        return;
    }
    // A file that cannot be read through counts no lines, as before it existed.
    dialog.setText(pageSizeEdit, std::to_string(countFileLines(path).value_or(0)));
}

void takeChosenDataFile(DialogModel& dialog, const std::string& chosenPath) {
    const std::string previous = dialog.text(dataFileEdit);
    dialog.setText(dataFileEdit, chosenPath);
    if (dialog.text(dataFileEdit).empty())
        dialog.setText(dataFileEdit, previous);
}

void takeBrowsedFolder(DialogModel& dialog, const std::string& browsedFolder) {
    if (!browsedFolder.empty())
        dialog.setText(sweepFolderEdit, browsedFolder);
}

void takeDroppedDataFiles(DialogModel& dialog, const std::vector<std::string>& paths) {
    if (!paths.empty())
        dialog.setText(dataFileEdit, paths.front());
}

std::string withTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}
