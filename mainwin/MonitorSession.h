#pragma once
// The monitor behind the main window: the graph surface the window shows,
// the chart drawn on it, the event pump of the core's long loops, and the run
// buttons, "&Init" and the timer wired to the core.

#include "chart/Chart.h"
#include "monitor/EventPump.h"
#include "monitor/MonitorContext.h"
#include "surface/RasterSurface.h"

#include <QObject>

#include <memory>

class TextDecoder;
class MainWindow;
struct MonitorState;

class MonitorSession : public QObject {
public:
    // Wires `window` to the core; both `state` and `window` must outlive the
    // session. Texts from the data file are decoded with `decoder`.
    MonitorSession(MonitorState& state, MainWindow& window, std::unique_ptr<TextDecoder> decoder);
    ~MonitorSession() override;

    MonitorContext& context() { return m_context; }
    RasterSurface& surface() { return m_surface; }
    Chart& chart() { return m_chart; }

protected:
    // Keeps the surface as large as the graph widget, its pixels in place.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& m_window;
    std::unique_ptr<TextDecoder> m_decoder;
    RasterSurface m_surface;
    Chart m_chart;
    EventPump m_pump;
    MonitorContext m_context;
};
