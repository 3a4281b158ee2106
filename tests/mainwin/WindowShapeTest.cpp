// The shapes' geometry: the graph-only region and the parking places.

#include "mainwin/WindowShape.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(WindowShapeTest, GraphRegionCoversTheSurfaceAndForType1ItsStrip) {
    struct Case {
        PixelRect surface;
        std::int32_t clientLeft, clientTop;
        int iType;
        PixelRect region;
    };
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {
        // The design frame's client area at (4, 42): (60, 50)-(702, 186) and, with the strip, -(702, 206).
        {{56, 8, 642, 136}, 4, 42, 0, {60, 50, 642, 136}},
        {{56, 8, 642, 136}, 4, 42, 1, {60, 50, 642, 156}},
        {{56, 8, 642, 136}, 4, 42, 2, {60, 50, 642, 136}}, // only 1 adds the strip
        {{56, 8, 642, 136}, 0, 21, -1, {56, 29, 642, 136}},
        {{big - 10, big - 10, 100, 100}, 5, 5, 1, {big - 5, big - 5, 5, 5}}, // kept within 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(graphRegion(c.surface, c.clientLeft, c.clientTop, c.iType), c.region)
            << c.surface.left << "," << c.surface.top << " type " << c.iType;
}

TEST(WindowShapeTest, ParkingPutsTheTopEdgeAtTheTopTheMiddleOrTheBottom) {
    struct Case {
        int index;
        Twips screenHeight, windowHeight;
        std::optional<Twips> top;
    };
    const Case cases[] = {
        {0, 16200, 3000, 1},
        {3, 16200, 3000, 1},
        {1, 16200, 3000, 6600},
        {2, 16200, 3000, 13200},
        {4, 16200, 3000, 13200},
        {1, 16200, 3001, 6600}, // each height halved on its own: not (16200 - 3001) / 2
        {1, 16201, 3000, 6600},
        {1, 2000, 3001, -500},   // a window taller than the screen
        {1, 40000, 3000, 18500}, // beyond 16 bits
        {1, 100'000'000'000, 3000, 49'999'998'500},
        {5, 16200, 3000, std::nullopt},
        {-1, 16200, 3000, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parkedTop(c.index, c.screenHeight, c.windowHeight), c.top)
            << c.index << " " << c.screenHeight << " " << c.windowHeight;
}

} // namespace
