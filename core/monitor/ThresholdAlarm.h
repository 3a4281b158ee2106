#pragma once
// Whether the newest value lies above the threshold line, and when that
// changes. The threshold's value is where the red line is drawn: its percent
// of the way from the scale's bottom to its top, on the scale in force after
// the newest value was taken (a value that widens the scale is compared with
// the widened line).

#include <optional>
#include <string_view>

// What a live watch reports: a crossing of the threshold either way, or the
// data file becoming stale or fresh again.
enum class WatchEvent { Above, Below, Stale, Fresh };

// "above", "below", "stale" or "fresh".
std::string_view watchEventName(WatchEvent event);

// bottom + (top − bottom) × percent ÷ 100; nothing for a scale without a span
// (top not above bottom), on which no value is plotted either.
std::optional<double> thresholdValue(double top, double bottom, int thresholdPercent);

class ThresholdAlarm {
public:
    // The newest stored value, on the scale in force after it was taken.
    // Above when it is greater than the threshold's value, below otherwise;
    // a scale without a span changes nothing. The event when the state changed.
    std::optional<WatchEvent> take(double value, double top, double bottom, int thresholdPercent);

    bool above() const { return m_above; }
    // Below again, as at the start.
    void reset() { m_above = false; }

private:
    bool m_above = false;
};
