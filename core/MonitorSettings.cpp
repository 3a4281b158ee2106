#include "core/MonitorSettings.h"

#include "core/FieldSelector.h"
#include "core/FileLines.h"
#include "core/MonitorView.h"
#include "core/ScaleLabels.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <new>

namespace {

bool folderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

std::optional<SettingsRefusal> checkScaleEnds(double maxY, double minY) {
    if (!std::isfinite(maxY))
        return SettingsRefusal{"Max値が大きすぎます。正しい値を指定して下さい。", SettingField::MaxY};
    if (!std::isfinite(minY))
        return SettingsRefusal{"Min値が大きすぎます。正しい値を指定して下さい。", SettingField::MinY};
    return std::nullopt;
}

std::optional<SettingsRefusal> checkPoints(std::int64_t points, SettingField field) {
    if (points >= 1 && points < kMaxBufferSlots)
        return std::nullopt;
    return SettingsRefusal{"表示項目数(通常)と表示項目数(頁単位)は1から" +
                               std::to_string(kMaxBufferSlots - 1) + "の範囲で指定して下さい。",
                           field};
}

std::optional<SettingsRefusal> checkThreshold(std::int64_t percent) {
    if (percent >= 0 && percent <= 100)
        return std::nullopt;
    return SettingsRefusal{"しきい値(%)には0から100の数値を指定して下さい。", SettingField::Threshold};
}

std::optional<SettingsRefusal> checkColumn(std::int64_t column) {
    if (column >= 1 && column <= kMaxDatCol)
        return std::nullopt;
    return SettingsRefusal{"表示する値の番号は1から1000の範囲で指定して下さい。", SettingField::Column};
}

std::optional<SettingsRefusal> checkSettings(const MonitorSettings& s) {
    if (auto refusal = checkScaleEnds(s.dblMaxY, s.dblMinY))
        return refusal;
    if (auto refusal = checkPoints(s.lngRange, SettingField::PointsPerPage))
        return refusal;
    if (auto refusal = checkPoints(s.lngXmem, SettingField::PointsPerView))
        return refusal;
    if (s.intLimit)
        if (auto refusal = checkThreshold(*s.intLimit))
            return refusal;
    return checkColumn(s.intDatCol);
}

Result<PreparedSettings, SettingsRefusal> prepareSettings(MonitorSettings settings,
                                                          std::optional<std::int64_t> maxPageCount) {
    if (auto refusal = checkSettings(settings))
        return *refusal;
    PreparedSettings prepared;
    // Counted once: the page count needs it, lngFileLines takes it and the
    // last-line reader goes on from its scan.
    FileScan scan;
    prepared.fileLines = CountFileLines(settings.strInFile, &scan);
    if (prepared.fileLines > 0)
        prepared.scan = std::move(scan);
    prepared.pageCount = prepared.fileLines / settings.lngRange + 1;
    if (maxPageCount && prepared.pageCount > *maxPageCount)
        return SettingsRefusal{"頁数が" + std::to_string(*maxPageCount) +
                                   "を超えます。表示項目数(頁単位)を大きくして下さい。",
                               SettingField::PointsPerPage};
    // The new buffer is allocated before anything changes, so a refusal
    // leaves the old one in place.
    const std::size_t slots = static_cast<std::size_t>(std::max(settings.lngRange, settings.lngXmem)) + 1;
    try {
        prepared.buffer.resize(slots);
    } catch (const std::bad_alloc&) {
        return SettingsRefusal{"表示項目数が大きすぎてメモリを確保できません。表示項目数を小さくして下さい。",
                               settings.lngRange > settings.lngXmem ? SettingField::PointsPerPage
                                                                    : SettingField::PointsPerView};
    }
    prepared.settings = std::move(settings);
    return prepared;
}

ApplyOutcome applyMonitorSettings(MonitorState& state, PreparedSettings prepared, ApplyTargets targets) {
    MonitorSettings& s = prepared.settings;
    if (targets.mainWindow)
        for (int button = 0; button <= 2; ++button)
            targets.mainWindow->setRunButtonEnabled(button, true);
    state.strInFile = s.strInFile;
    state.lngFileLines = prepared.fileLines;
    if (prepared.scan)
        state.lastLineReader.continueFrom(state.strInFile, *prepared.scan);
    state.blnRescale = true;
    state.dblMaxY = s.dblMaxY;
    state.dblMinY = s.dblMinY;
    state.lngRange = s.lngRange;
    if (targets.mainWindow)
        targets.mainWindow->setPageScrollRange(1, static_cast<int>(prepared.pageCount));
    state.lngXmem = s.lngXmem;
    state.lngXmemNormal = state.lngXmem;
    targets.view.setHeadInfo("表示項目数:" + s.xmemText);
    state.DatBuf = std::move(prepared.buffer);
    ResetDatPos(state);
    if (s.intLimit)
        state.intLimit = *s.intLimit;
    state.blnAutoMaxMin = s.blnAutoMaxMin;

    state.blnViewSave = s.blnViewSave;
    if (s.blnViewSave) {
        state.strViewSaveDir = s.strViewSaveDir;
        if (!folderExists(state.strViewSaveDir))
            return ApplyOutcome::FolderStopped;
        state.strInFileTitle = dataFileTitle(state.strInFile);
    }

    state.strDelimit = s.strDelimit;
    if (s.blnDelimitSkip)
        state.blnDelimitSkip = *s.blnDelimitSkip;
    state.intDatCol = s.intDatCol;
    if (targets.selector) {
        targets.selector->setWatchText(std::to_string(s.intDatCol));
        targets.selector->setSpinValue(s.intDatCol);
    }
    if (s.lngInterval) {
        state.lngInterval = *s.lngInterval;
        if (targets.mainWindow)
            targets.mainWindow->setTimerInterval(state.lngInterval);
    }
    if (s.lngSpeed)
        state.lngSpeed = *s.lngSpeed;

    SetScaleLabels(state, targets.view);
    ResetDatPos(state);
    return ApplyOutcome::Applied;
}

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
