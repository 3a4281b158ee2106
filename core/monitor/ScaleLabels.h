#pragma once
// The scale as the main window shows it: its five labels, and the Max and
// Min labels as new extremes widen it.

#include <string>

class MonitorView;
class Scale;

// Shows the scale's five values (caption and tool tip: each rounded to two
// places) and rebuilds its row table.
void updateScaleLabels(Scale& scale, MonitorView& view);

// One new numeric value v with field text `text`, taken while the scale
// follows the data or a rescale is pending: a new highest or lowest value
// shows in its label, its decimal text replaces `text`, and the nearer end
// of the scale moves beyond it (the labels follow when the ends changed).
// A value equal to an extreme is no new one. A fitted scale instead fits both
// ends to the extremes at a new one, and its first value since the reset is
// both the highest and the lowest (both labels show it). The rescale is then
// done.
void trackExtremes(Scale& scale, MonitorView& view, std::string& text, double v);
