#include "core/FieldSelector.h"

#include "core/CoreError.h"
#include "core/DialogModel.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/ScaleLabels.h"

#include <algorithm>

FieldSelector::FieldSelector(MonitorState& state, MonitorView& view, DialogAccess dialog)
    : m_state(state), m_view(view), m_dialog(std::move(dialog)) {}

void FieldSelector::notify() {
    if (m_listener)
        m_listener();
}

void FieldSelector::setWatchText(std::string text) {
    if (m_watchText == text)
        return;
    m_watchText = std::move(text);
    notify();
    txtWatch_Change();
}

bool FieldSelector::setSpinValue(int value) {
    if (value < kMinimum || value > kMaximum)
        return false;
    if (m_spinValue == value)
        return true; // the same value is no change: this ends the pair's recursion
    m_spinValue = value;
    notify();
    scrV_Change();
    return true;
}

void FieldSelector::txtWatch_Change() {
    // A text that is no field number moves nothing.
    if (const auto number = textToInt16(m_watchText))
        setSpinValue(*number);
}

void FieldSelector::scrV_Change() {
    setWatchText(std::to_string(m_spinValue));
    DialogModel& dialog = m_dialog();
    dialog.setText(DialogControl::txtDatCol, m_watchText);
    dialog.setSpinValue(m_spinValue);
    if (const auto column = textToInt16(dialog.text(DialogControl::txtDatCol)))
        m_state.intDatCol = *column;
    m_state.dblNowMax = 0;
    m_state.dblNowMin = 0;
    const std::int64_t upperBound = std::max<std::int64_t>(m_state.lngRange, m_state.lngXmem);
    if (!RedimDatBuf(m_state, upperBound)) {
        // The buffer is left with slot 0 alone and an empty position.
        m_view.showPlainMessage(fileErrorMessage(CoreError{kErrOutOfMemory, "Out of memory"}));
    }
    SetScaleLabels(m_state, m_view);
    ResetDatPos(m_state);
}
