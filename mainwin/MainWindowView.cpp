#include "mainwin/MainWindowView.h"

#include "base/Error.h"

#include "mainwin/MainWindow.h"
#include "models/ColumnSelector.h"
#include "models/MessageBox.h"
#include "monitor/Monitor.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MainWindowView::MainWindowView(MainWindow& window, const Monitor& monitor, MessageBoxPresenter& messageBoxes)
    : m_window(window), m_monitor(monitor), m_messageBoxes(messageBoxes) {}

void MainWindowView::setScaleLabel(int index, const std::string& text) {
    m_window.setScaleLabel(index, toQString(text));
}

void MainWindowView::setValueLabel(ValueLabel label, const std::string& text) {
    m_window.setValueLabel(label, toQString(text));
}

void MainWindowView::setStatusText(const std::string& text) {
    m_window.setStatusText(toQString(text));
}

std::string MainWindowView::statusText() const {
    return m_window.statusText().toStdString();
}

void MainWindowView::setPointsPerViewText(const std::string& text) {
    m_window.setPointsPerViewText(toQString(text));
}

void MainWindowView::setReplayErrorText(const std::string& text) {
    m_window.setReplayErrorText(toQString(withJapaneseReasons(text)));
}

void MainWindowView::setReplayErrorVisible(bool visible) {
    m_window.setReplayErrorVisible(visible);
}

bool MainWindowView::replayErrorVisible() const {
    return m_window.replayErrorVisible();
}

bool MainWindowView::pageModeChecked() const {
    return m_window.pageModeChecked();
}

bool MainWindowView::compositeChecked() const {
    return m_window.compositeChecked();
}

bool MainWindowView::gridLinesHidden() const {
    return m_window.gridLinesHidden();
}

bool MainWindowView::thresholdHidden() const {
    return m_window.thresholdHidden();
}

std::string MainWindowView::seriesColourText() const {
    return m_window.seriesColourText().toStdString();
}

void MainWindowView::setRunButtonDown(RunButton button, bool down) {
    m_window.setRunButtonDown(button, down);
}

bool MainWindowView::runButtonDown(RunButton button) const {
    return m_window.runButtonDown(button);
}

void MainWindowView::setPageScrollEnabled(bool enabled) {
    m_window.setPageScrollEnabled(enabled);
}

void MainWindowView::setPollTimerEnabled(bool enabled) {
    m_window.setPollTimerEnabled(enabled, m_monitor.settings().pollInterval);
}

void MainWindowView::showPlainMessage(const std::string& text) {
    m_messageBoxes.present(programMessageBox(text));
}

void MainWindowView::showMessage(const std::string& text, int kind) {
    (void)::showMessage(m_messageBoxes, text, kind); // no caller of the monitor's needs the answer
}

// The core decides how often its loops let events run; here they simply run.
void MainWindowView::letEventsRun() {
    QCoreApplication::processEvents();
}

void MainWindowView::waitForEvents(int maxMs) {
    if (maxMs > 0) {
        // Wakes the wait below at the latest after maxMs.
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(maxMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
        QCoreApplication::processEvents();
    }
}

void MainWindowView::setRunButtonEnabled(RunButton button, bool enabled) {
    m_window.setRunButtonEnabled(button, enabled);
}

void MainWindowView::setPageScrollRange(int minimum, int maximum) {
    m_window.setPageScrollRange(minimum, maximum);
}

void MainWindowView::showColumn(int column) {
    if (m_columnSelector)
        m_columnSelector->showColumn(column);
}

void MainWindowView::setPollTimerInterval(int milliseconds) {
    m_window.setPollTimerInterval(milliseconds);
}
