#include "core/ApplySettings.h"

#include "core/FieldSelector.h"
#include "core/FileLines.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/ScaleLabels.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <new>
#include <optional>
#include <vector>

namespace {

using enum DialogControl;

// The highest field number both column spins hold.
constexpr int kMaxDatCol = 1000;

// What the fields ask for, read and checked before anything is applied.
struct Request {
    std::int64_t fileLines = 0;
    FileScan scan;
    bool counted = false;
    double maxY = 0;
    double minY = 0;
    std::int32_t range = 0;
    std::int32_t xmem = 0;
    std::int64_t pageCount = 0;
    std::optional<std::int16_t> limit; // nothing: a blank field keeps the threshold
    std::int16_t datCol = 1;
    std::vector<tDat> buffer;
};

struct Refusal {
    std::string message;
    std::optional<DialogControl> focus;
};

std::string trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string pointsMessage() {
    return "表示項目数(通常)と表示項目数(頁単位)は1から" + std::to_string(kMaxBufferSlots - 1) +
           "の範囲で指定して下さい。";
}

// Reads every field that has a limit and counts the data file's lines. A
// refusal says why and which field to fix.
std::optional<Refusal> readRequest(const DialogModel& dialog, const std::string& inFile, Request& request) {
    request.maxY = dialog.value(txtIniMaxY);
    request.minY = dialog.value(txtIniMinY);
    if (!std::isfinite(request.maxY))
        return Refusal{"Max値が大きすぎます。正しい値を指定して下さい。", txtIniMaxY};
    if (!std::isfinite(request.minY))
        return Refusal{"Min値が大きすぎます。正しい値を指定して下さい。", txtIniMinY};

    const auto range = toInt32(dialog.value(txtRange));
    if (!range || *range < 1 || *range >= kMaxBufferSlots)
        return Refusal{pointsMessage(), txtRange};
    const auto xmem = textToInt32(dialog.text(txtIniXmem));
    if (!xmem || *xmem < 1 || *xmem >= kMaxBufferSlots)
        return Refusal{pointsMessage(), txtIniXmem};
    request.range = *range;
    request.xmem = *xmem;

    const std::string limitText = trimmedBlanks(dialog.text(txtIniLimit));
    if (!limitText.empty()) {
        request.limit = textToInt16(limitText);
        if (!request.limit)
            return Refusal{"しきい値(%)には0から100の数値を指定して下さい。", txtIniLimit};
    }

    const auto datCol = textToInt16(dialog.text(txtDatCol));
    if (!datCol || *datCol < 1 || *datCol > kMaxDatCol)
        return Refusal{"表示する値の番号は1から1000の範囲で指定して下さい。", std::nullopt};
    request.datCol = *datCol;

    // Counted once: the page count needs it, lngFileLines takes it and the
    // last-line reader continues from its scan.
    request.fileLines = CountFileLines(inFile, &request.scan);
    request.counted = request.fileLines > 0;
    request.pageCount = request.fileLines / request.range + 1;
    if (request.pageCount > kMaxPageCount)
        return Refusal{"頁数が" + std::to_string(kMaxPageCount) +
                           "を超えます。表示項目数(頁単位)を大きくして下さい。",
                       txtRange};

    // The new buffer is allocated before anything changes, so a refusal
    // leaves the old one in place.
    const std::size_t slots = static_cast<std::size_t>(std::max(request.range, request.xmem)) + 1;
    try {
        request.buffer.resize(slots);
    } catch (const std::bad_alloc&) {
        return Refusal{"表示項目数が大きすぎてメモリを確保できません。表示項目数を小さくして下さい。",
                       request.range > request.xmem ? txtRange : txtIniXmem};
    }
    return std::nullopt;
}

bool folderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

std::string dataFileTitle(std::string_view strInFile) {
#ifdef _WIN32
    constexpr std::string_view kSeparators = "\\/:";
#else
    // "\" and ":" are ordinary characters of a file name here.
    constexpr std::string_view kSeparators = "/";
#endif
    std::string_view name = strInFile;
    if (const auto separator = name.find_last_of(kSeparators); separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::string title;
    std::copy_if(name.begin(), name.end(), std::back_inserter(title), [](char c) { return c != '.'; });
    return title;
}

ApplyOutcome applySettings(DialogModel& dialog, FieldSelector& selector, MonitorView& view,
                           SettingsTarget& target) {
    MonitorState& state = dialog.state();
    target.setDialogBusy(true);

    const std::string inFile = dialog.text(txtInFile);
    if (!dataFileExists(inFile)) {
        target.setRunButtonEnabled(1, false);
        target.setRunButtonEnabled(2, false);
        view.ShowMsg(std::string(kMsgDataFileMissing), 1);
        dialog.setText(txtInFile, state.strInFile);
        target.setDialogBusy(false);
        return ApplyOutcome::FileRejected;
    }

    Request request;
    if (const auto refusal = readRequest(dialog, inFile, request)) {
        view.ShowMsg(refusal->message, 1);
        if (refusal->focus)
            target.focusDialogField(*refusal->focus);
        target.setDialogBusy(false);
        return ApplyOutcome::LimitRefused;
    }

    for (int button = 0; button <= 2; ++button)
        target.setRunButtonEnabled(button, true);
    state.strInFile = inFile;
    state.lngFileLines = request.fileLines;
    if (request.counted)
        state.lastLineReader.continueFrom(state.strInFile, request.scan);
    state.blnRescale = true;
    state.dblMaxY = request.maxY;
    state.dblMinY = request.minY;
    state.lngRange = request.range;
    target.setPageScrollRange(1, static_cast<int>(request.pageCount));
    state.lngXmem = request.xmem;
    state.lngXmemNormal = state.lngXmem;
    view.setHeadInfo("表示項目数:" + dialog.text(txtIniXmem));
    state.DatBuf = std::move(request.buffer);
    ResetDatPos(state);
    if (request.limit)
        state.intLimit = *request.limit;
    state.blnAutoMaxMin = dialog.control(chkIniMaxY).checked;

    if (dialog.control(chkViewSave).checked) {
        state.blnViewSave = true;
        state.strViewSaveDir = dialog.text(txtViewSave);
        if (!folderExists(state.strViewSaveDir)) {
            // What was applied so far stays; OKButton stays enabled for a retry.
            view.showMessage(std::string(kMsgViewSaveDirMissing));
            target.focusDialogField(txtViewSave);
            target.setDialogBusy(false);
            return ApplyOutcome::FolderStopped;
        }
        state.strInFileTitle = dataFileTitle(state.strInFile);
    } else {
        state.blnViewSave = false;
    }

    state.strDelimit = dialog.text(cmbDelimit);
    state.intDatCol = request.datCol;
    selector.setWatchText(dialog.text(txtDatCol));
    selector.setSpinValue(request.datCol);

    if (const auto interval = textToInt32(dialog.text(txtIniInterval))) {
        state.lngInterval = *interval;
        target.setTimerInterval(state.lngInterval);
    } else {
        dialog.setText(txtIniInterval, std::to_string(state.lngInterval));
    }
    if (const auto speed = textToInt32(dialog.text(txtSpeed)))
        state.lngSpeed = *speed;
    else
        dialog.setText(txtSpeed, std::to_string(state.lngSpeed));

    SetScaleLabels(state, view);
    ResetDatPos(state);
    target.setDialogBusy(false);
    dialog.setOkEnabled(false);
    return ApplyOutcome::Applied;
}
