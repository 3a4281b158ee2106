#pragma once
// The main window's column selector: the read-only field number and the
// spin beside it. Choosing another column starts the graph afresh with it:
// the dialog's column follows, Max/Min restart from 0 and the sample ring is
// emptied.
//
// The window shows columnText() and spinValue() and passes the user's spin
// moves to setSpinValue().

#include <functional>
#include <string>

class DialogModel;
class Monitor;
class MonitorView;

class ColumnSelector {
public:
    // The settings dialog, created with its loading steps when it does not exist.
    using DialogAccess = std::function<DialogModel&()>;

    // `monitor` and `view` must outlive the selector.
    ColumnSelector(Monitor& monitor, MonitorView& view, DialogAccess dialog);

    const std::string& columnText() const { return m_columnText; }
    int spinValue() const { return m_spinValue; }

    // Called after the text or the spin's value changed, so the window can
    // show them.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // Shows `column`, as applying the settings does: the text, then the spin.
    void showColumn(int column);
    // The field number's text placed by code; its change rule runs when it changes.
    void setColumnText(std::string text);
    // The spin's value moved by the user or set by code; its change rule runs
    // when it changes. False, with nothing changed, outside the column range.
    bool setSpinValue(int value);

private:
    void columnTextChanged();
    void spinValueChanged();
    void notify();

    Monitor& m_monitor;
    MonitorView& m_view;
    DialogAccess m_dialog;
    std::function<void()> m_listener;
    std::string m_columnText = "1";
    int m_spinValue = 1;
};
