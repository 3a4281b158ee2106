#pragma once
// What the monitor needs from the main window: its labels, its view
// switches, its run buttons and timer, its message boxes and its event pump.
// An adapter of the main window implements it, trendola-render a console
// view, tests a fake. All texts are UTF-8.

#include "chart/Chart.h"

#include <string>

// The three run buttons: "S&Ttop", "Re&Play" and "&New".
enum class RunButton { Stop, Replay, Live };
inline constexpr RunButton kRunButtons[] = {RunButton::Stop, RunButton::Replay, RunButton::Live};

// The value labels: "Max: ", "Now: " and "Min: ".
enum class ValueLabel { Highest, Now, Lowest };

// The scale labels, top to bottom.
inline constexpr int kScaleLabelCount = 5;

class MonitorView : public ChartSwitchSource {
public:
    // --- labels ---
    // Scale label `index` (0 at the top): caption and tool tip.
    virtual void setScaleLabel(int index, const std::string& text) = 0;
    virtual void setValueLabel(ValueLabel label, const std::string& text) = 0;
    // The status line.
    virtual void setStatusText(const std::string& text) = 0;
    virtual std::string statusText() const = 0;
    // The points per view ("表示項目数:").
    virtual void setPointsPerViewText(const std::string& text) = 0;
    // The replay's error text, shown only while it applies.
    virtual void setReplayErrorText(const std::string& text) = 0;
    virtual void setReplayErrorVisible(bool visible) = 0;
    virtual bool replayErrorVisible() const = 0;

    // --- switches read when drawing ---
    virtual bool pageModeChecked() const = 0;         // "Replay:頁単位で移動"
    virtual bool compositeChecked() const = 0;        // "合成"
    virtual bool gridLinesHidden() const = 0;         // "補助線を表示しない"
    virtual bool thresholdHidden() const = 0;         // "しきい値を表示しない"
    virtual std::string seriesColourText() const = 0; // the colour list's text
    // The switches as the chart draws with them.
    ChartSwitches chartSwitches() const final {
        return ChartSwitches{!(pageModeChecked() && compositeChecked()), gridLinesHidden(), thresholdHidden(),
                             seriesColourFor(seriesColourText(), kYellow)};
    }

    // --- run buttons, page scroll bar and timer ---
    // Setting a button's state from code raises its toggle, as a user's click
    // does, when the state changes.
    virtual void setRunButtonDown(RunButton button, bool down) = 0;
    virtual bool runButtonDown(RunButton button) const = 0;
    virtual void setPageScrollEnabled(bool enabled) = 0;
    // The live polling timer, at the poll interval in force.
    virtual void setPollTimerEnabled(bool enabled) = 0;

    // --- messages ---
    // A plain OK message box with the program's title.
    virtual void showPlainMessage(const std::string& text) = 0;
    // The shared message box of kinds 1 to 7 (see models/MessageBox.h).
    virtual void showMessage(const std::string& text, int kind) = 0;

    // --- event pump ---
    // Lets pending user-interface events run.
    virtual void letEventsRun() = 0;
    // Runs events for at most maxMs milliseconds, returning earlier when it
    // has handled some.
    virtual void waitForEvents(int maxMs) = 0;
};
