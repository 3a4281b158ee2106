#include "models/DataFileAids.h"

#include "io/FileLines.h"
#include "io/LineReader.h"
#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorView.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"
#include "text/TextDecoder.h"

using enum DialogControl;

void testFirstLine(DialogModel& dialog, const TextDecoder& decoder) {
    dialog.setText(testResultEdit, std::string());
    const std::string& path = dialog.text(dataFileEdit);
    if (!dataFileExists(path))
        return;
    LineReader reader;
    if (!reader.open(path))
        return;
    std::string_view line;
    if (!reader.next(line))
        return; // an empty file, or reading failed: nothing to show
    const auto column = toInt(dialog.value(columnEdit));
    const auto field =
        column ? extractField(line, *column, dialog.monitor().settings().fieldRule()) : std::nullopt;
    if (field) {
        dialog.setText(testResultEdit, shownText(decoder, *field));
        dialog.setForeColour(testResultEdit, kWindowTextColour);
    } else {
        dialog.setText(testResultEdit, std::string(kFirstLineTestErrorText));
        dialog.setForeColour(testResultEdit, kRed);
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
