// The replay's quick reading of plain fields, and the redraws and labels
// that quick lines leave to settle, against the general reading of every
// line handled in full: on files with every kind of line, the two must
// show the same at every event, draw and save the same pictures, and end
// the same way.

#include "monitor/Replay.h"
#include "support/FakeMonitorView.h"
#include "support/HardLines.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"

#include "chart/Chart.h"
#include "monitor/ApplySettings.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// One monitor with its window and surface. A pump budget of 0 lets events
// run at every chance, a huge one never: either way the same in both rigs.
struct Rig {
    explicit Rig(int budgetMs) : pump(view, budgetMs) {}
    Monitor monitor;
    FakeMonitorView view;
    RecordingSurface surface;
    Chart chart{surface, view};
    EventPump pump;
    Utf8Decoder decoder;
    MonitorContext context{monitor, view, chart, pump, decoder};
};

// What a replay left to be seen.
struct Outcome {
    std::optional<bool> result;
    std::optional<int> errorCode;
    std::vector<std::string> log;
    std::vector<RecordedLine> lines;
    std::vector<std::string> texts;
    std::vector<std::vector<RecordedLine>> savedPictures;
    std::vector<std::string> saved;
    int clears, hides, shows, eventRuns;
    std::vector<double> samples;
    int newestSlot;
    double top, bottom, highest, lowest;
    bool operator==(const Outcome&) const = default;
};

struct ReplayRun {
    MonitorSettings settings;
    bool pageMode = false;
    int page = 0;
    int budgetMs = 0;
    int switchColumnAtEvent = 0; // 0: never
    int stopAtEvent = 0;         // 0: never
};

Outcome replayWith(const ReplayRun& run, bool generalReading) {
    Rig rig(run.budgetMs);
    auto prepared = prepareSettings(run.settings, std::nullopt);
    EXPECT_TRUE(prepared);
    applyMonitorSettings(rig.monitor, std::move(*prepared), rig.view, nullptr);
    rig.view.onEvents = [&] {
        if (rig.view.eventRuns == run.switchColumnAtEvent)
            rig.monitor.setColumn(rig.monitor.settings().column % 3 + 1);
        if (rig.view.eventRuns == run.stopAtEvent)
            rig.monitor.setRunning(false);
    };
    rig.monitor.setRunning(true);
    ReplaySource source;
    source.generalReading = generalReading;
    const auto replayed = replay(rig.context, run.pageMode, run.page, source);
    Outcome outcome;
    if (replayed)
        outcome.result = *replayed;
    else
        outcome.errorCode = replayed.error().code;
    outcome.log = rig.view.log;
    outcome.lines = rig.surface.lines;
    for (const auto& text : rig.surface.texts)
        outcome.texts.push_back(text.text);
    outcome.savedPictures = rig.surface.savedPictures;
    outcome.saved = rig.surface.saved;
    outcome.clears = rig.surface.clears;
    outcome.hides = rig.surface.hides;
    outcome.shows = rig.surface.shows;
    outcome.eventRuns = rig.view.eventRuns;
    for (const Sample& sample : rig.monitor.samples().samples())
        outcome.samples.push_back(sample.value);
    outcome.newestSlot = rig.monitor.samples().newestSlot();
    const Scale& scale = rig.monitor.scale();
    outcome.top = scale.top();
    outcome.bottom = scale.bottom();
    outcome.highest = scale.highest();
    outcome.lowest = scale.lowest();
    return outcome;
}

TEST(ReplayFastPath, ShowsWhatTheGeneralReadingShows) {
    TempDir dir;
    std::mt19937 random(2022);
    const std::string delimiters[] = {"カンマ", "スペース", "タブ", "セミコロン"};
    int compared = 0;
    for (int file = 0; file < 40; ++file) {
        std::string content = hardLines(random, 300);
        if (file % 4 == 0)
            for (int i = 0; i < 2000; ++i) // long runs of plain lines, through sweeps and pages
                content += std::to_string(random() % 2000) + "," + std::to_string(random() % 100000) + "." +
                           std::to_string(random() % 100) + (i % 50 == 0 ? "\r\n" : "\n");
        const std::string path = dir.write("data.csv", content);
        ReplayRun run;
        run.settings.dataFile = path;
        run.settings.delimiterName = delimiters[random() % std::size(delimiters)];
        run.settings.skipDelimiterRuns = random() % 2 == 0;
        run.settings.column = static_cast<int>(random() % 3) + 1;
        run.settings.pointsPerView = static_cast<int>(random() % 60) + 1;
        run.settings.pageSize = static_cast<int>(random() % 300) + 1;
        run.settings.autoScale = random() % 4 != 0;
        run.settings.fitScale = random() % 4 == 0;
        run.settings.scaleTop = 500;
        run.settings.scaleBottom = -500;
        run.settings.saveSweepImages = random() % 2 == 0;
        run.settings.sweepFolder = dir.path();
        if (file % 10 == 9)
            run.settings.pattern = "time=([0-9.]+)";
        run.pageMode = random() % 3 == 0;
        run.page = run.pageMode && random() % 2 == 0 ? static_cast<int>(random() % 5) + 1 : 0;
        run.budgetMs = random() % 3 == 0 ? 1'000'000'000 : 0;
        run.switchColumnAtEvent = random() % 3 == 0 ? static_cast<int>(random() % 400) + 1 : 0;
        run.stopAtEvent = random() % 5 == 0 ? static_cast<int>(random() % 2000) + 1 : 0;
        SCOPED_TRACE("file " + std::to_string(file) + ", column " + std::to_string(run.settings.column) +
                     ", " + run.settings.delimiterName + (run.pageMode ? ", page mode" : ""));
        const Outcome general = replayWith(run, true);
        const Outcome quick = replayWith(run, false);
        EXPECT_EQ(quick.result, general.result);
        EXPECT_EQ(quick.errorCode, general.errorCode);
        EXPECT_EQ(quick.log, general.log);
        EXPECT_EQ(quick.lines, general.lines);
        EXPECT_EQ(quick.texts, general.texts);
        EXPECT_EQ(quick.savedPictures, general.savedPictures);
        EXPECT_EQ(quick.saved, general.saved);
        EXPECT_EQ(quick.samples, general.samples);
        EXPECT_TRUE(quick == general) << "counts, slot or scale";
        compared += static_cast<int>(general.log.size());
    }
    EXPECT_GT(compared, 10000) << "the runs showed enough to compare";
}

} // namespace
