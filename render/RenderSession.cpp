#include "render/RenderSession.h"

#include "render/RenderOptions.h"
#include "render/StopSignals.h"
#include "io/FileLines.h"
#include "monitor/LiveTick.h"
#include "monitor/MonitorSettings.h"
#include "monitor/Replay.h"

#include <filesystem>

RenderSession::RenderSession(const RenderOptions& options, const TextDecoder& decoder)
    : m_options(options), m_view(options), m_canvas(options, m_view.summary()),
      m_chart(m_state, m_view, m_canvas),
      m_pump(m_view, 100), m_context{m_state, m_view, m_chart, m_pump, decoder} {
    m_chart.setSweepFormat(options.format);
}

std::optional<std::string> RenderSession::apply() {
    LoadMonitorDefaults(m_state);
    auto prepared = prepareSettings(renderSettings(m_options), std::nullopt);
    if (!prepared)
        return prepared.error().message;
    applyMonitorSettings(m_state, std::move(*prepared), {m_view});
    m_state.dataFileBaseName = renderNamePart(m_options);
    return std::nullopt;
}

Result<bool> RenderSession::replay(StopRequest& stop) {
    // As the S&Ttop button stops a replay: between two lines.
    m_view.setEventHook([this, &stop] {
        if (stop.requested())
            m_state.running = false;
    });
    m_state.running = true;
    auto replayed =
        RePlayData(m_context, m_options.pageMode, m_options.page,
                   [this](std::uint64_t done, std::uint64_t total) { m_view.setProgress(done, total); });
    m_view.endProgress();
    m_view.setEventHook(nullptr);
    return replayed;
}

bool RenderSession::followTick() {
    return liveTick(m_context);
}

void RenderSession::redrawSeries() {
    m_chart.DrawSeries(m_state.scaleTop);
}

std::string RenderSession::picturePath() const {
    return (std::filesystem::path(m_options.outDir) /
            (renderNamePart(m_options) + pictureExtension(m_options.format)))
        .string();
}

Result<> RenderSession::savePicture() {
    const std::string path = picturePath();
    if (samePath(path, m_options.dataFile))
        return Error{kErrInvalidValue, "not overwriting the data file: " + path};
    m_chart.flush();
    if (auto saved = m_canvas.saveImage(path, m_options.format); !saved)
        return Error{saved.error().code, path + ": " + saved.error().message};
    return {};
}

RenderSummary RenderSession::summary() const {
    RenderSummary summary = m_view.summary();
    summary.images = m_canvas.written();
    return summary;
}
