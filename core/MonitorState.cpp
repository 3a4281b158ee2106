#include "core/MonitorState.h"

#include <new>

void ResetDatPos(MonitorState& state) {
    state.lngDatPos = -1;
    state.blnDatRound = false;
}

bool RedimDatBuf(MonitorState& state, std::int64_t upperBound) {
    ResetDatPos(state);
    // Emptied first, as every re-dimension does, so a failed allocation below
    // cannot leave a stale buffer behind a reset position.
    state.DatBuf.assign(1, tDat{});
    state.DatBuf.shrink_to_fit();
    if (upperBound < 0 || upperBound + 1 > kMaxBufferSlots)
        return false;
    try {
        state.DatBuf.assign(static_cast<std::size_t>(upperBound) + 1, tDat{});
    } catch (const std::bad_alloc&) {
        state.DatBuf.assign(1, tDat{});
        return false;
    }
    return true;
}

void LoadMonitorDefaults(MonitorState& state) {
    ResetDatPos(state);
    state.lngInterval = 1000;
    state.lngSpeed = 0;
    if (state.strDelimit.empty())
        state.strDelimit = "カンマ";
    state.intDatCol = 1;
    state.intLimit = 80;
    state.blnAutoMaxMin = true;
    state.lngXmem = 500;
    RedimDatBuf(state, state.lngXmem);
    state.blnLoaded = true;
    state.blnReadReady = true;
}
