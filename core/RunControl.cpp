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
            RePlayData(context, view.pageModeChecked(), 0);
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

void chkStart_Click(MonitorContext& context, int index) {
    try {
        click(context, index);
    } catch (...) {
        const CoreError failure = currentFailure();
        context.view.ShowMsg("Error (" + std::to_string(failure.number) + ") :" + failure.description, 7);
    }
}

void cmdInit_Click(MonitorContext& context) {
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
