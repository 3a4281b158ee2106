#pragma once
// trendola-render's work, options in and pictures and a summary out: the
// options applied as the window applies its settings, the replay or the
// following, the final picture and the labels as they ended. Needs a
// QGuiApplication for fonts.

#include "render/RenderSummary.h"

#include <functional>
#include <optional>
#include <string>

class StopRequest;
struct RenderOptions;

// Where the job reports what goes to standard error, one message a call.
using RenderErrorSink = std::function<void(const std::string& message)>;

struct RenderResult {
    // 0 when the replay ran to its end or following stopped, 1 when the data
    // file cannot be read, the replay ended on an error or the final picture
    // could not be written, 2 when the options cannot be used, 128 + the
    // signal's number when a stop request ended a replay.
    int status = 0;
    // What the labels showed at the end and the pictures written; only when
    // the run started.
    std::optional<RenderSummary> summary;
};

// Replays or follows the options' data file into pictures in the output
// folder. The final picture is named after the data file ("chart" when its
// name gives none) and is never written over the data file itself. `stop`,
// when given, ends the run early.
RenderResult runRenderJob(const RenderOptions& options, const RenderErrorSink& errors,
                          StopRequest* stop = nullptr);
