#include "models/WindowShape.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

TEST(WindowShape, GraphRegionCoversTheGraphAndOnRequestItsStrip) {
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    // The graph, the client area's left and top, the strip, the region.
    const std::tuple<PixelRect, std::int32_t, std::int32_t, bool, PixelRect> cases[] = {
        // The design frame's client area at (4, 42): (60, 50)-(702, 186) and, with the strip, -(702, 206).
        {{56, 8, 642, 136}, 4, 42, false, {60, 50, 642, 136}},
        {{56, 8, 642, 136}, 4, 42, true, {60, 50, 642, 156}},
        {{56, 8, 642, 136}, 0, 21, false, {56, 29, 642, 136}},
        {{big - 10, big - 10, 100, 100}, 5, 5, true, {big - 5, big - 5, 5, 5}}, // kept within 32 bits
    };
    for (const auto& [graph, clientLeft, clientTop, withStrip, region] : cases)
        EXPECT_EQ(graphRegion(graph, clientLeft, clientTop, withStrip), region)
            << graph.left << "," << graph.top << " strip " << withStrip;
}

TEST(WindowShape, ParkingPutsTheTopEdgeAtTheTopTheMiddleOrTheBottom) {
    using enum Placement;
    // The placement, the screen's and the window's heights, the top.
    const std::tuple<Placement, Twips, Twips, Twips> cases[] = {
        {Top, 16200, 3000, 1},
        {GraphOnlyTop, 16200, 3000, 1},
        {Centre, 16200, 3000, 6600},
        {Bottom, 16200, 3000, 13200},
        {GraphOnlyBottom, 16200, 3000, 13200},
        {Centre, 16200, 3001, 6600}, // each height halved on its own: not (16200 - 3001) / 2
        {Centre, 16201, 3000, 6600},
        {Centre, 2000, 3001, -500},   // a window taller than the screen
        {Centre, 40000, 3000, 18500}, // beyond 16 bits
        {Centre, 100'000'000'000, 3000, 49'999'998'500},
    };
    for (const auto& [placement, screenHeight, windowHeight, top] : cases)
        EXPECT_EQ(parkedTop(placement, screenHeight, windowHeight), top)
            << static_cast<int>(placement) << " " << screenHeight << " " << windowHeight;
}

} // namespace
