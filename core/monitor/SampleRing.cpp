#include "monitor/SampleRing.h"

#include "monitor/MonitorSettings.h"

#include <new>

SampleRing::SampleRing(std::int64_t slots, int pointsPerView) : m_pointsPerView(pointsPerView) {
    resize(slots);
}

void SampleRing::resetPosition() {
    m_newestSlot = -1;
    m_wrapped = false;
}

bool SampleRing::resize(std::int64_t slots) {
    resetPosition();
    // Emptied first, so a failed allocation below cannot leave a stale ring
    // behind a reset position.
    m_slots.assign(1, Sample{});
    m_slots.shrink_to_fit();
    if (slots < 1 || slots > kMaxSampleSlots)
        return false;
    try {
        m_slots.assign(static_cast<std::size_t>(slots), Sample{});
    } catch (const std::bad_alloc&) {
        m_slots.assign(1, Sample{});
        return false;
    }
    return true;
}

void SampleRing::adopt(std::vector<Sample> slots) {
    m_slots = slots.empty() ? std::vector<Sample>(1) : std::move(slots);
    resetPosition();
}

void SampleRing::pushLive(double value) {
    int slot = m_newestSlot + 1;
    if (slot > m_pointsPerView - 1 || static_cast<std::size_t>(slot) >= m_slots.size()) {
        slot = 0;
        m_wrapped = true;
    }
    m_newestSlot = slot;
    m_slots[static_cast<std::size_t>(slot)].value = value;
}
