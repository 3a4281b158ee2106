#pragma once
// Live monitoring: one tick of the acquisition timer reads the data file's
// newest complete line and plots the configured field's value.

#include <string_view>

struct MonitorContext;

// The status line when a pattern matches none of the lines a tick looks at.
inline constexpr std::string_view kNoMatchingLineText = "一致する行なし";

// One tick. With a pattern the newest line it matches is plotted, searched
// back from the newest line at most kMaxLineSearchBytes; when there is none
// the status line says so. Does nothing while an earlier read is unfinished. A tick that
// stores no value leaves the write position where it was, and every tick
// arms the read guard again when it is done. A failed read stops the run and
// shows the reason. True when the tick stored a value.
bool liveTick(MonitorContext& context);
