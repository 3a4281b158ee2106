#include "app/RenderJob.h"

#include "app/ConsoleView.h"
#include "app/RenderOptions.h"
#include "core/Chart.h"
#include "core/EventPump.h"
#include "core/FileLines.h"
#include "core/MonitorContext.h"
#include "core/MonitorSettings.h"
#include "core/MonitorState.h"
#include "core/Replay.h"
#include "platform/surface/RasterSurface.h"
#include "platform/surface/TextCodec.h"

#include <filesystem>

namespace {

// The raster surface, noting every picture it writes.
class RenderSurface : public RasterSurface {
public:
    using RasterSurface::RasterSurface;
    std::vector<std::string> written;

    Result<> saveImage(const std::string& path, ImageFormat format) override {
        auto saved = RasterSurface::saveImage(path, format);
        if (saved)
            written.push_back(std::filesystem::path(path).filename().string());
        return saved;
    }
};

} // namespace

RenderResult runRenderJob(const RenderOptions& options, const RenderErrorSink& errors) {
    std::error_code ignored;
    if (!std::filesystem::is_directory(options.outDir, ignored)) {
        errors("no such folder: " + options.outDir);
        return {2, std::nullopt};
    }
    std::string codecError;
    const auto decoder = makeTextDecoder(options.encoding, codecError);
    if (!decoder) {
        errors(codecError);
        return {2, std::nullopt};
    }
    if (!dataFileExists(options.dataFile)) {
        errors("cannot read the data file: " + options.dataFile);
        return {1, std::nullopt};
    }

    MonitorState state;
    ConsoleView view(options);
    RenderSurface surface(options.width, options.height);
    Chart chart(state, view, surface);
    chart.setSweepFormat(options.format);
    EventPump pump(view, 100);
    MonitorContext context{state, view, chart, pump, *decoder};

    // As the window does: its defaults at load, then the settings applied.
    LoadMonitorDefaults(state);
    auto prepared = prepareSettings(renderSettings(options), std::nullopt);
    if (!prepared) {
        errors(prepared.error().message);
        return {2, std::nullopt};
    }
    applyMonitorSettings(state, std::move(*prepared), {view});
    state.strInFileTitle = renderNamePart(options);

    state.blnRun = true;
    const auto replayed =
        RePlayData(context, options.pageMode, options.page,
                   [&](std::uint64_t done, std::uint64_t total) { view.setProgress(done, total); });
    view.endProgress();
    int status = replayed ? 0 : 1;

    // The final chart, as the replay left it.
    const std::string finalPath =
        (std::filesystem::path(options.outDir) / (renderNamePart(options) + pictureExtension(options.format)))
            .string();
    if (samePath(finalPath, options.dataFile)) {
        status = 1;
        errors("not overwriting the data file: " + finalPath);
    } else if (auto saved = surface.saveImage(finalPath, options.format); !saved) {
        status = 1;
        errors(finalPath + ": " + saved.error().description);
    }

    RenderSummary summary = view.summary();
    summary.result = replayed && *replayed;
    summary.images = surface.written;
    return {status, std::move(summary)};
}
