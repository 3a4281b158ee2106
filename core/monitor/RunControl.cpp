#include "monitor/RunControl.h"

#include "chart/Chart.h"
#include "io/FileLines.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "monitor/Replay.h"
#include "monitor/ScaleLabels.h"

#include <exception>

void stopRun(MonitorContext& context) {
    context.monitor.setRunning(false);
    for (const RunButton button : kRunButtons)
        context.view.setRunButtonDown(button, false);
    context.view.setPollTimerEnabled(false);
}

namespace {

void toggled(MonitorContext& context, RunButton button) {
    Monitor& monitor = context.monitor;
    MonitorView& view = context.view;
    if (button == RunButton::Stop || !dataFileExists(monitor.settings().dataFile)) {
        stopRun(context);
        return;
    }
    if (button == RunButton::Replay) {
        if (view.runButtonDown(RunButton::Replay)) {
            monitor.setRunning(true);
            view.setPageScrollEnabled(false);
            (void)replay(context, view.pageModeChecked(), 0); // its labels tell how it ended
            view.setRunButtonDown(RunButton::Replay, false);
            view.setPageScrollEnabled(true);
        } else {
            monitor.setRunning(false);
        }
    } else {
        view.setPollTimerEnabled(view.runButtonDown(RunButton::Live));
    }
}

} // namespace

void runButtonToggled(MonitorContext& context, RunButton button) {
    try {
        toggled(context, button);
    } catch (...) {
        context.view.showMessage(runErrorMessage(currentFailure()), 7);
    }
}

void resetChart(MonitorContext& context) {
    Scale& scale = context.monitor.scale();
    scale.setEnds(0, 0);
    scale.resetExtremes();
    context.view.setValueLabel(ValueLabel::Highest, "Max: 0");
    context.view.setValueLabel(ValueLabel::Now, "Now: 0");
    context.view.setValueLabel(ValueLabel::Lowest, "Min: 0");
    updateScaleLabels(scale, context.view);
    context.monitor.samples().resetPosition();
    context.chart.clearSurface();
}
