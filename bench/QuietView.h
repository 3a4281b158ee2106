#pragma once
// A main window for benchmarks: every switch at its default, labels dropped.

#include "monitor/MonitorView.h"

class QuietView : public MonitorView {
public:
    void setScaleLabel(int, const std::string&) override {}
    void setValueLabel(int, const std::string&) override {}
    void setInfo(const std::string&) override {}
    std::string info() const override { return {}; }
    void setHeadInfo(const std::string&) override {}
    void setErrInfo(const std::string&) override {}
    void setErrInfoVisible(bool) override {}
    bool errInfoVisible() const override { return false; }
    bool pageModeChecked() const override { return false; }
    bool compositeChecked() const override { return false; }
    bool auxiliaryLinesHidden() const override { return false; }
    bool thresholdHidden() const override { return false; }
    std::string colourText() const override { return "黄"; }
    void setRunButtonDown(int, bool) override {}
    bool runButtonDown(int) const override { return false; }
    void setPageScrollEnabled(bool) override {}
    void setTimerEnabled(bool) override {}
    void showPlainMessage(const std::string&) override {}
    int showMessage(const std::string&, int) override { return 1; }
    void letEventsRun() override {}
    void waitForEvents(int) override {}
};
