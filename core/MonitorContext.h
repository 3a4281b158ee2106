#pragma once
// The pieces the monitor's routines work with: the shared state, the main
// window as the core sees it, the chart on its surface, the event pump and
// the decoder for texts taken from the data file.

struct MonitorState;
class MonitorView;
class Chart;
class EventPump;
class TextDecoder;

struct MonitorContext {
    MonitorState& state;
    MonitorView& view;
    Chart& chart;
    EventPump& pump;
    const TextDecoder& decoder;
};
