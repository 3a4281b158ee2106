#include "core/ApplySettings.h"

#include "core/FileLines.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"

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
        return txtIniXmem;
    case SettingField::PointsPerPage:
        return txtRange;
    case SettingField::MaxY:
        return txtIniMaxY;
    case SettingField::MinY:
        return txtIniMinY;
    case SettingField::Threshold:
        return txtIniLimit;
    case SettingField::Column:
        break;
    }
    return std::nullopt;
}

// The dialog's pointer is busy for as long as applying runs.
class BusyPointer {
public:
    explicit BusyPointer(SettingsTarget& target) : m_target(target) { m_target.setDialogBusy(true); }
    ~BusyPointer() { m_target.setDialogBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    SettingsTarget& m_target;
};

} // namespace

Result<MonitorSettings, SettingsRefusal> settingsFromDialog(const DialogModel& dialog) {
    MonitorSettings s;
    s.strInFile = dialog.text(txtInFile);
    s.dblMaxY = dialog.value(txtIniMaxY);
    s.dblMinY = dialog.value(txtIniMinY);
    if (auto refusal = checkScaleEnds(s.dblMaxY, s.dblMinY))
        return *refusal;

    // A value that does not even fit the setting's type is beyond its limits.
    const auto range = toInt32(dialog.value(txtRange));
    if (auto refusal = checkPoints(range.value_or(kMaxBufferSlots), SettingField::PointsPerPage))
        return *refusal;
    const auto xmem = textToInt32(dialog.text(txtIniXmem));
    if (auto refusal = checkPoints(xmem.value_or(kMaxBufferSlots), SettingField::PointsPerView))
        return *refusal;
    s.lngRange = *range;
    s.lngXmem = *xmem;
    s.xmemText = dialog.text(txtIniXmem);

    if (const std::string limitText = trimmedBlanks(dialog.text(txtIniLimit)); !limitText.empty()) {
        s.intLimit = textToInt16(limitText);
        if (auto refusal = checkThreshold(s.intLimit.value_or(-1)))
            return *refusal;
    }
    const auto datCol = textToInt16(dialog.text(txtDatCol));
    if (auto refusal = checkColumn(datCol.value_or(0)))
        return *refusal;
    s.intDatCol = *datCol;

    s.blnAutoMaxMin = dialog.control(chkIniMaxY).checked;
    s.blnViewSave = dialog.control(chkViewSave).checked;
    if (s.blnViewSave)
        s.strViewSaveDir = dialog.text(txtViewSave);
    s.strDelimit = dialog.text(cmbDelimit);
    s.lngInterval = textToInt32(dialog.text(txtIniInterval));
    s.lngSpeed = textToInt32(dialog.text(txtSpeed));
    return s;
}

ApplyOutcome applySettings(DialogModel& dialog, FieldSelector& selector, MonitorView& view,
                           SettingsTarget& target) {
    MonitorState& state = dialog.state();
    const BusyPointer busy(target);

    if (!dataFileExists(dialog.text(txtInFile))) {
        target.setRunButtonEnabled(1, false);
        target.setRunButtonEnabled(2, false);
        view.ShowMsg(std::string(kMsgDataFileMissing), 1);
        dialog.setText(txtInFile, state.strInFile);
        return ApplyOutcome::FileRejected;
    }

    auto settings = settingsFromDialog(dialog);
    auto prepared = settings ? prepareSettings(std::move(*settings), kMaxPageCount)
                             : Result<PreparedSettings, SettingsRefusal>(settings.error());
    if (!prepared) {
        view.ShowMsg(prepared.error().message, 1);
        if (const auto focus = fieldFor(prepared.error().field))
            target.focusDialogField(*focus);
        return ApplyOutcome::LimitRefused;
    }

    const bool intervalKept = !prepared->settings.lngInterval;
    const bool speedKept = !prepared->settings.lngSpeed;
    const ApplyOutcome outcome =
        applyMonitorSettings(state, std::move(*prepared), {view, &target, &selector});
    if (outcome == ApplyOutcome::FolderStopped) {
        // What was applied so far stays; OKButton stays enabled for a retry.
        view.showPlainMessage(std::string(kMsgViewSaveDirMissing));
        target.focusDialogField(txtViewSave);
        return outcome;
    }
    if (intervalKept)
        dialog.setText(txtIniInterval, std::to_string(state.lngInterval));
    if (speedKept)
        dialog.setText(txtSpeed, std::to_string(state.lngSpeed));
    dialog.setOkEnabled(false);
    return outcome;
}
