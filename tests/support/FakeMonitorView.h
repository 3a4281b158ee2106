#pragma once
// A main window for core tests: it keeps what the monitor showed and answers
// with settable switch states. Every call that shows something is also
// written to `log` in order, as "name:arguments", so a test can check the
// order of effects. Like the real window, a run button set from code raises
// its toggle when its state changes, and events can be made to arrive while
// the monitor lets them run.

#include "monitor/MonitorView.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakeMonitorView : public MonitorView {
public:
    // --- what the monitor showed ---
    std::array<std::string, kScaleLabelCount> scaleLabels{"-", "-", "-", "-", "-"};
    std::array<std::string, 3> valueLabels{"Max: 0", "Now: 0", "Min: 0"};
    std::string status = "Information", replayError;
    bool replayErrorShown = false;
    std::array<bool, 3> runButtons{};
    bool pageScrollEnabled = true;
    bool pollTimerEnabled = false;
    std::vector<std::string> messages;                 // showPlainMessage
    std::vector<std::pair<std::string, int>> msgBoxes; // showMessage: text, kind
    std::vector<std::string> replayErrorHistory;
    int eventRuns = 0;
    std::vector<std::string> log;
    std::function<void()> onEvents;                   // runs as if an event arrived while events run
    std::function<void(RunButton)> onRunButtonToggle; // the toggle a run button raises

    // --- answers ---
    bool pageMode = false, composite = false, gridHidden = false, thresholdOff = false;
    std::string colour = "黄";

    void record(const std::string& entry) { log.push_back(entry); }
    static std::string flag(bool b) { return b ? "1" : "0"; }
    static std::string at(int i) { return std::to_string(i) + "="; }
    static std::size_t slot(RunButton button) { return static_cast<std::size_t>(button); }

    void setScaleLabel(int i, const std::string& text) override {
        record("scaleLabel:" + at(i) + (scaleLabels.at(static_cast<std::size_t>(i)) = text));
    }
    void setValueLabel(ValueLabel label, const std::string& text) override {
        const int i = static_cast<int>(label);
        record("valueLabel:" + at(i) + (valueLabels.at(static_cast<std::size_t>(i)) = text));
    }
    void setStatusText(const std::string& text) override { record("status:" + (status = text)); }
    std::string statusText() const override { return status; }
    void setPointsPerViewText(const std::string& text) override { record("pointsPerView:" + text); }
    void setReplayErrorText(const std::string& text) override {
        replayErrorHistory.push_back(replayError = text);
        record("replayError:" + text);
    }
    void setReplayErrorVisible(bool v) override {
        record("replayErrorVisible:" + flag(replayErrorShown = v));
    }
    bool replayErrorVisible() const override { return replayErrorShown; }

    bool pageModeChecked() const override { return pageMode; }
    bool compositeChecked() const override { return composite; }
    bool gridLinesHidden() const override { return gridHidden; }
    bool thresholdHidden() const override { return thresholdOff; }
    std::string seriesColourText() const override { return colour; }

    void setRunButtonDown(RunButton button, bool down) override {
        const bool changed = std::exchange(runButtons.at(slot(button)), down) != down;
        record("runButtonDown:" + at(static_cast<int>(button)) + flag(down));
        if (changed && onRunButtonToggle)
            onRunButtonToggle(button);
    }
    bool runButtonDown(RunButton button) const override { return runButtons.at(slot(button)); }
    void setPageScrollEnabled(bool e) override { record("pageScrollEnabled:" + flag(pageScrollEnabled = e)); }
    void setPollTimerEnabled(bool e) override { record("pollTimerEnabled:" + flag(pollTimerEnabled = e)); }

    void showPlainMessage(const std::string& text) override {
        messages.push_back(text);
        record("showPlainMessage:" + text);
    }
    void showMessage(const std::string& text, int kind) override {
        msgBoxes.emplace_back(text, kind);
        record("showMessage:" + at(kind) + text);
    }

    void letEventsRun() override {
        ++eventRuns;
        if (onEvents)
            onEvents();
    }
    void waitForEvents(int) override { letEventsRun(); }
};
