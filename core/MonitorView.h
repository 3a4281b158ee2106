#pragma once
// What the core needs from the main window: its labels, its switches, its
// run buttons and timer, its message boxes and its event pump. The main
// window implements this; tests implement it with a fake. All texts are UTF-8.

#include <string>

class MonitorView {
public:
    virtual ~MonitorView() = default;

    // --- labels ---
    // lblViewMem(0..4), the scale values top to bottom: caption and tool tip.
    virtual void setScaleLabel(int index, const std::string& text) = 0;
    // lblNowValVal(0..2): "Max: ", "Now: ", "Min: " captions.
    virtual void setValueLabel(int index, const std::string& text) = 0;
    // lblInfo, the status line.
    virtual void setInfo(const std::string& text) = 0;
    virtual std::string info() const = 0;
    // lblHeadInfo, points per view.
    virtual void setHeadInfo(const std::string& text) = 0;
    // lblErrInfo, the replay's error text, shown only while it applies.
    virtual void setErrInfo(const std::string& text) = 0;
    virtual void setErrInfoVisible(bool visible) = 0;
    virtual bool errInfoVisible() const = 0;

    // --- switches read when drawing ---
    virtual bool pageModeChecked() const = 0;      // chkReDraw "Replay:頁単位で移動"
    virtual bool compositeChecked() const = 0;     // chkMultView "合成"
    virtual bool auxiliaryLinesHidden() const = 0; // mnuWinNonMem "補助線を表示しない"
    virtual bool thresholdHidden() const = 0;      // mnuWinSetVal "しきい値を表示しない"
    virtual std::string colourText() const = 0;    // cmbColor's text

    // --- run buttons, page scroll bar and timer ---
    // chkStart(0..2): S&Ttop, Re&Play, &New. Setting a button's state from
    // code raises its click, as a user's click does, when the state changes.
    virtual void setRunButtonDown(int index, bool down) = 0;
    virtual bool runButtonDown(int index) const = 0;
    virtual void setPageScrollEnabled(bool enabled) = 0; // scrH
    virtual void setTimerEnabled(bool enabled) = 0;      // tmrTime, interval lngInterval

    // --- messages ---
    // A plain OK message box with the program's title.
    virtual void showPlainMessage(const std::string& text) = 0;
    // The shared message box of kinds 1 to 7; returns the normalised answer,
    // -1 when the box cannot be shown.
    virtual int ShowMsg(const std::string& strMsg, int intKind) = 0;

    // --- event pump ---
    // Lets pending user-interface events run. May return at once while within
    // a small time budget since it last ran them.
    virtual void letEventsRun() = 0;
    // Runs events for at most maxMs milliseconds, returning earlier when it
    // has handled some.
    virtual void waitForEvents(int maxMs) = 0;
};
