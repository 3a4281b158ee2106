#pragma once
// What the monitor's procedures (applying, the live tick, the replay, run
// control) work with: the model, the main window as the monitor sees it,
// the chart on its surface, the event pump, the decoder for texts taken
// from the data file, and where live ticks read.

class Chart;
class EventPump;
class LiveLines;
class Monitor;
class MonitorView;
class TextDecoder;

struct MonitorContext {
    Monitor& monitor;
    MonitorView& view;
    Chart& chart;
    EventPump& pump;
    const TextDecoder& decoder;
    // Where live ticks find the newest lines; none: the data file in force.
    LiveLines* liveLines = nullptr;
};
