#pragma once
// Applying settings: the prepared value written into the monitor, and shown
// where the main window shows it. The settings dialog's "設定(&S)" and
// trendola-render both apply through here.

#include "monitor/Monitor.h"
#include "monitor/MonitorView.h"

#include <cstdint>

// The main-window controls applying sets that the MonitorView does not
// cover. The main window's adapter implements it; trendola-render has none.
class ApplyTarget {
public:
    virtual ~ApplyTarget() = default;
    // A run button usable or not. Only the enabled state changes; a run in
    // progress goes on.
    virtual void setRunButtonEnabled(RunButton button, bool enabled) = 0;
    // The page scroll bar's range. This is not a user's page choice: it must
    // start no replay, also when it moves the scroll bar's value into the
    // new range.
    virtual void setPageScrollRange(int minimum, int maximum) = 0;
    // The column selector shows the applied column.
    virtual void showColumn(int column) = 0;
    // The poll timer's interval in milliseconds; whether it runs is not touched.
    virtual void setPollTimerInterval(int milliseconds) = 0;
};

// Writes prepared settings into `monitor` (see Monitor::apply) and shows
// them: the run buttons enabled; the page scroll range; the points per
// view; then, unless the sweep folder stopped it, the column, the timer's
// interval and the scale labels.
ApplyOutcome applyMonitorSettings(Monitor& monitor, PreparedSettings prepared, MonitorView& view,
                                  ApplyTarget* target);
