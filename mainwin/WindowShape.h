#pragma once
// The geometry of the main window's shapes and parking places: the region
// that leaves only the graph visible, and where each parking command puts
// the window. Pure functions of sizes.

#include "models/MainWindowLayout.h"

#include <cstdint>
#include <optional>

// A rectangle in pixels.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const PixelRect&) const = default;
};

// The strip below the graph that clipToGraph(1) keeps visible: the row of
// run buttons directly under the surface.
inline constexpr std::int32_t kGraphStripPixels = 20;

// The region clipToGraph(iType) clips the window to, in the window's
// coordinates: the graph `surface` (placed in the client area) moved by the
// client area's place `clientLeft`, `clientTop` in the window; for iType 1
// it reaches kGraphStripPixels further down. Sums are 64-bit and the result
// is kept within the 32-bit range.
PixelRect graphRegion(const PixelRect& surface, std::int32_t clientLeft, std::int32_t clientTop, int iType);

// The parking commands placementActions(0..4) make the window as wide as the
// screen and this high (twips, outer size), its left edge at kParkedEdge.
inline constexpr Twips kParkedHeight = 3000;
inline constexpr Twips kParkedEdge = 1;

// The top edge in twips for placementActions(index) on a screen `screenHeight`
// twips high, the window being `windowHeight` twips high: 0 and 3 at the top
// (kParkedEdge); 1 centred as screenHeight ÷ 2 − windowHeight ÷ 2, each halving
// truncated toward zero; 2 and 4 at the bottom (screenHeight −
// windowHeight). Nothing for any other index. 64-bit throughout, so no
// screen is too large.
std::optional<Twips> parkedTop(int index, Twips screenHeight, Twips windowHeight);

// Whether placementActions(index) also leaves only the graph and its strip
// visible (3 and 4).
inline bool parkedGraphOnly(int index) {
    return index == 3 || index == 4;
}
