// trendola-render: replays a data file the way the RePlay button does,
// without any window, and writes the chart as pictures.

#include "app/ConsoleView.h"
#include "app/RenderOptions.h"
#include "core/Chart.h"
#include "core/EventPump.h"
#include "core/FileLines.h"
#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/Replay.h"
#include "platform/surface/RasterSurface.h"
#include "platform/surface/TextCodec.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

// The raster surface, noting every picture it writes.
class RenderSurface : public RasterSurface {
public:
    using RasterSurface::RasterSurface;
    std::vector<std::string> written;

    bool saveImage(const std::string& path, ImageFormat format, CoreError& error) override {
        if (!RasterSurface::saveImage(path, format, error))
            return false;
        written.push_back(std::filesystem::path(path).filename().string());
        return true;
    }
};

// Qt's own warnings (about the runtime folder of a session without a
// desktop, say) are not the user's business here; our errors are reported by
// us. TRENDOLA_DEBUG=1 shows them.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg || qEnvironmentVariableIntValue("TRENDOLA_DEBUG") == 1)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "trendola-render: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const RenderOptionsResult parsed = parseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options)
        return fail(2, parsed.error + " (try --help)");
    const RenderOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(renderUsage().c_str(), stdout);
        return 0;
    }
    std::error_code ignored;
    if (!std::filesystem::is_directory(options.outDir, ignored))
        return fail(2, "no such folder: " + options.outDir);
    std::string codecError;
    const auto decoder = makeTextDecoder(options.encoding, codecError);
    if (!decoder)
        return fail(2, codecError);
    if (!dataFileExists(options.dataFile))
        return fail(1, "cannot read the data file: " + options.dataFile);

    // No window: Qt draws offscreen (text needs a gui application for its fonts).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    MonitorState state;
    ConsoleView view(options);
    RenderSurface surface(options.width, options.height);
    Chart chart(state, view, surface);
    chart.setSweepFormat(options.format);
    EventPump pump(view, 100);
    MonitorContext context{state, view, chart, pump, *decoder};
    applyRenderOptions(state, view, options);

    state.blnRun = true;
    bool failed = false;
    const bool result = RePlayData(
        context, options.pageMode, options.page,
        [&](std::uint64_t done, std::uint64_t total) { view.setProgress(done, total); }, &failed);
    view.endProgress();

    // The final chart, as the replay left it.
    const std::string extension = options.format == ImageFormat::Png ? ".png" : ".bmp";
    const std::string finalPath =
        (std::filesystem::path(options.outDir) / (renderNamePart(options) + extension)).string();
    CoreError error;
    if (samePath(finalPath, options.dataFile)) {
        failed = true;
        std::fprintf(stderr, "trendola-render: not overwriting the data file: %s\n", finalPath.c_str());
    } else if (!surface.saveImage(finalPath, options.format, error)) {
        failed = true;
        std::fprintf(stderr, "trendola-render: %s: %s\n", finalPath.c_str(), error.description.c_str());
    }

    RenderSummary& summary = view.summary();
    summary.result = result;
    summary.images = surface.written;
    std::fputs(formatSummary(summary).c_str(), stdout);
    return failed ? 1 : 0;
}
