#pragma once
// Replaying a data file from its first line onto the chart, as one scrolling
// sweep or page by page.

#include "base/Result.h"
#include "io/FileScan.h"

struct MonitorContext;

// Replays the data file in force. `pageMode`: pages of pageSize lines;
// `page`: 0 to show every page in turn, n to show only page n. The caller
// starts the run first; the replay stops before the next line once the run
// is stopped.
//
// True when the replay ran to its end (end of file, a stop, or the chosen
// page) with the last line read numeric; false when the data file is
// missing or the last line read was not numeric. The error when the replay
// ended on its error path: the replay's error label then shows
// "Error : " and its message.
//
// Re-entrant: events run inside it, and they may start another replay or
// live monitoring on the same ring. Its counters and its file are its own,
// and the shared ring is reached through its bounds-checked operations only.
Result<bool> replay(MonitorContext& context, bool pageMode, int page, const ScanProgress& progress = {});
