#pragma once
// A main window for core tests: it keeps what the core showed and answers
// with settable switch states. Every call that shows something is also
// written to `log` in order, as "name:arguments", so a test can check the
// order of effects. Like the real window, a run button set from code raises
// its click when its state changes, and events can be made to arrive while
// the core lets them run.

#include "core/MonitorView.h"

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
    std::string infoText = "Information", headInfo, errInfo;
    bool errInfoShown = false;
    std::array<bool, 3> runButtons{};
    bool pageScrollEnabled = true;
    bool timerEnabled = false;
    std::vector<std::string> messages;                 // showMessage
    std::vector<std::pair<std::string, int>> msgBoxes; // ShowMsg: text, kind
    std::vector<std::string> infoHistory, errInfoHistory;
    int eventRuns = 0;
    std::vector<std::string> log;
    std::function<void()> onEvents;            // runs as if an event arrived while events run
    std::function<void(int)> onRunButtonClick; // the click a run button raises

    // --- answers ---
    bool pageMode = false, composite = false, auxiliaryHidden = false, thresholdOff = false;
    std::string colour = "黄";
    int msgAnswer = 1;

    void record(const std::string& entry) { log.push_back(entry); }
    static std::string flag(bool b) { return b ? "1" : "0"; }

    void setScaleLabel(int i, const std::string& text) override {
        scaleLabels.at(static_cast<std::size_t>(i)) = text;
        record("scaleLabel:" + std::to_string(i) + "=" + text);
    }
    void setValueLabel(int i, const std::string& text) override {
        valueLabels.at(static_cast<std::size_t>(i)) = text;
        record("valueLabel:" + std::to_string(i) + "=" + text);
    }
    void setInfo(const std::string& text) override {
        infoText = text;
        infoHistory.push_back(text);
        record("info:" + text);
    }
    std::string info() const override { return infoText; }
    void setHeadInfo(const std::string& text) override {
        headInfo = text;
        record("headInfo:" + text);
    }
    void setErrInfo(const std::string& text) override {
        errInfo = text;
        errInfoHistory.push_back(text);
        record("errInfo:" + text);
    }
    void setErrInfoVisible(bool v) override {
        errInfoShown = v;
        record("errInfoVisible:" + flag(v));
    }
    bool errInfoVisible() const override { return errInfoShown; }

    bool pageModeChecked() const override { return pageMode; }
    bool compositeChecked() const override { return composite; }
    bool auxiliaryLinesHidden() const override { return auxiliaryHidden; }
    bool thresholdHidden() const override { return thresholdOff; }
    std::string colourText() const override { return colour; }

    void setRunButtonDown(int i, bool down) override {
        const bool changed = runButtons.at(static_cast<std::size_t>(i)) != down;
        runButtons.at(static_cast<std::size_t>(i)) = down;
        record("runButtonDown:" + std::to_string(i) + "=" + flag(down));
        if (changed && onRunButtonClick)
            onRunButtonClick(i);
    }
    bool runButtonDown(int i) const override { return runButtons.at(static_cast<std::size_t>(i)); }
    void setPageScrollEnabled(bool e) override {
        pageScrollEnabled = e;
        record("pageScrollEnabled:" + flag(e));
    }
    void setTimerEnabled(bool e) override {
        timerEnabled = e;
        record("timerEnabled:" + flag(e));
    }

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        record("showMessage:" + text);
    }
    int ShowMsg(const std::string& strMsg, int intKind) override {
        msgBoxes.emplace_back(strMsg, intKind);
        record("ShowMsg:" + std::to_string(intKind) + "=" + strMsg);
        return msgAnswer;
    }

    void letEventsRun() override {
        ++eventRuns;
        if (onEvents)
            onEvents();
    }
    void waitForEvents(int) override { letEventsRun(); }
};
