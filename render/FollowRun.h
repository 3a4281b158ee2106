#pragma once
// trendola-render --follow: live monitoring without a window.

#include "render/RenderJob.h"

class RenderSession;
class StopRequest;
struct RenderOptions;

struct FollowOutcome {
    int status = 0;           // 0, or 1 when the final picture could not be written
    bool lastPlotted = false; // the last tick plotted a value
};

// Runs the live tick every the poll interval and rewrites the picture after
// every options.every-th value, until a stop request, options.forSeconds or
// options.count values; then writes the picture once more. A problem a tick
// meets (the data file missing, say) is reported once, and again only after
// a value was plotted in between; following goes on meanwhile.
FollowOutcome followDataFile(RenderSession& session, const RenderOptions& options, StopRequest& stop,
                             const RenderErrorSink& errors);
