#pragma once
// The monitor's model: the settings in force, the sample ring, the scale,
// whether a run is in progress, and what is known of the data file (its
// line count when the settings were applied, and the last-line reader that
// follows it). One instance lives as long as the window or the renderer that
// shows it. Each part keeps its own invariants; the settings change only as
// a whole when applied, or through the few rules that change one of them at
// once (the delimiter list, the delimiter-runs box and the column selector).

#include "chart/Chart.h"
#include "io/LastLineReader.h"
#include "monitor/MonitorSettings.h"
#include "monitor/SampleRing.h"
#include "monitor/Scale.h"
#include "text/ValuePicker.h"

#include <cstdint>
#include <string>

enum class ApplyOutcome {
    Applied,       // every setting in force
    FileRejected,  // no such data file: nothing applied
    LimitRefused,  // a setting beyond the model's limits: nothing applied
    FolderStopped, // the sweep folder is no existing folder: the settings before it stay applied
};

class Monitor {
public:
    // The defaults at load: the settings' defaults, an empty ring of 501
    // slots with 500 points across, a scale of 0..0, no run.
    Monitor();

    const MonitorSettings& settings() const { return m_settings; }

    // Writes prepared settings in their fixed order: the data file, its line
    // count (the last-line reader goes on from it) and a rescale; the scale
    // ends; the page size; the points per view; the new ring with an empty
    // position; the threshold; the automatic scale and whether the scale
    // fits the data (a switch forgets the extremes); the sweep pictures, which
    // stop everything after them when their folder is no existing folder
    // (FolderStopped), and otherwise take their name; the delimiter, its runs,
    // the column and the pattern; the interval; and the pace.
    ApplyOutcome apply(PreparedSettings prepared);

    // The rules that change one setting at once.
    void setDelimiterName(std::string name) { m_settings.delimiterName = std::move(name); }
    void setSkipDelimiterRuns(bool skip) { m_settings.skipDelimiterRuns = skip; }
    void setColumn(int column) { m_settings.column = column; }

    SampleRing& samples() { return m_samples; }
    const SampleRing& samples() const { return m_samples; }
    Scale& scale() { return m_scale; }
    const Scale& scale() const { return m_scale; }

    // A run (a replay or live monitoring) is in progress; a replay ends
    // before its next line once this is cleared.
    bool running() const { return m_running; }
    void setRunning(bool running) { m_running = running; }

    // The live tick's guard, so that two reads never overlap: false while a
    // read is in progress.
    bool readReady() const { return m_readReady; }
    void setReadReady(bool ready) { m_readReady = ready; }

    // The data file's lines, counted when the settings were applied.
    std::int64_t dataFileLineCount() const { return m_dataFileLineCount; }
    // The reader that follows the data file's last line from tick to tick.
    LastLineReader& lastLineReader() { return m_lastLineReader; }
    // The pattern in force, compiled; none when the field is taken.
    const LinePattern* pattern() const { return m_pattern ? &*m_pattern : nullptr; }
    // What takes the value out of a line by the settings in force; it holds
    // on to the monitor's pattern until the next apply.
    ValuePicker valuePicker(const TextDecoder& decoder) const {
        return ValuePicker(m_settings.fieldRule(), pattern(), decoder);
    }
    // The name the sweep pictures start with, as last applied.
    const std::string& sweepImageName() const { return m_sweepImageName; }

    // What the chart draws now, with the scale's top at the top edge.
    ChartFrame chartFrame() const {
        return ChartFrame{m_scale.top(), m_scale.bottom(), m_settings.thresholdPercent, m_samples.series()};
    }
    // The Max/Min note as the chart prints it, on a scale up to `top`.
    ExtremesNote extremesNote(double top) const;

private:
    MonitorSettings m_settings;
    SampleRing m_samples;
    Scale m_scale;
    bool m_running = false;
    bool m_readReady = true;
    std::int64_t m_dataFileLineCount = 0;
    LastLineReader m_lastLineReader;
    std::string m_sweepImageName;
    std::optional<LinePattern> m_pattern;
};
