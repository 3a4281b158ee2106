#pragma once
// Replaying a data file from its first line onto the chart, as one scrolling
// sweep or page by page.

#include "core/FileScan.h"

#include <cstdint>

struct MonitorContext;

// Replays strInFile. page: page mode (pages of lngRange lines); pageNo: 0 to
// show every page in turn, n to show only page n. The caller sets blnRun
// first; the replay stops before the next line once it is cleared.
//
// True when the replay ran to its end (end of file, a stop, or the chosen
// page) with the last line read numeric; false when the data file is missing
// or the last line read was not numeric. The error when the replay ended on
// its error path: lblErrInfo then shows "Error : " and the description.
//
// Re-entrant: events run inside it, and they may start another replay or live
// monitoring on the same buffer. Its counters and its file are its own, and
// the shared buffer is reached by index only, checked at every use.
Result<bool> RePlayData(MonitorContext& context, bool page, std::int32_t pageNo,
                        const ScanProgress& progress = {});
