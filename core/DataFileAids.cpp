#include "core/DataFileAids.h"

#include "core/DialogModel.h"
#include "core/FieldExtraction.h"
#include "core/FileLines.h"
#include "core/LineReader.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/TextDecoder.h"

using enum DialogControl;

void testFirstLine(DialogModel& dialog, const TextDecoder& decoder) {
    dialog.setText(txtDatTest, std::string());
    const std::string& path = dialog.text(txtInFile);
    if (!dataFileExists(path))
        return;
    LineReader reader;
    if (!reader.open(path))
        return;
    std::string_view line;
    if (!reader.next(line))
        return; // an empty file, or reading failed: nothing to show
    const auto column = toInt16(dialog.value(txtDatCol));
    std::string_view field;
    if (column && GetColDat(dialog.state(), line, *column, field)) {
        dialog.setText(txtDatTest, decoder.toUtf8(field));
        dialog.setForeColour(txtDatTest, kColourWindowText);
    } else {
        dialog.setText(txtDatTest, std::string(kDatTestErrorText));
        dialog.setForeColour(txtDatTest, kColourRed);
    }
}

void takeLineCountAsPageSize(DialogModel& dialog, MonitorView& view) {
    const std::string path = dialog.text(txtInFile);
    if (dataFileExists(path))
        dialog.setText(txtRange, std::to_string(CountFileLines(path)));
    else
        view.ShowMsg(std::string(kMsgInFileNameInvalid), 1);
}

void takeChosenDataFile(DialogModel& dialog, const std::string& chosenPath) {
    const std::string previous = dialog.text(txtInFile);
    dialog.setText(txtInFile, chosenPath);
    if (dialog.text(txtInFile).empty())
        dialog.setText(txtInFile, previous);
}

void takeBrowsedFolder(DialogModel& dialog, const std::string& browsedFolder) {
    if (!browsedFolder.empty())
        dialog.setText(txtViewSave, browsedFolder);
}

void takeDroppedDataFiles(DialogModel& dialog, const std::vector<std::string>& paths) {
    if (!paths.empty())
        dialog.setText(txtInFile, paths.front());
}

std::string withTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}
