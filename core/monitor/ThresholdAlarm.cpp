#include "monitor/ThresholdAlarm.h"

#include <cmath>

std::string_view watchEventName(WatchEvent event) {
    switch (event) {
    case WatchEvent::Above:
        return "above";
    case WatchEvent::Below:
        return "below";
    case WatchEvent::Stale:
        return "stale";
    case WatchEvent::Fresh:
        return "fresh";
    }
    return {};
}

std::optional<double> thresholdValue(double top, double bottom, int thresholdPercent) {
    if (!(top > bottom))
        return std::nullopt;
    const double span = top - bottom;
    if (std::isfinite(span))
        return bottom + span * thresholdPercent / 100;
    // Ends near the largest double on either side: the span itself overflows.
    return bottom / 100 * (100 - thresholdPercent) + top / 100 * thresholdPercent;
}

std::optional<WatchEvent> ThresholdAlarm::take(double value, double top, double bottom,
                                               int thresholdPercent) {
    const auto threshold = thresholdValue(top, bottom, thresholdPercent);
    if (!threshold)
        return std::nullopt;
    const bool above = value > *threshold;
    if (above == m_above)
        return std::nullopt;
    m_above = above;
    return above ? WatchEvent::Above : WatchEvent::Below;
}
