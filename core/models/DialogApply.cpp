#include "models/DialogApply.h"

#include "io/FileLines.h"
#include "monitor/MonitorView.h"
#include "text/NumberText.h"

namespace {

using enum DialogControl;

std::string trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The field a refusal puts the focus into; none for the column, which the
// user changes through its spin.
std::optional<DialogControl> fieldFor(SettingField field) {
    switch (field) {
    case SettingField::PointsPerView:
        return pointsPerViewEdit;
    case SettingField::PageSize:
        return pageSizeEdit;
    case SettingField::ScaleTop:
        return scaleTopEdit;
    case SettingField::ScaleBottom:
        return scaleBottomEdit;
    case SettingField::Threshold:
        return thresholdEdit;
    case SettingField::Pattern:
        return patternEdit;
    case SettingField::Column:
        break;
    }
    return std::nullopt;
}

// The dialog's pointer is busy for as long as applying runs.
class BusyPointer {
public:
    explicit BusyPointer(DialogApplyTarget& target) : m_target(target) { m_target.setDialogBusy(true); }
    ~BusyPointer() { m_target.setDialogBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    DialogApplyTarget& m_target;
};

} // namespace

Result<MonitorSettings> settingsFromDialog(const DialogModel& dialog, MonitorSettings s) {
    s.dataFile = dialog.text(dataFileEdit);
    s.scaleTop = dialog.value(scaleTopEdit);
    s.scaleBottom = dialog.value(scaleBottomEdit);
    if (auto checked = checkScaleEnds(s.scaleTop, s.scaleBottom); !checked)
        return checked.error();

    // A value that does not even fit an int is beyond the limits.
    const auto pageSize = toInt(dialog.value(pageSizeEdit));
    if (auto checked = checkPoints(pageSize.value_or(kMaxSampleSlots), SettingField::PageSize); !checked)
        return checked.error();
    const auto pointsPerView = textToInt(dialog.text(pointsPerViewEdit));
    if (auto checked = checkPoints(pointsPerView.value_or(kMaxSampleSlots), SettingField::PointsPerView);
        !checked)
        return checked.error();
    s.pageSize = *pageSize;
    s.pointsPerView = *pointsPerView;

    if (const std::string thresholdText = trimmedBlanks(dialog.text(thresholdEdit)); !thresholdText.empty()) {
        const auto threshold = textToInt(thresholdText);
        if (auto checked = checkThreshold(threshold.value_or(-1)); !checked)
            return checked.error();
        s.thresholdPercent = *threshold;
    }
    const auto column = textToInt(dialog.text(columnEdit));
    if (auto checked = checkColumn(column.value_or(0)); !checked)
        return checked.error();
    s.column = *column;

    s.autoScale = dialog.control(autoScaleCheck).checked;
    s.saveSweepImages = dialog.control(saveSweepImagesCheck).checked;
    if (s.saveSweepImages)
        s.sweepFolder = dialog.text(sweepFolderEdit);
    s.delimiterName = dialog.text(delimiterCombo);
    s.pollInterval = textToInt(dialog.text(pollIntervalEdit)).value_or(s.pollInterval);
    s.replayPause = textToInt(dialog.text(replayPauseEdit)).value_or(s.replayPause);

    s.fitScale = dialog.control(fitScaleCheck).checked;
    s.pattern = dialog.control(patternCheck).checked ? dialog.text(patternEdit) : std::string();
    if (dialog.control(patternCheck).checked && s.pattern.empty())
        return refusedSetting(std::string(kPatternMissingMessage), SettingField::Pattern);
    return s;
}

ApplyOutcome applyDialog(DialogModel& dialog, MonitorView& view, DialogApplyTarget& target,
                         const TextDecoder* decoder) {
    Monitor& monitor = dialog.monitor();
    const BusyPointer busy(target);

    if (!dataFileExists(dialog.text(dataFileEdit))) {
        target.setRunButtonEnabled(RunButton::Replay, false);
        target.setRunButtonEnabled(RunButton::Live, false);
        view.showMessage(std::string(kDataFileMissingMessage), 1);
        dialog.setText(dataFileEdit, monitor.settings().dataFile);
        return ApplyOutcome::FileRejected;
    }

    const auto settings = settingsFromDialog(dialog, monitor.settings());
    auto prepared = settings ? prepareSettings(*settings, kMaxPageCount, decoder)
                             : Result<PreparedSettings>(settings.error());
    if (!prepared) {
        view.showMessage(prepared.error().message, 1);
        if (prepared.error().field)
            if (const auto focus = fieldFor(*prepared.error().field))
                target.focusDialogField(*focus);
        return ApplyOutcome::LimitRefused;
    }

    prepared->pointsPerViewText = dialog.text(pointsPerViewEdit);
    const bool intervalKept = !textToInt(dialog.text(pollIntervalEdit));
    const bool pauseKept = !textToInt(dialog.text(replayPauseEdit));
    const ApplyOutcome outcome = applyMonitorSettings(monitor, std::move(*prepared), view, &target);
    if (outcome == ApplyOutcome::FolderStopped) {
        // What was applied so far stays; "設定(&S)" stays enabled for a retry.
        view.showPlainMessage(std::string(kSweepFolderMissingMessage));
        target.focusDialogField(sweepFolderEdit);
        return outcome;
    }
    if (intervalKept)
        dialog.setText(pollIntervalEdit, std::to_string(monitor.settings().pollInterval));
    if (pauseKept)
        dialog.setText(replayPauseEdit, std::to_string(monitor.settings().replayPause));
    dialog.setOkEnabled(false);
    return outcome;
}
