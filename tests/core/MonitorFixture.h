#pragma once
// The core's routines wired to a recording surface and a fake main window,
// with fixture files in a private folder.

#include "chart/Chart.h"
#include "monitor/EventPump.h"
#include "monitor/MonitorContext.h"
#include "monitor/Monitor.h"
#include "monitor/RunControl.h"
#include "text/TextDecoder.h"
#include "support/FakeMonitorView.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

struct MonitorFixture : testing::Test {
    TempDir dir;
    MonitorState state;
    FakeMonitorView view;
    RecordingSurface surface;
    Chart chart{state, view, surface};
    EventPump pump{view, 0};
    Utf8Decoder decoder;
    MonitorContext context{state, view, chart, pump, decoder};

    MonitorFixture() {
        LoadMonitorDefaults(state);
        state.normalPointsPerView = 500;
        state.pageSize = 5000;
        state.rescalePending = true;
        state.dataFile = dir.file("data.csv");
        view.onRunButtonClick = [this](int index) { runButtonChanged(context, index); };
    }
    // A user's click on a run button: it toggles, then its click runs.
    void press(int index) { view.setRunButtonDown(index, !view.runButtons.at(index)); }
};
