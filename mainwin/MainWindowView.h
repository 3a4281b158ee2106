#pragma once
// The main window as the monitor sees it: the adapter that implements the
// core's MonitorView and ApplyTarget on the window's own functions, shows
// its message boxes and runs its events.

#include "monitor/ApplySettings.h"
#include "monitor/MonitorView.h"

class ColumnSelector;
class MainWindow;
class MessageBoxPresenter;
class Monitor;

class MainWindowView final : public MonitorView, public ApplyTarget {
public:
    // All three must outlive the view; the timer runs at `monitor`'s poll interval.
    MainWindowView(MainWindow& window, const Monitor& monitor, MessageBoxPresenter& messageBoxes);

    // Where applying shows the column; none until the program joins it.
    void setColumnSelector(ColumnSelector* selector) { m_columnSelector = selector; }

    // --- MonitorView ---
    void setScaleLabel(int index, const std::string& text) override;
    void setValueLabel(ValueLabel label, const std::string& text) override;
    void setStatusText(const std::string& text) override;
    std::string statusText() const override;
    void setPointsPerViewText(const std::string& text) override;
    void setReplayErrorText(const std::string& text) override;
    void setReplayErrorVisible(bool visible) override;
    bool replayErrorVisible() const override;
    bool pageModeChecked() const override;
    bool compositeChecked() const override;
    bool gridLinesHidden() const override;
    bool thresholdHidden() const override;
    std::string seriesColourText() const override;
    void setRunButtonDown(RunButton button, bool down) override;
    bool runButtonDown(RunButton button) const override;
    void setPageScrollEnabled(bool enabled) override;
    void setPollTimerEnabled(bool enabled) override;
    void showPlainMessage(const std::string& text) override;
    void showMessage(const std::string& text, int kind) override;
    void letEventsRun() override;
    void waitForEvents(int maxMs) override;

    // --- ApplyTarget ---
    void setRunButtonEnabled(RunButton button, bool enabled) override;
    void setPageScrollRange(int minimum, int maximum) override;
    void showColumn(int column) override;
    void setPollTimerInterval(int milliseconds) override;

private:
    MainWindow& m_window;
    const Monitor& m_monitor;
    MessageBoxPresenter& m_messageBoxes;
    ColumnSelector* m_columnSelector = nullptr;
};
