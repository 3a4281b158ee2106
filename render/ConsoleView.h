#pragma once
// The main window as trendola-render has it: labels kept as text, switches
// fixed by the options, and a progress bar on standard error instead of an
// event loop.

#include "monitor/MonitorView.h"
#include "monitor/Replay.h"
#include "render/RenderSummary.h"

#include <cstdint>
#include <functional>
#include <utility>

struct RenderOptions;

class ConsoleView : public MonitorView {
public:
    explicit ConsoleView(const RenderOptions& options);

    RenderSummary& summary() { return m_summary; }
    const RenderSummary& summary() const { return m_summary; }

    void setScaleLabel(int index, const std::string& text) override;
    void setValueLabel(ValueLabel label, const std::string& text) override;
    void setStatusText(const std::string& text) override { m_summary.status = text; }
    std::string statusText() const override { return m_summary.status; }
    void setPointsPerViewText(const std::string& text) override { m_summary.pointsPerView = text; }
    void setReplayErrorText(const std::string& text) override { m_summary.replayError = text; }
    void setReplayErrorVisible(bool visible) override { m_summary.replayErrorVisible = visible; }
    bool replayErrorVisible() const override { return m_summary.replayErrorVisible; }

    bool pageModeChecked() const override { return m_pageMode; }
    bool compositeChecked() const override { return m_composite; }
    bool gridLinesHidden() const override { return m_hideGrid; }
    bool thresholdHidden() const override { return m_hideThreshold; }
    std::string seriesColourText() const override { return m_colour; }

    // No buttons, scroll bar or timer here.
    void setRunButtonDown(RunButton, bool) override {}
    bool runButtonDown(RunButton) const override { return false; }
    void setPageScrollEnabled(bool) override {}
    void setPollTimerEnabled(bool) override {}

    // Standard error, or kept for the follower (see setFollowing).
    void showPlainMessage(const std::string& text) override;
    void showMessage(const std::string& text, int kind) override;

    // While following, a tick's message (a missing data file, say) is kept
    // for the follower to report once, instead of being printed every tick.
    void setFollowing(bool following) { m_following = following; }
    // The message the last ticks left, emptied by the call.
    std::string takeMessage() { return std::exchange(m_message, {}); }

    // Called whenever events could run: how a stop reaches a replay.
    void setEventHook(std::function<void()> hook) { m_eventHook = std::move(hook); }

    // No events to run: this is where the progress bar moves.
    void letEventsRun() override;
    void waitForEvents(int maxMs) override;

    // How far a replay has read, for the progress bar: the share of the
    // file's size, or the lines read from a stream of unknown size.
    void setProgress(const ReplayProgress& progress) { m_progress = progress; }
    // Clears the progress bar, if one was drawn.
    void endProgress();

private:
    RenderSummary m_summary;
    bool m_pageMode, m_composite, m_hideGrid, m_hideThreshold;
    std::string m_colour;
    bool m_terminal;
    std::int64_t m_startMs;
    bool m_barShown = false;
    ReplayProgress m_progress;
    bool m_following = false;
    std::string m_message;
    std::function<void()> m_eventHook;
};
