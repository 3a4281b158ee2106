#include "render/RenderJob.h"

#include "io/FileLines.h"
#include "io/LineReader.h"
#include "models/DataFileAids.h"
#include "render/FollowRun.h"
#include "render/FollowWatch.h"
#include "render/RenderOptions.h"
#include "render/RenderSession.h"
#include "render/StopSignals.h"
#include "text/TextCodec.h"

#include <filesystem>

namespace {

// Columns aligned with blanks read as empty fields unless a run of blanks
// counts as one: say so when the first line's field is such an empty one.
void hintAtAlignedColumns(const RenderOptions& options, const RenderErrorSink& errors) {
    const MonitorSettings& settings = options.settings;
    LineReader reader;
    std::string_view line;
    if (!settings.pattern.empty() || !reader.open(settings.dataFile) || !reader.next(line))
        return;
    if (blankRunEmptiesField(line, settings.column, settings.fieldRule()))
        errors("hint: field " + std::to_string(settings.column) +
               " of the first line is empty because blanks follow each other; --skip-repeated counts a run "
               "of blanks as one");
}

} // namespace

RenderResult runRenderJob(const RenderOptions& options, const RenderErrorSink& errors, StopRequest* stop) {
    std::error_code ignored;
    // --serve without -o keeps its pictures in memory.
    const bool noFolder = options.outDir.empty() && options.serve;
    if (!noFolder && !std::filesystem::is_directory(options.outDir, ignored)) {
        errors("no such folder: " + options.outDir);
        return {2, std::nullopt};
    }
    const auto decoder = makeTextDecoder(options.encoding);
    if (!decoder) {
        errors(decoder.error().message);
        return {2, std::nullopt};
    }
    // A followed file that does not exist yet is waited for, as one that
    // disappears later is.
    const bool standardInput = readsStandardInput(options);
    if (auto readable = checkDataFile(options.dataFile()); !readable && !options.follow && !standardInput) {
        errors("cannot read the data file " + options.dataFile() + ": " + readable.error().message);
        return {1, std::nullopt};
    }

    RenderSession session(options, **decoder);
    if (auto applied = session.apply(); !applied) {
        errors(applied.error().message);
        return {2, std::nullopt};
    }
    if (!standardInput)
        hintAtAlignedColumns(options, errors);
    NoStopRequest never;
    StopRequest& stopRequest = stop ? *stop : never;

    if (options.follow) {
        auto watch = FollowWatch::start(options, session, errors);
        if (!watch) {
            errors(watch.error().message);
            return {2, std::nullopt};
        }
        const FollowOutcome followed = followDataFile(session, options, stopRequest, errors);
        if (*watch)
            (*watch)->finish(session.view().summary());
        RenderSummary summary = session.summary();
        summary.result = followed.lastPlotted;
        return {followed.status, std::move(summary)};
    }

    const auto replayed = session.replay(stopRequest);
    int status = replayed ? 0 : 1;
    // The final chart, as the replay left it.
    if (auto saved = session.savePicture(); !saved) {
        status = 1;
        errors(saved.error().message);
    }
    if (stopRequest.requested())
        status = 128 + stopRequest.signal();
    RenderSummary summary = session.summary();
    summary.result = replayed && *replayed;
    return {status, std::move(summary)};
}
