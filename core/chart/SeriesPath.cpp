#include "chart/SeriesPath.h"

#include <algorithm>

SeriesPath seriesPathFor(int pointsPerView, int newestSlot, bool wrapped, std::size_t ringSlots) {
    SeriesPath path;
    const std::int64_t xmem = pointsPerView;
    const auto slots = static_cast<std::int64_t>(ringSlots);
    if (newestSlot < 0 || xmem < 1 || slots < 1)
        return path; // nothing to draw (an emptied position draws nothing visible)
    if (!wrapped) {
        path.firstSlot = 0;
        path.ringSize = slots;
        path.count = std::min<std::int64_t>(newestSlot, xmem - 1) + 1;
        path.firstX = static_cast<double>(xmem - newestSlot);
        path.count = std::min(path.count, slots);
        return path;
    }
    path.ringSize = xmem;
    path.firstSlot = newestSlot + 1 > xmem - 1 ? 0 : newestSlot + 1;
    path.count = xmem - 1;
    path.firstX = 0;
    path.stub = true;
    // The ring reaches slots 0..pointsPerView−1; a ring smaller than that (it can
    // only be after a refused re-dimension) draws what it holds.
    if (slots < xmem) {
        path.ringSize = slots;
        path.firstSlot %= path.ringSize;
        path.count = std::min(path.count, slots);
    }
    return path;
}
