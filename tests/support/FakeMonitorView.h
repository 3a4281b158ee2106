#pragma once
// A main window for core tests: it keeps what the core showed and answers
// with settable switch states. Every call that shows something is also
// written to `log` in order, as "name:arguments", so a test can check the
// order of effects. Like the real window, a run button set from code raises
// its click when its state changes, and events can be made to arrive while
// the core lets them run.

#include "monitor/MonitorView.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class FakeMonitorView : public MonitorView {
public:
    // --- what the core showed ---
    std::array<std::string, 5> scaleLabels{"-", "-", "-", "-", "-"};
    std::array<std::string, 3> valueLabels{"Max: 0", "Now: 0", "Min: 0"};
    std::string infoText = "Information", errInfo;
    bool errInfoShown = false;
    std::array<bool, 3> runButtons{};
    bool pageScrollEnabled = true;
    bool timerEnabled = false;
    std::vector<std::string> messages;                 // showPlainMessage
    std::vector<std::pair<std::string, int>> msgBoxes; // showMessage: text, kind
    std::vector<std::string> errInfoHistory;
    int eventRuns = 0;
    std::vector<std::string> log;
    std::function<void()> onEvents;            // runs as if an event arrived while events run
    std::function<void(int)> onRunButtonClick; // the click a run button raises

    // --- answers ---
    bool pageMode = false, composite = false, auxiliaryHidden = false, thresholdOff = false;
    std::string colour = "黄";

    void record(const std::string& entry) { log.push_back(entry); }
    static std::string flag(bool b) { return b ? "1" : "0"; }
    static std::string at(int i) { return std::to_string(i) + "="; }

    void setScaleLabel(int i, const std::string& text) override {
        record("scaleLabel:" + at(i) + (scaleLabels.at(static_cast<std::size_t>(i)) = text));
    }
    void setValueLabel(int i, const std::string& text) override {
        record("valueLabel:" + at(i) + (valueLabels.at(static_cast<std::size_t>(i)) = text));
    }
    void setInfo(const std::string& text) override { record("info:" + (infoText = text)); }
    std::string info() const override { return infoText; }
    void setHeadInfo(const std::string& text) override { record("headInfo:" + text); }
    void setErrInfo(const std::string& text) override {
        errInfoHistory.push_back(errInfo = text);
        record("errInfo:" + text);
    }
    void setErrInfoVisible(bool v) override { record("errInfoVisible:" + flag(errInfoShown = v)); }
    bool errInfoVisible() const override { return errInfoShown; }

    bool pageModeChecked() const override { return pageMode; }
    bool compositeChecked() const override { return composite; }
    bool auxiliaryLinesHidden() const override { return auxiliaryHidden; }
    bool thresholdHidden() const override { return thresholdOff; }
    std::string colourText() const override { return colour; }

    void setRunButtonDown(int i, bool down) override {
        const bool changed = std::exchange(runButtons.at(static_cast<std::size_t>(i)), down) != down;
        record("runButtonDown:" + at(i) + flag(down));
        if (changed && onRunButtonClick)
            onRunButtonClick(i);
    }
    bool runButtonDown(int i) const override { return runButtons.at(static_cast<std::size_t>(i)); }
    void setPageScrollEnabled(bool e) override { record("pageScrollEnabled:" + flag(pageScrollEnabled = e)); }
    void setTimerEnabled(bool e) override { record("timerEnabled:" + flag(timerEnabled = e)); }

    void showPlainMessage(const std::string& text) override {
        messages.push_back(text);
        record("showPlainMessage:" + text);
    }
    int showMessage(const std::string& strMsg, int intKind) override {
        msgBoxes.emplace_back(strMsg, intKind);
        record("ShowMsg:" + at(intKind) + strMsg);
        return 1;
    }

    void letEventsRun() override {
        ++eventRuns;
        if (onEvents)
            onEvents();
    }
    void waitForEvents(int) override { letEventsRun(); }
};
