#include "monitor/SampleRing.h"
#include "monitor/MonitorSettings.h"

#include <gtest/gtest.h>

namespace {

// Values 1, 2, 3... stored one step at a time, live or as a replay stores them.
void store(SampleRing& ring, bool live, int steps) {
    for (int i = 1; i <= steps; ++i) {
        if (live) {
            ring.pushLive(i);
        } else {
            ring.advanceReplayPosition();
            ring.storeAtNewest(i);
        }
    }
}

// A live value wraps after the last slot the graph draws, a replayed one a
// slot later; a ring smaller than the points across keeps its bounds.
TEST(SampleRing, WrapsLiveBeforeTheLastPointAndReplayedAfterIt) {
    struct Case {
        const char* what;
        bool live;
        std::int64_t slots;
        int steps;
        int newest;
        bool wrapped;
    };
    const Case cases[] = {
        {"live, the last point drawn", true, 6, 5, 4, false},
        {"live, wrapped", true, 6, 6, 0, true},
        {"replay, one slot more", false, 6, 6, 5, false},
        {"replay, wrapped", false, 6, 7, 0, true},
        {"live, ring smaller", true, 3, 3, 2, false},
        {"live, ring smaller, wrapped", true, 3, 4, 0, true},
    };
    for (const Case& c : cases) {
        SampleRing ring(c.slots, 5);
        store(ring, c.live, c.steps);
        EXPECT_EQ(ring.newestSlot(), c.newest) << c.what;
        EXPECT_EQ(ring.wrapped(), c.wrapped) << c.what;
        EXPECT_EQ(ring.at(static_cast<std::size_t>(c.newest)).value, c.steps) << c.what;
    }
    // A replay whose position runs past a ring re-dimensioned under it
    // writes nothing there.
    SampleRing ring(3, 5);
    store(ring, false, 5);
    EXPECT_EQ(ring.samples().size(), 3u);
    EXPECT_EQ(ring.at(2).value, 3);
}

TEST(SampleRing, ResizeRefusesSizesOutOfRangeAndAlwaysEmptiesThePosition) {
    const std::pair<std::int64_t, bool> cases[] = {
        {7, true}, {1, true}, {0, false}, {-1, false}, {kMaxSampleSlots + 1, false}};
    for (const auto& [slots, accepted] : cases) {
        SampleRing ring(4, 2);
        store(ring, true, 3); // wrapped, with values stored
        ASSERT_TRUE(ring.wrapped());
        EXPECT_EQ(ring.resize(slots), accepted) << slots;
        EXPECT_EQ(ring.size(), accepted ? static_cast<std::size_t>(slots) : 1u) << slots;
        EXPECT_TRUE(ring.empty()) << slots;
        EXPECT_FALSE(ring.wrapped()) << slots;
        EXPECT_EQ(ring.at(0).value, 0) << slots;
    }
    SampleRing ring(4, 2);
    ring.adopt({});
    EXPECT_EQ(ring.size(), 1u) << "never without a slot";
}

} // namespace
