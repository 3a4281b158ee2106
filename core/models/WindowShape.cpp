#include "models/WindowShape.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

PixelRect graphRegion(const PixelRect& graph, std::int32_t clientLeft, std::int32_t clientTop,
                      bool withControlStrip) {
    const std::int64_t x1 = std::int64_t{graph.left} + clientLeft;
    const std::int64_t y1 = std::int64_t{graph.top} + clientTop;
    const std::int64_t x2 = x1 + graph.width;
    const std::int64_t y2 = y1 + graph.height + (withControlStrip ? kControlStripPixels : 0);
    const std::int32_t left = clamped(x1);
    const std::int32_t top = clamped(y1);
    return {left, top, std::max(clamped(x2) - left, 0), std::max(clamped(y2) - top, 0)};
}

Twips parkedTop(Placement placement, Twips screenHeight, Twips windowHeight) {
    switch (placement) {
    case Placement::Top:
    case Placement::GraphOnlyTop:
        return kParkedEdge;
    case Placement::Centre:
        return screenHeight / 2 - windowHeight / 2;
    case Placement::Bottom:
    case Placement::GraphOnlyBottom:
        break;
    }
    return screenHeight - windowHeight;
}
