#pragma once
// Watching live monitoring without looking at it: after each tick, whether
// the newest value crossed the threshold and whether the data file went
// stale or fresh again. The window and trendola-render both keep one for a
// live run and show or pass on what it reports.

#include "monitor/Staleness.h"
#include "monitor/ThresholdAlarm.h"

#include <optional>
#include <vector>

class Monitor;

class LiveWatch {
public:
    // Staleness is watched only with a stale time; crossings always.
    explicit LiveWatch(std::optional<std::chrono::milliseconds> staleAfter);

    // After one live tick, which stored a value or not, at `now` (and the
    // same moment on the wall clock): a stored value is compared with the
    // threshold on the scale as the tick left it; the data file is looked at
    // when staleness is watched. What changed, staleness first.
    std::vector<WatchEvent> afterTick(const Monitor& monitor, bool stored, SteadyTime now, WallTime wallNow);

    bool above() const { return m_alarm.above(); }
    bool stale() const { return m_staleness && m_staleness->stale(); }
    // Nothing when staleness is not watched.
    const StalenessWatch* staleness() const { return m_staleness ? &*m_staleness : nullptr; }
    // The value the last storing tick stored; nothing before the first.
    std::optional<double> newestValue() const { return m_newest; }

    // Watches staleness afresh with this stale time, or no more; the
    // threshold's state stays.
    void setStaleTime(std::optional<std::chrono::milliseconds> staleAfter);

    // As at the start of a live run: below, no value, the file not seen.
    void reset();

private:
    ThresholdAlarm m_alarm;
    std::optional<StalenessWatch> m_staleness;
    std::optional<double> m_newest;
};
