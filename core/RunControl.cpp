#include "core/RunControl.h"

#include "core/Chart.h"
#include "core/FileLines.h"
#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/Replay.h"
#include "core/ScaleLabels.h"

#include <exception>

void StopRun(MonitorContext& context) {
    context.state.blnRun = false;
    for (int index = 0; index < 3; ++index)
        context.view.setRunButtonDown(index, false);
    context.view.setTimerEnabled(false);
}

namespace {

void click(MonitorContext& context, int index) {
    MonitorState& state = context.state;
    MonitorView& view = context.view;
    if (index == 0 || !dataFileExists(state.strInFile)) {
        StopRun(context);
        return;
    }
    if (index == 1) {
        if (view.runButtonDown(1)) {
            state.blnRun = true;
            view.setPageScrollEnabled(false);
            (void)RePlayData(context, view.pageModeChecked(), 0); // its labels tell how it ended
            view.setRunButtonDown(1, false);
            view.setPageScrollEnabled(true);
        } else {
            state.blnRun = false;
        }
    } else if (index == 2) {
        view.setTimerEnabled(view.runButtonDown(2));
    }
}

} // namespace

void runButtonChanged(MonitorContext& context, int index) {
    try {
        click(context, index);
    } catch (...) {
        context.view.ShowMsg(runErrorMessage(currentFailure()), 7);
    }
}

void resetChart(MonitorContext& context) {
    MonitorState& state = context.state;
    state.dblMaxY = 0;
    state.dblMinY = 0;
    state.dblNowMax = 0;
    state.dblNowMin = 0;
    context.view.setValueLabel(0, "Max: 0");
    context.view.setValueLabel(1, "Now: 0");
    context.view.setValueLabel(2, "Min: 0");
    SetScaleLabels(state, context.view);
    ResetDatPos(state);
    context.chart.clearSurface();
}
