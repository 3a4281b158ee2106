#pragma once
// The geometry of the main window's shapes and parking places: the region
// that leaves only the graph visible, and where each placement command puts
// the window. Pure functions of sizes.

#include "models/MainWindowLayout.h"

#include <cstdint>

// The strip below the graph that the graph-only shape keeps visible with its
// controls: the row of run buttons directly under the graph.
inline constexpr std::int32_t kControlStripPixels = 20;

// The region the graph-only shape clips the window to, in the window's
// coordinates: the `graph` (placed in the client area) moved by the client
// area's place `clientLeft`, `clientTop` in the window; withControlStrip
// reaches kControlStripPixels further down. Sums are 64-bit and the result
// is kept within the 32-bit range.
PixelRect graphRegion(const PixelRect& graph, std::int32_t clientLeft, std::int32_t clientTop,
                      bool withControlStrip);

// The five placement commands of the Window menu, in their order.
enum class Placement { Top, Centre, Bottom, GraphOnlyTop, GraphOnlyBottom };
inline constexpr Placement kPlacements[] = {Placement::Top, Placement::Centre, Placement::Bottom,
                                            Placement::GraphOnlyTop, Placement::GraphOnlyBottom};

// Each placement makes the window as wide as the screen and this high (twips,
// outer size), its left edge at kParkedEdge.
inline constexpr Twips kParkedHeight = 3000;
inline constexpr Twips kParkedEdge = 1;

// The top edge in twips of a window `windowHeight` twips high on a screen
// `screenHeight` twips high: at the top kParkedEdge; centred as
// screenHeight ÷ 2 − windowHeight ÷ 2, each halving truncated toward zero;
// at the bottom screenHeight − windowHeight. 64-bit throughout, so no screen
// is too large.
Twips parkedTop(Placement placement, Twips screenHeight, Twips windowHeight);

// Whether the placement also leaves only the graph and its strip visible.
inline bool parksGraphOnly(Placement placement) {
    return placement == Placement::GraphOnlyTop || placement == Placement::GraphOnlyBottom;
}
