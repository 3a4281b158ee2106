#pragma once
// The core's routines wired to a recording surface and a fake main window,
// with fixture files in a private folder.

#include "core/Chart.h"
#include "core/EventPump.h"
#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/RunControl.h"
#include "core/TextDecoder.h"
#include "tests/support/FakeMonitorView.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempDir.h"

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
        state.lngXmemNormal = 500;
        state.lngRange = 5000;
        state.blnRescale = true;
        state.strInFile = dir.file("data.csv");
        view.onRunButtonClick = [this](int index) { runButtonChanged(context, index); };
    }
    // A user's click on a run button: it toggles, then its click runs.
    void press(int index) { view.setRunButtonDown(index, !view.runButtons.at(index)); }
};
