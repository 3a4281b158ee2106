#pragma once
// The monitor behind the main window: the model, the window as the monitor
// sees it, the graph's surface, the chart drawn on it and the event pump of
// the core's long loops, with the window's run buttons, "&Init", the timer,
// the page scroll bar, the page-mode switch and the pointer wired to them.

#include "chart/Chart.h"
#include "mainwin/MainWindowView.h"
#include "mainwin/WindowWatch.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "surface/RasterSurface.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class MainWindow;
class MessageBoxPresenter;
class TextDecoder;

class MonitorSession : public QObject {
public:
    // Wires `window` to a monitor of its own; `window` and `messageBoxes`
    // must outlive the session. Texts from the data file are decoded with
    // `decoder`.
    MonitorSession(MainWindow& window, MessageBoxPresenter& messageBoxes,
                   std::unique_ptr<TextDecoder> decoder);
    ~MonitorSession() override;

    Monitor& monitor() { return m_monitor; }
    MainWindowView& view() { return m_view; }
    MonitorContext& context() { return m_context; }
    RasterSurface& surface() { return m_surface; }
    Chart& chart() { return m_chart; }
    const TextDecoder& decoder() const { return *m_decoder; }
    // What the window shows of a live run it is not looked at.
    WindowWatch& watch() { return m_watch; }

    // Writes one line of `text` on the graph from (leftMm, topMm) millimetres
    // (which leaves the surface in millimetres) in the face `family` ("@"
    // before it writes vertically) at `pointSize` points, `angle` tenths of
    // a degree counter-clockwise, bold only when `bold` is exactly -1.
    void drawRotatedText(int pointSize, const std::string& family, int angle, int bold, double topMm,
                         double leftMm, const std::string& text);

private:
    // Runs a handler's work; a failure is shown as "Error: (" code ") " CR LF
    // message and goes no further.
    void reporting(const std::function<void()>& work);

    MainWindow& m_window;
    std::unique_ptr<TextDecoder> m_decoder;
    Monitor m_monitor;
    MainWindowView m_view;
    RasterSurface m_surface;
    Chart m_chart;
    EventPump m_pump;
    MonitorContext m_context;
    WindowWatch m_watch;
};
