#pragma once
// trendola-render's work, options in and pictures and a summary out: the
// options applied as the window applies its settings, the replay, the final
// picture and the labels as they ended. Needs a QGuiApplication for fonts.

#include "app/RenderSummary.h"

#include <functional>
#include <optional>
#include <string>

struct RenderOptions;

// Where the job reports what goes to standard error, one message a call.
using RenderErrorSink = std::function<void(const std::string& message)>;

struct RenderResult {
    // 0 when the replay ran to its end, 1 when the data file cannot be read
    // or the replay ended on an error, 2 when the options cannot be used.
    int status = 0;
    // What the labels showed at the end and the pictures written; only when
    // the replay ran (status 0, or 1 after the replay started).
    std::optional<RenderSummary> summary;
};

// Replays the options' data file into pictures in the output folder. The
// final picture is named after the data file ("chart" when its name gives
// none) and is never written over the data file itself.
RenderResult runRenderJob(const RenderOptions& options, const RenderErrorSink& errors);
