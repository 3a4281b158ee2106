#include "mainwin/WindowShape.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

PixelRect graphRegion(const PixelRect& surface, std::int32_t clientLeft, std::int32_t clientTop, int iType) {
    const std::int64_t x1 = std::int64_t{surface.left} + clientLeft;
    const std::int64_t y1 = std::int64_t{surface.top} + clientTop;
    const std::int64_t x2 = x1 + surface.width;
    const std::int64_t y2 = y1 + surface.height + (iType == 1 ? kGraphStripPixels : 0);
    const std::int32_t left = clamped(x1);
    const std::int32_t top = clamped(y1);
    return {left, top, std::max(clamped(x2) - left, 0), std::max(clamped(y2) - top, 0)};
}

std::optional<Twips> parkedTop(int index, Twips screenHeight, Twips windowHeight) {
    switch (index) {
    case 0:
    case 3:
        return kParkedEdge;
    case 1:
        return screenHeight / 2 - windowHeight / 2;
    case 2:
    case 4:
        return screenHeight - windowHeight;
    default:
        return std::nullopt;
    }
}
