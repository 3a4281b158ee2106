#pragma once
// What one run of trendola-render works with: the monitor, the main window
// as the renderer has it, the graph surface, the chart and its event pump,
// set up from the options as the window sets itself up.

#include "chart/Chart.h"
#include "io/StreamTail.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "render/ConsoleView.h"
#include "render/RenderCanvas.h"

#include <optional>
#include <string>

class FollowWatch;
class StopRequest;
class TextDecoder;

class RenderSession {
public:
    // `options` as parseRenderOptions leaves them; both arguments must
    // outlive the session. Needs a QGuiApplication for fonts.
    RenderSession(const RenderOptions& options, const TextDecoder& decoder);

    // The options applied as the settings dialog applies its settings. The
    // refusal when they cannot be.
    Result<> apply();

    // Replays the data file; a stop request ends it before its next line.
    Result<bool> replay(StopRequest& stop);

    // One tick of live monitoring, as the window's timer runs it. True when
    // it plotted a value. On standard input the tick first takes in what has
    // arrived; a read error stops following as a missing file's would not.
    bool followTick();
    // Standard input has ended, or could not be read: the tick just run was
    // the last one.
    bool inputEnded() const { return m_input && (m_input->ended() || m_inputFailed); }
    bool inputFailed() const { return m_inputFailed; }

    // Redraws the chart from the ring, as the last plotted value left it.
    void redrawSeries();

    // Writes the final picture, which is never the data file itself; nothing
    // without an output folder (--serve keeps its pictures in memory).
    Result<> savePicture();
    // Its path: the data file's name part in the output folder.
    std::string picturePath() const;

    ConsoleView& view() { return m_view; }
    Monitor& monitor() { return m_monitor; }
    // Whom each tick of following tells what it left; none by default.
    void setFollowWatch(FollowWatch* watch) { m_watch = watch; }
    // What the labels show and the pictures written so far; `result` unset.
    RenderSummary summary() const;

private:
    const RenderOptions& m_options;
    std::optional<StreamTail> m_input; // standard input, when it is the data file
    bool m_inputFailed = false;
    Monitor m_monitor;
    ConsoleView m_view;
    RenderCanvas m_canvas;
    Chart m_chart;
    EventPump m_pump;
    MonitorContext m_context;
    FollowWatch* m_watch = nullptr;
};
