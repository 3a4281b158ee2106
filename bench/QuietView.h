#pragma once
// A main window for benchmarks: every switch at its default, labels dropped.

#include "monitor/MonitorView.h"

class QuietView : public MonitorView {
public:
    void setScaleLabel(int, const std::string&) override {}
    void setValueLabel(ValueLabel, const std::string&) override {}
    void setStatusText(const std::string&) override {}
    std::string statusText() const override { return {}; }
    void setPointsPerViewText(const std::string&) override {}
    void setReplayErrorText(const std::string&) override {}
    void setReplayErrorVisible(bool) override {}
    bool replayErrorVisible() const override { return false; }
    bool pageModeChecked() const override { return false; }
    bool compositeChecked() const override { return false; }
    bool gridLinesHidden() const override { return false; }
    bool thresholdHidden() const override { return false; }
    std::string seriesColourText() const override { return "黄"; }
    void setRunButtonDown(RunButton, bool) override {}
    bool runButtonDown(RunButton) const override { return false; }
    void setPageScrollEnabled(bool) override {}
    void setPollTimerEnabled(bool) override {}
    void showPlainMessage(const std::string&) override {}
    void showMessage(const std::string&, int) override {}
    void letEventsRun() override {}
    void waitForEvents(int) override {}
};
