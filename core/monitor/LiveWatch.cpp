#include "monitor/LiveWatch.h"

#include "monitor/Monitor.h"

LiveWatch::LiveWatch(std::optional<std::chrono::milliseconds> staleAfter) {
    setStaleTime(staleAfter);
}

void LiveWatch::setStaleTime(std::optional<std::chrono::milliseconds> staleAfter) {
    m_staleness.reset();
    if (staleAfter)
        m_staleness.emplace(*staleAfter);
}

std::vector<WatchEvent> LiveWatch::afterTick(const Monitor& monitor, bool stored, SteadyTime now,
                                             WallTime wallNow) {
    std::vector<WatchEvent> events;
    if (m_staleness)
        if (const auto event =
                m_staleness->observe(dataFileSignature(monitor.settings().dataFile), now, wallNow))
            events.push_back(*event);
    const SampleRing& samples = monitor.samples();
    if (stored && !samples.empty()) {
        m_newest = samples.at(static_cast<std::size_t>(samples.newestSlot())).value;
        const Scale& scale = monitor.scale();
        if (const auto event =
                m_alarm.take(*m_newest, scale.top(), scale.bottom(), monitor.settings().thresholdPercent))
            events.push_back(*event);
    }
    return events;
}

void LiveWatch::reset() {
    m_alarm.reset();
    if (m_staleness)
        m_staleness->reset();
    m_newest.reset();
}
