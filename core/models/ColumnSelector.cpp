#include "models/ColumnSelector.h"

#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorView.h"
#include "monitor/ScaleLabels.h"
#include "text/NumberText.h"

#include <algorithm>

ColumnSelector::ColumnSelector(Monitor& monitor, MonitorView& view, DialogAccess dialog)
    : m_monitor(monitor), m_view(view), m_dialog(std::move(dialog)) {}

void ColumnSelector::notify() {
    if (m_listener)
        m_listener();
}

void ColumnSelector::showColumn(int column) {
    setColumnText(std::to_string(column));
    setSpinValue(column);
}

void ColumnSelector::setColumnText(std::string text) {
    if (m_columnText == text)
        return;
    m_columnText = std::move(text);
    notify();
    columnTextChanged();
}

bool ColumnSelector::setSpinValue(int value) {
    if (value < kMinColumn || value > kMaxColumn)
        return false;
    if (m_spinValue == value)
        return true; // the same value is no change: this ends the pair's recursion
    m_spinValue = value;
    notify();
    spinValueChanged();
    return true;
}

void ColumnSelector::columnTextChanged() {
    // A text that is no column number moves nothing.
    if (const auto number = textToInt(m_columnText))
        setSpinValue(*number);
}

void ColumnSelector::spinValueChanged() {
    setColumnText(std::to_string(m_spinValue));
    DialogModel& dialog = m_dialog();
    dialog.setText(DialogControl::columnEdit, m_columnText);
    dialog.setSpinValue(m_spinValue);
    if (const auto column = textToInt(dialog.text(DialogControl::columnEdit)))
        m_monitor.setColumn(*column);
    m_monitor.scale().resetExtremes();
    const MonitorSettings& settings = m_monitor.settings();
    const int points = std::max(settings.pageSize, m_monitor.samples().pointsPerView());
    if (!m_monitor.samples().resize(std::int64_t{points} + 1)) {
        // The ring is left with one slot and an empty position.
        m_view.showPlainMessage(fileErrorMessage(Error(kErrOutOfMemory, "メモリが足りません。")));
    }
    updateScaleLabels(m_monitor.scale(), m_view);
    m_monitor.samples().resetPosition();
}
