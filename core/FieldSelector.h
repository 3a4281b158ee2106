#pragma once
// The main window's field selector: the field-number text txtWatch and the
// spin scrV beside it. Choosing another field starts the graph afresh with
// it: the dialog's field number follows, Max/Min restart from 0 and the ring
// buffer is emptied.
//
// The window shows watchText() and spinValue() and passes the user's spin
// moves to setSpinValue(); txtWatch is read-only to the user.

#include <cstdint>
#include <functional>
#include <string>

struct MonitorState;
class MonitorView;
class DialogModel;

class FieldSelector {
public:
    // The settings dialog, created with its loading steps when it does not exist.
    using DialogAccess = std::function<DialogModel&()>;

    static constexpr int kMinimum = 1;
    static constexpr int kMaximum = 1000;

    // `state` and `view` must outlive the selector.
    FieldSelector(MonitorState& state, MonitorView& view, DialogAccess dialog);

    const std::string& watchText() const { return m_watchText; }
    int spinValue() const { return m_spinValue; }

    // Called after txtWatch's text or scrV's value changed, so the window can
    // show them.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // txtWatch's text placed by code; runs txtWatch_Change when it changes.
    void setWatchText(std::string text);
    // scrV's value moved by the user or set by code; runs scrV_Change when it
    // changes. False, with nothing changed, outside 1..1000.
    bool setSpinValue(int value);

private:
    void txtWatch_Change();
    void scrV_Change();
    void notify();

    MonitorState& m_state;
    MonitorView& m_view;
    DialogAccess m_dialog;
    std::function<void()> m_listener;
    std::string m_watchText = "1";
    int m_spinValue = 1;
};
