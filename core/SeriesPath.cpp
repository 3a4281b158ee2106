#include "core/SeriesPath.h"

#include <algorithm>

SeriesPath seriesPathFor(std::int32_t lngXmem, std::int32_t lngDatPos, bool blnDatRound,
                         std::size_t bufferSlots) {
    SeriesPath path;
    const std::int64_t xmem = lngXmem;
    const auto slots = static_cast<std::int64_t>(bufferSlots);
    if (lngDatPos < 0 || xmem < 1 || slots < 1)
        return path; // nothing to draw (an emptied position draws nothing visible)
    if (!blnDatRound) {
        path.firstSlot = 0;
        path.ringSize = slots;
        path.count = std::min<std::int64_t>(lngDatPos, xmem - 1) + 1;
        path.firstX = static_cast<double>(xmem - lngDatPos);
        path.count = std::min(path.count, slots);
        return path;
    }
    path.ringSize = xmem;
    path.firstSlot = lngDatPos + 1 > xmem - 1 ? 0 : lngDatPos + 1;
    path.count = xmem - 1;
    path.firstX = 0;
    path.stub = true;
    // The ring reaches slots 0..lngXmem−1; a buffer smaller than that (it can
    // only be after a refused re-dimension) draws what it holds.
    if (slots < xmem) {
        path.ringSize = slots;
        path.firstSlot %= path.ringSize;
        path.count = std::min(path.count, slots);
    }
    return path;
}
