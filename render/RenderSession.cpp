#include "render/RenderSession.h"

#include "io/FileLines.h"
#include "monitor/ApplySettings.h"
#include "monitor/LiveTick.h"
#include "monitor/Replay.h"
#include "render/FollowWatch.h"
#include "render/RenderOptions.h"
#include "render/StopSignals.h"

#include <filesystem>
#include <unistd.h>

RenderSession::RenderSession(const RenderOptions& options, const TextDecoder& decoder)
    : m_options(options), m_view(options), m_canvas(options, m_view.summary()), m_chart(m_canvas, m_view),
      m_pump(m_view, 100), m_context{m_monitor, m_view, m_chart, m_pump, decoder} {
    if (readsStandardInput(options)) {
        m_input.emplace(STDIN_FILENO);
        m_context.liveLines = &*m_input;
    }
}

Result<> RenderSession::apply() {
    // Only following needs the line count (the last-line reader goes on from it).
    auto prepared = prepareSettings(renderSettings(m_options), std::nullopt, &m_context.decoder,
                                    m_options.follow ? LineCount::Counted : LineCount::NotNeeded);
    if (!prepared)
        return prepared.error();
    // The output folder exists: nothing stops applying half-way.
    applyMonitorSettings(m_monitor, std::move(*prepared), m_view, nullptr);
    return {};
}

Result<bool> RenderSession::replay(StopRequest& stop) {
    // As the S&Ttop button stops a replay: between two lines.
    m_view.setEventHook([this, &stop] {
        if (stop.requested())
            m_monitor.setRunning(false);
    });
    m_monitor.setRunning(true);
    ReplaySource source;
    source.progress = [this](const ReplayProgress& progress) { m_view.setProgress(progress); };
    if (m_input)
        source.inputFd = STDIN_FILENO;
    auto replayed = ::replay(m_context, m_options.pageMode, m_options.page, source);
    m_view.endProgress();
    m_view.setEventHook(nullptr);
    return replayed;
}

bool RenderSession::followTick() {
    if (m_input) {
        if (auto pumped = m_input->pump(); !pumped) {
            m_inputFailed = true;
            m_view.showPlainMessage("cannot read standard input: " + pumped.error().message);
            return false;
        }
    }
    const bool stored = liveTick(m_context);
    if (m_watch)
        m_watch->afterTick(m_monitor, stored, m_view.summary(), m_view.chartSwitches());
    return stored;
}

void RenderSession::redrawSeries() {
    m_chart.drawSeries(m_monitor.chartFrame());
}

std::string RenderSession::picturePath() const {
    return (std::filesystem::path(m_options.outDir) /
            (renderNamePart(m_options) + pictureExtension(m_options.format)))
        .string();
}

Result<> RenderSession::savePicture() {
    if (m_options.outDir.empty())
        return {};
    const std::string path = picturePath();
    if (samePath(path, m_options.dataFile()))
        return Error(kErrInvalidValue, "not overwriting the data file: " + path, path);
    m_chart.flush();
    if (auto saved = m_canvas.saveImage(path, m_options.format); !saved)
        return aboutFile(saved.error(), path);
    return {};
}

RenderSummary RenderSession::summary() const {
    RenderSummary summary = m_view.summary();
    summary.images = m_canvas.written();
    return summary;
}
