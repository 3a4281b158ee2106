#pragma once
// The ring of samples the graph is drawn from: its slots, the points across
// the graph now in force, the slot of the newest sample and whether the
// write position has wrapped since it was last emptied. Values are only
// ever stored within its slots: the replay's write position may pass the
// last slot of a ring left smaller than the points across (after a refused
// re-dimension), and nothing is stored there.
//
// Live values and replayed values move through it by different rules, as
// the graph has always shown them: a live value wraps after the last slot
// the graph draws (pointsPerView − 1), a replayed one only after slot
// pointsPerView, so a replay fills one slot more than the graph draws.

#include "chart/SeriesPath.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class SampleRing {
public:
    // `slots` slots of value 0 (at least 1), an empty position, and
    // `pointsPerView` points across.
    SampleRing(std::int64_t slots, int pointsPerView);

    std::size_t size() const { return m_slots.size(); }
    const Sample& at(std::size_t slot) const { return m_slots.at(slot); }
    const std::vector<Sample>& samples() const { return m_slots; }
    int pointsPerView() const { return m_pointsPerView; }
    int newestSlot() const { return m_newestSlot; } // -1 when empty
    bool wrapped() const { return m_wrapped; }
    bool empty() const { return m_newestSlot < 0; }

    // The points across the graph, as a replay or the settings set them.
    void setPointsPerView(int points) { m_pointsPerView = points; }

    // Forgets the position: nothing is drawn until the next sample. The
    // stored values stay.
    void resetPosition();

    // `slots` slots, every value 0, and an empty position. False, with the
    // ring emptied to one slot, when `slots` is not within 1..kMaxSampleSlots
    // or cannot be allocated.
    bool resize(std::int64_t slots);
    // Takes over slots allocated beforehand (at least one), with an empty position.
    void adopt(std::vector<Sample> slots);

    // Stores a live value in the slot after the newest, wrapping to slot 0
    // after slot pointsPerView − 1 or the last slot.
    void pushLive(double value);

    // Moves the replay's write position on by one, wrapping to slot 0 after
    // slot pointsPerView; true when it wrapped.
    bool advanceReplayPosition() {
        ++m_newestSlot;
        if (m_newestSlot > m_pointsPerView || m_newestSlot < 0) {
            m_newestSlot = 0;
            m_wrapped = true;
            return true;
        }
        return false;
    }
    // Whether the next advanceReplayPosition() wraps.
    bool replayPositionWraps() const { return m_newestSlot >= m_pointsPerView || m_newestSlot < -1; }
    // Stores a replayed value at the write position; nothing when the
    // position lies outside the slots (a run in between re-dimensioned them).
    void storeAtNewest(double value) {
        if (m_newestSlot >= 0 && static_cast<std::size_t>(m_newestSlot) < m_slots.size())
            m_slots[static_cast<std::size_t>(m_newestSlot)].value = value;
    }

    // What the chart draws.
    SeriesWindow series() const { return SeriesWindow{&m_slots, m_pointsPerView, m_newestSlot, m_wrapped}; }

private:
    std::vector<Sample> m_slots;
    int m_pointsPerView;
    int m_newestSlot = -1;
    bool m_wrapped = false;
};
