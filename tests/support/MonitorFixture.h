#pragma once
// The monitor's procedures wired to a recording surface and a fake main
// window, with fixture files in a private folder.

#include "chart/Chart.h"
#include "monitor/ApplySettings.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/RunControl.h"
#include "support/FakeMonitorView.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

struct MonitorFixture : testing::Test {
    TempDir dir;
    Monitor monitor;
    FakeMonitorView view;
    RecordingSurface surface;
    Chart chart{surface, view};
    EventPump pump{view, 0};
    Utf8Decoder decoder;
    MonitorContext context{monitor, view, chart, pump, decoder};

    MonitorFixture() {
        view.onRunButtonToggle = [this](RunButton button) { runButtonToggled(context, button); };
    }

    // Applies `settings` as the settings dialog would (with a data file in
    // the fixture folder unless one is given), and checks that it applied.
    void apply(MonitorSettings settings) {
        if (settings.dataFile.empty())
            settings.dataFile = dir.file("data.csv");
        auto prepared = prepareSettings(std::move(settings), std::nullopt);
        ASSERT_TRUE(prepared) << prepared.error().message;
        ASSERT_EQ(applyMonitorSettings(monitor, std::move(*prepared), view, nullptr), ApplyOutcome::Applied);
    }
    // A user's click on a run button: it toggles, then its toggle runs.
    void press(RunButton button) { view.setRunButtonDown(button, !view.runButtonDown(button)); }
};
