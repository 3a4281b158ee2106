#pragma once
// Replaying a data file from its first line onto the chart, as one scrolling
// sweep or page by page.

#include "base/Result.h"
#include "io/FileScan.h"

#include <cstdint>
#include <functional>

struct MonitorContext;

// How far a replay has read.
struct ReplayProgress {
    std::uint64_t bytesRead = 0;
    std::uint64_t totalBytes = 0; // the file's size when it was opened; 0 for a stream
    std::int64_t linesRead = 0;
};

// Where a replay reads, and whom it tells how far it got.
struct ReplaySource {
    std::function<void(const ReplayProgress&)> progress; // told whenever events run
    // A stream to replay in place of the data file (the renderer's standard
    // input), read from where it stands to its end; -1: the data file.
    int inputFd = -1;
    // Every line read and handled the general way, one at a time: the
    // reference that the quick reading of plain fields is tested against.
    bool generalReading = false;
};

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
Result<bool> replay(MonitorContext& context, bool pageMode, int page, const ReplaySource& source = {});
